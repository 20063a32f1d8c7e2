// Wine test of make-credentials.exe: the ANSI code page decides which characters a field may hold.
#include "reminder/shell/kelvor_process_win32_test.h"
#include "reminder/sms/credentials_file.h"
#include "reminder/sms/mod_encryption.h"

#include <gtest/gtest.h>

namespace davrin::test {
namespace {

TEST(MakeCredentialsExe, RefusesACharacterTheCodePageLacksAndKeepsOneItHas) {
    ASSERT_EQ(GetACP(), 1252u) << "the Western code page, which the test prefix runs with";
    const TempFolder dir;
    const auto run = [&](const std::wstring& fifthField) {
        return runToEnd(L"\"" + (thisProgramsFolder() / L"make-credentials.exe").wstring() +
                            L"\" -o \"" + (dir / "Reminder.dat").wstring() + L"\" a b c d e " +
                            fifthField + L" f g h",
                        60s);
    };

    // A snowman has no byte in it: refused, nothing written (it used to arrive as "?").
    EXPECT_EQ(run(L"\u2603"), 2u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    // An e with an accent has one, and that byte is what the program deciphers.
    EXPECT_EQ(run(L"caf\u00e9"), 0u);
    const std::string text = readFile(dir / "Reminder.dat");
    EXPECT_EQ(sms::DecipherText(text.substr(0, text.find('\r')), sms::passPhrase),
              "a#b#c#d#e#caf\xE9#f#g#h    ");
}

} // namespace
} // namespace davrin::test
