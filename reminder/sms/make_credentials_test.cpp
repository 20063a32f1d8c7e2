// Tests of the make-credentials command: usage, refusals, the written file and write failures.
#include "reminder/sms/make_credentials.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <sstream>
#include <vector>

#include "reminder/sms/credentials_file.h"
#include "reminder/sms/mod_encryption.h"
#include "reminder/store/store_test_support.h"

namespace davrin::sms {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using Fields = std::array<std::string_view, 9>;

const Fields sampleFields = {
    "http://gw.example/sms.aspx", "CDMA", "ser", "?", "ss", "DAVRIN", "pa", "u", "word "};

class MakeCredentials : public ::testing::Test {
protected:
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
    std::string written(const char* name = "Reminder.dat") const {
        return test::readFile(dir / name);
    }
    // What the folder holds, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    test::TempFolder folder;
    const fs::path& dir = folder.path();
    std::string outputText = (dir / "Reminder.dat").string();
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(MakeCredentials, UsageNamesEveryFieldAndWritesNothing) {
    EXPECT_EQ(run({"--help"}), exitOk);
    for (const FieldDescription& field : fields) {
        EXPECT_THAT(out.str(), HasSubstr(field.name));
        EXPECT_THAT(out.str(), HasSubstr(field.meaning));
    }
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> wrong = {
        {{"-o", outputText, "1", "2", "3", "4", "5", "6", "7", "8"}, "expected 9 fields, got 8"},
        {{"--colour", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, "unknown option --colour"},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "-o"}, "-o needs a path"},
        {{"--output=", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, "--output needs a path"},
    };
    for (const auto& [args, message] : wrong) {
        EXPECT_EQ(run(args), exitUsage);
        EXPECT_THAT(err.str(), HasSubstr("make-credentials: " + message + "\n"));
        EXPECT_THAT(err.str(), HasSubstr("usage: make-credentials"));
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(MakeCredentials, WritesTheFieldsJoinedByHashEnciphered) {
    test::writeFile(dir / "Reminder.dat.tmp", "another program's"); // not ours to touch
    ASSERT_EQ(runInto(sampleFields), exitOk) << err.str();
    EXPECT_EQ(err.str(), "");
    const std::string content = written();
    const std::size_t lineEnd = content.find_first_of("\r\n");
    EXPECT_EQ(content.substr(lineEnd), "\r\n");
    // The cipher pads the last block with blanks.
    EXPECT_EQ(DecipherText(content.substr(0, lineEnd), passPhrase),
              "http://gw.example/sms.aspx#CDMA#ser#?#ss#DAVRIN#pa#u#word   ");
    EXPECT_EQ(names(), (std::vector<std::string>{"Reminder.dat", "Reminder.dat.tmp"}));
    EXPECT_EQ(written("Reminder.dat.tmp"), "another program's");

    // Another run replaces the file, and says when a value is blank.
    Fields values = sampleFields;
    values[5] = " ";
    ASSERT_EQ(runInto(values, "--output"), exitOk);
    EXPECT_THAT(err.str(), HasSubstr("sender id is blank"));
    EXPECT_THAT(DecipherText(written().substr(0, written().find('\r')), passPhrase),
                HasSubstr("#CDMA#ser#?#ss# #pa#"));
}

// A "#" would shift the fields after it; a character the ANSI code page lacks (on Windows) would
// reach the file as "?".
TEST_F(MakeCredentials, RefusesAHashOrAnUnconvertibleCharacterInAnyFieldAndKeepsTheOldFile) {
    ASSERT_EQ(runInto(sampleFields), exitOk);
    const std::string before = written();
    for (std::size_t i = 0; i < sampleFields.size(); ++i) {
        for (const bool lossy : {false, true}) {
            std::vector<Argument> args = {Argument("-o"), Argument(outputText)};
            for (std::size_t f = 0; f < sampleFields.size(); ++f)
                args.emplace_back(f == i && !lossy ? "pass#word" : sampleFields[f],
                                  f == i && lossy);
            err.str({});
            EXPECT_EQ(runMakeCredentials(std::span<const Argument>(args), out, err), exitUsage);
            EXPECT_THAT(err.str(), HasSubstr("field " + std::to_string(i) + " ("));
            EXPECT_THAT(err.str(), HasSubstr(lossy ? "outside the ANSI code page" : "separates"));
            EXPECT_THAT(err.str(), HasSubstr("no file written"));
            EXPECT_EQ(written(), before);
        }
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
    EXPECT_EQ(names(), std::vector<std::string>{"Reminder.dat"}); // no temporary file left
    EXPECT_TRUE(fs::is_directory(dir / "Reminder.dat"));
}

} // namespace
} // namespace davrin::sms
