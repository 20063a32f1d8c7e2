// Tests of the make-credentials command: usage, refusals, the written file and write failures.
#include "make_credentials.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <vector>

#include "credentials_file.h"
#include "mod_encryption.h"

namespace credentials {
namespace {

namespace fs = std::filesystem;

const std::array<std::string_view, 9> sampleFields = {
    "http://gw.example/sms.aspx", "CDMA", "ser", "?", "ss", "DAVRIN", "pa", "u", "word ",
};

class MakeCredentials : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("make-credentials-test-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    int run(std::vector<std::string_view> args) {
        out.str({});
        err.str({});
        return runMakeCredentials(args, out, err);
    }

    std::vector<std::string_view> argsWithOutput(std::span<const std::string_view> fieldValues) {
        outputText = (dir / "Reminder.dat").string();
        std::vector<std::string_view> args = {"-o", outputText};
        args.insert(args.end(), fieldValues.begin(), fieldValues.end());
        return args;
    }

    static std::string readFile(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    fs::path dir;
    std::string outputText;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(MakeCredentials, UsageNamesEveryFieldAndWritesNothing) {
    EXPECT_EQ(run({"--help"}), exitOk);
    for (const FieldDescription& field : fields) {
        EXPECT_NE(out.str().find(field.name), std::string::npos) << field.name;
        EXPECT_NE(out.str().find(field.meaning), std::string::npos) << field.meaning;
    }
    const std::string elsewhere = (dir / "x").string();
    const std::vector<std::vector<std::string_view>> wrong = {
        {},
        {"-o", elsewhere, "1", "2", "3", "4", "5", "6", "7", "8"},
        {"--colour", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
        {"1", "2", "3", "4", "5", "6", "7", "8", "9", "-o"},
    };
    for (const auto& args : wrong) {
        EXPECT_EQ(run(args), exitUsage);
        EXPECT_NE(err.str().find("usage: make-credentials"), std::string::npos) << err.str();
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(MakeCredentials, WritesTheFieldsJoinedByHashEnciphered) {
    ASSERT_EQ(run(argsWithOutput(sampleFields)), exitOk) << err.str();
    const std::string content = readFile(dir / "Reminder.dat");
    ASSERT_GE(content.size(), 2u);
    EXPECT_EQ(content.substr(content.size() - 2), "\r\n");
    const std::string firstLine = content.substr(0, content.find_first_of("\r\n"));
    EXPECT_EQ(firstLine.size() + 2, content.size());
    const std::string plain = modEncryption::DecipherText(firstLine, passPhrase);
    const std::string joined = "http://gw.example/sms.aspx#CDMA#ser#?#ss#DAVRIN#pa#u#word ";
    EXPECT_EQ(plain.substr(0, joined.size()), joined);
    EXPECT_EQ(plain.find_first_not_of(' ', joined.size()), std::string::npos);
    EXPECT_LT(plain.size() - joined.size(), 6u);
    EXPECT_EQ(err.str(), "");
    EXPECT_FALSE(fs::exists(dir / "Reminder.dat.tmp"));
}

TEST_F(MakeCredentials, WritesReminderDatInTheCurrentFolderByDefault) {
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    std::vector<std::string_view> args(sampleFields.begin(), sampleFields.end());
    const int code = run(args);
    fs::current_path(previous);
    EXPECT_EQ(code, exitOk) << err.str();
    EXPECT_TRUE(fs::exists(dir / "Reminder.dat"));
}

TEST_F(MakeCredentials, RefusesAHashInAnyFieldAndKeepsTheOldFile) {
    ASSERT_EQ(run(argsWithOutput(sampleFields)), exitOk);
    const std::string before = readFile(dir / "Reminder.dat");
    for (std::size_t i = 0; i < sampleFields.size(); ++i) {
        std::array<std::string_view, 9> values = sampleFields;
        values[i] = "pass#word";
        EXPECT_EQ(run(argsWithOutput(values)), exitUsage) << "field " << i;
        EXPECT_NE(err.str().find("field " + std::to_string(i) + " ("), std::string::npos)
            << err.str();
        EXPECT_NE(err.str().find("no file written"), std::string::npos);
        EXPECT_EQ(readFile(dir / "Reminder.dat"), before);
    }
}

TEST_F(MakeCredentials, ReplacesAnExistingFileAndWarnsAboutBlankValues) {
    ASSERT_EQ(run(argsWithOutput(sampleFields)), exitOk);
    std::array<std::string_view, 9> values = sampleFields;
    values[5] = " ";
    ASSERT_EQ(run(argsWithOutput(values)), exitOk);
    EXPECT_NE(err.str().find("sender id is blank"), std::string::npos) << err.str();
    const std::string content = readFile(dir / "Reminder.dat");
    const std::string plain =
        modEncryption::DecipherText(content.substr(0, content.find('\r')), passPhrase);
    EXPECT_NE(plain.find("#CDMA#ser#?#ss# #pa#"), std::string::npos) << plain;
}

TEST_F(MakeCredentials, ReportsAFileItCannotWrite) {
    const std::string missingFolder = (dir / "no such folder" / "Reminder.dat").string();
    std::vector<std::string_view> args = {"--output", missingFolder};
    args.insert(args.end(), sampleFields.begin(), sampleFields.end());
    EXPECT_EQ(run(args), exitWriteFailed);
    EXPECT_NE(err.str().find("no file written"), std::string::npos) << err.str();

    // A folder in the way of the target: the temporary file is written, the rename must fail.
    fs::create_directory(dir / "Reminder.dat");
    fs::create_directory(dir / "Reminder.dat" / "inside");
    EXPECT_EQ(run(argsWithOutput(sampleFields)), exitWriteFailed);
    EXPECT_FALSE(fs::exists(dir / "Reminder.dat.tmp"));
    EXPECT_TRUE(fs::is_directory(dir / "Reminder.dat"));
}

} // namespace
} // namespace credentials
