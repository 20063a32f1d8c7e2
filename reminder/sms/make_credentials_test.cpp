// Tests of the make-credentials command: usage, refusals, the written file and write failures.
#include "make_credentials.h"

#include <gmock/gmock.h>
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
using testing::HasSubstr;
using Fields = std::array<std::string_view, 9>;

const Fields sampleFields = {
    "http://gw.example/sms.aspx", "CDMA", "ser", "?", "ss", "DAVRIN", "pa", "u", "word "};

class MakeCredentials : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("make-credentials-test-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
        outputText = (dir / "Reminder.dat").string();
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
    // Runs with the output in the test's folder.
    int runInto(const Fields& values, std::string_view option = "-o") {
        std::vector<std::string_view> args = {option, outputText};
        args.insert(args.end(), values.begin(), values.end());
        return run(args);
    }
    std::string written() const {
        std::ifstream file(dir / "Reminder.dat", std::ios::binary);
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
        EXPECT_THAT(out.str(), HasSubstr(field.name));
        EXPECT_THAT(out.str(), HasSubstr(field.meaning));
    }
    const std::vector<std::vector<std::string_view>> wrong = {
        {},
        {"-o", outputText, "1", "2", "3", "4", "5", "6", "7", "8"},
        {"--colour", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
        {"1", "2", "3", "4", "5", "6", "7", "8", "9", "-o"},
    };
    for (const auto& args : wrong) {
        EXPECT_EQ(run(args), exitUsage);
        EXPECT_THAT(err.str(), HasSubstr("usage: make-credentials"));
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(MakeCredentials, WritesTheFieldsJoinedByHashEnciphered) {
    ASSERT_EQ(runInto(sampleFields), exitOk) << err.str();
    EXPECT_EQ(err.str(), "");
    const std::string content = written();
    const std::size_t lineEnd = content.find_first_of("\r\n");
    EXPECT_EQ(content.substr(lineEnd), "\r\n");
    // The cipher pads the last block with blanks.
    EXPECT_EQ(modEncryption::DecipherText(content.substr(0, lineEnd), passPhrase),
              "http://gw.example/sms.aspx#CDMA#ser#?#ss#DAVRIN#pa#u#word   ");
    EXPECT_FALSE(fs::exists(dir / "Reminder.dat.tmp"));

    // Another run replaces the file, and says when a value is blank.
    Fields values = sampleFields;
    values[5] = " ";
    ASSERT_EQ(runInto(values, "--output"), exitOk);
    EXPECT_THAT(err.str(), HasSubstr("sender id is blank"));
    EXPECT_THAT(modEncryption::DecipherText(written().substr(0, written().find('\r')), passPhrase),
                HasSubstr("#CDMA#ser#?#ss# #pa#"));
}

TEST_F(MakeCredentials, WritesReminderDatInTheCurrentFolderByDefault) {
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    const int code = run({sampleFields.begin(), sampleFields.end()});
    fs::current_path(previous);
    EXPECT_EQ(code, exitOk) << err.str();
    EXPECT_TRUE(fs::exists(dir / "Reminder.dat"));
}

TEST_F(MakeCredentials, RefusesAHashInAnyFieldAndKeepsTheOldFile) {
    ASSERT_EQ(runInto(sampleFields), exitOk);
    const std::string before = written();
    for (std::size_t i = 0; i < sampleFields.size(); ++i) {
        Fields values = sampleFields;
        values[i] = "pass#word";
        EXPECT_EQ(runInto(values), exitUsage) << "field " << i;
        EXPECT_THAT(err.str(), HasSubstr("field " + std::to_string(i) + " ("));
        EXPECT_THAT(err.str(), HasSubstr("no file written"));
        EXPECT_EQ(written(), before);
    }
}

TEST_F(MakeCredentials, ReportsAFileItCannotWrite) {
    outputText = (dir / "no such folder" / "Reminder.dat").string();
    EXPECT_EQ(runInto(sampleFields), exitWriteFailed);
    EXPECT_THAT(err.str(), HasSubstr("no file written"));

    // A folder in the way of the target: the temporary file is written, the rename must fail.
    outputText = (dir / "Reminder.dat").string();
    fs::create_directories(dir / "Reminder.dat" / "inside");
    EXPECT_EQ(runInto(sampleFields), exitWriteFailed);
    EXPECT_FALSE(fs::exists(dir / "Reminder.dat.tmp"));
    EXPECT_TRUE(fs::is_directory(dir / "Reminder.dat"));
}

} // namespace
} // namespace credentials
