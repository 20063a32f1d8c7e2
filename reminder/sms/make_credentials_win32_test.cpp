// Wine test of make-credentials.exe: the ANSI code page decides which characters a field may hold.
#include "reminder/sms/credentials_file.h"
#include "reminder/sms/mod_encryption.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace davrin::sms {
namespace {

namespace fs = std::filesystem;

// Runs make-credentials.exe from beside this test; answers its exit code.
DWORD runTool(std::wstring arguments) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + (fs::path(self).parent_path() / L"make-credentials.exe").wstring() +
                        L"\" " + arguments;
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                        &process))
        return GetLastError() + 1000;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(MakeCredentialsExe, RefusesACharacterTheCodePageLacksAndKeepsOneItHas) {
    ASSERT_EQ(GetACP(), 1252u) << "the Western code page, which the test prefix runs with";
    const fs::path dir = fs::temp_directory_path() / L"make-credentials-exe-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path target = dir / L"Reminder.dat";
    const std::wstring output = L"-o \"" + target.wstring() + L"\" a b c d e ";

    // A snowman has no byte in it: refused, nothing written (it used to arrive as "?").
    EXPECT_EQ(runTool(output + L"\u2603 f g h"), 2u);
    EXPECT_TRUE(fs::is_empty(dir));

    // An e with an accent has one, and that byte is what the program deciphers.
    EXPECT_EQ(runTool(output + L"caf\u00e9 f g h"), 0u);
    std::string line;
    std::getline(std::ifstream(target), line);
    EXPECT_EQ(DecipherText(line.substr(0, line.find('\r')), passPhrase),
              "a#b#c#d#e#caf\xE9#f#g#h    ");
    fs::remove_all(dir);
}

} // namespace
} // namespace davrin::sms
