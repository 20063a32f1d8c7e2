// The installer in a fresh Wine prefix: silent install, upgrade over a running copy, uninstall.
#include "davrin_version.h"
#include "reminder/shell/kelvor_process_win32_test.h"
#include "reminder/store/clock.h"
#include "reminder/store/reminder_statements.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <set>

namespace davrin::test {
namespace {

namespace fs = std::filesystem;

constexpr const wchar_t* kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Davrin";

fs::path knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
        return {};
    fs::path result(path);
    CoTaskMemFree(path);
    return result;
}

fs::path besideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path() / name;
}

// Runs a command to its end; its exit code, or STILL_ACTIVE when it is not done in time.
DWORD run(const fs::path& program, std::chrono::milliseconds timeout) {
    std::wstring command = L"\"" + program.wstring() + L"\" /S";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return GetLastError();
    WaitForSingleObject(info.hProcess, static_cast<DWORD>(timeout.count()));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
}

// Where a shortcut leads, read through the shell's own link object.
fs::path linkTarget(const fs::path& link) {
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return {};
    wchar_t target[MAX_PATH] = L"";
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)))
            shellLink->GetPath(target, MAX_PATH, nullptr, 0);
        file->Release();
    }
    shellLink->Release();
    return target;
}

std::wstring uninstallEntry(const wchar_t* name) {
    wchar_t value[MAX_PATH] = L"";
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return {};
    return value;
}

// The process of the running KELVOR, found the way the installer finds it; 0 when none runs.
DWORD runningCopy() {
    DWORD process = 0;
    if (HWND main = FindWindowW(L"DavrinKelvorMain", nullptr))
        GetWindowThreadProcessId(main, &process);
    return process;
}

std::set<std::string> filesIn(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.insert(entry.path().filename().string());
    return names;
}

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(InstallerTest, InstallsUpgradesARunningCopyAndUninstallsKeepingTheReminders) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const fs::path setup = besideThisProgram(L"davrin-setup-test.exe");
    const fs::path home = knownFolder(FOLDERID_LocalAppData) / "Programs" / "Davrin";
    const fs::path program = home / "KELVOR.exe";
    const fs::path menuLink = knownFolder(FOLDERID_Programs) / "Davrin.lnk";
    const fs::path startupLink = knownFolder(FOLDERID_Startup) / "Davrin.lnk";
    ASSERT_FALSE(fs::exists(home)) << "the prefix is not a fresh one";

    ASSERT_EQ(run(setup, 120s), 0u);
    EXPECT_EQ(filesIn(home),
              (std::set<std::string>{"KELVOR.exe", "Norvane.dll", "make-credentials.exe",
                                     "norvane-design.exe", "README.txt", "uninstall.exe"}));
    EXPECT_EQ(linkTarget(menuLink), program);
    EXPECT_EQ(linkTarget(startupLink), program) << "starting at sign-in is on by default";
    EXPECT_EQ(uninstallEntry(L"DisplayVersion"), DAVRIN_VERSION_WIDE);
    EXPECT_EQ(uninstallEntry(L"UninstallString"),
              L"\"" + (home / "uninstall.exe").wstring() + L"\"");

    // The installed program starts, places its icon and makes its database; reminders go in.
    std::optional<KelvorProcess> first(std::in_place, home);
    ASSERT_NE(waitForWindow(trayIconWindow, 60s), nullptr);
    const fs::path database = home / "KELVOR.db";
    ASSERT_TRUE(waitUntil([&] { return fs::exists(database); }));
    const store::LocalDateTime later = store::SystemClock().now().addDays(30);
    const std::int64_t kept[] = {
        store::insertOneTimeReminder(store::openDatabase(database), "Renew", later, 0),
        store::insertOneTimeReminder(store::openDatabase(database), "Call", later, 0)};
    std::ofstream(home / "Reminder.dat", std::ios::binary) << "account";
    std::ofstream(home / "README.txt", std::ios::binary) << "stale";

    // Over the running copy: it is closed, the files replaced, the data kept, the copy restarted.
    ASSERT_EQ(run(setup, 120s), 0u);
    EXPECT_EQ(first->waitForExit(10s), 0u) << "the running copy was not closed politely";
    DWORD again = 0;
    EXPECT_TRUE(
        waitUntil([&] { return (again = runningCopy()) != 0 && again != first->id(); }, 30s))
        << "the copy that was running was not started again";
    EXPECT_NE(waitForWindow(trayIconWindow, 30s), nullptr);
    EXPECT_NE(contentOf(home / "README.txt"), "stale");
    for (const std::int64_t remid : kept)
        EXPECT_TRUE(store::selectOccurrence(store::openDatabase(database), remid)) << remid;
    EXPECT_EQ(contentOf(home / "Reminder.dat"), "account");

    // The uninstaller runs on from a copy of itself, so its end shows in what it removes.
    ASSERT_EQ(run(home / "uninstall.exe", 60s), 0u);
    EXPECT_TRUE(waitUntil([&] { return uninstallEntry(L"DisplayName").empty(); }, 60s));
    EXPECT_TRUE(waitUntil([&] { return runningCopy() == 0; }, 30s));
    EXPECT_TRUE(waitUntil(
        [&] {
            return filesIn(home) == std::set<std::string>{"KELVOR.db", "Reminder.dat"};
        },
        30s))
        << "left in the program folder: " << filesIn(home).size() << " files";
    EXPECT_FALSE(fs::exists(menuLink));
    EXPECT_FALSE(fs::exists(startupLink));
    for (const std::int64_t remid : kept)
        EXPECT_TRUE(store::selectOccurrence(store::openDatabase(database), remid)) << remid;
    CoUninitialize();
}

} // namespace
} // namespace davrin::test
