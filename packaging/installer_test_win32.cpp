// The installer in a fresh Wine prefix: silent install, upgrade over a running copy, uninstall.
#include "common/win32/handles.h"
#include "davrin_version.h"
#include "reminder/shell/kelvor_process_win32_test.h"
#include "reminder/store/clock.h"
#include "reminder/store/reminder_statements.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <set>

namespace davrin::test {
namespace {

namespace fs = std::filesystem;

fs::path knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
        return {};
    fs::path result(path);
    CoTaskMemFree(path);
    return result;
}

// Where a shortcut leads, read through the shell's own link object.
fs::path linkTarget(const fs::path& link) {
    win32::ComPtr<IShellLinkW> shellLink;
    win32::ComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH] = L"";
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&shellLink))) &&
        SUCCEEDED(shellLink.As(&file)) && SUCCEEDED(file->Load(link.c_str(), STGM_READ)))
        shellLink->GetPath(target, MAX_PATH, nullptr, 0);
    return target;
}

std::wstring uninstallEntry(const wchar_t* name) {
    wchar_t value[MAX_PATH] = L"";
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER,
                     L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Davrin", name,
                     RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}

// The main window of a running KELVOR, found the way the installer finds it.
HWND runningCopy() {
    return FindWindowW(L"DavrinKelvorMain", nullptr);
}

std::set<std::string> filesIn(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(InstallerTest, InstallsUpgradesARunningCopyAndUninstallsKeepingTheReminders) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const std::wstring setup =
        L"\"" + (thisProgramsFolder() / L"davrin-setup-test.exe").wstring() + L"\" /S";
    const fs::path home = knownFolder(FOLDERID_LocalAppData) / "Programs" / "Davrin";
    const fs::path program = home / "KELVOR.exe";
    const fs::path menuLink = knownFolder(FOLDERID_Programs) / "Davrin.lnk";
    const fs::path startupLink = knownFolder(FOLDERID_Startup) / "Davrin.lnk";
    ASSERT_FALSE(fs::exists(home)) << "the prefix is not a fresh one";

    ASSERT_EQ(runToEnd(setup, 120s), 0u);
    EXPECT_EQ(filesIn(home),
              (std::set<std::string>{"KELVOR.exe", "Norvane.dll", "make-credentials.exe",
                                     "norvane-design.exe", "README.txt", "uninstall.exe"}));
    EXPECT_EQ(linkTarget(menuLink), program);
    EXPECT_EQ(linkTarget(startupLink), program) << "starting at sign-in is on by default";
    EXPECT_EQ(uninstallEntry(L"DisplayVersion"), DAVRIN_VERSION_WIDE);
    EXPECT_EQ(uninstallEntry(L"UninstallString"),
              L"\"" + (home / "uninstall.exe").wstring() + L"\"");

    // The installed program starts, places its icon and makes its database; reminders go in.
    KelvorProcess first(home);
    ASSERT_NE(waitForWindow(trayIconWindow, 60s), nullptr);
    const fs::path database = home / "KELVOR.db";
    ASSERT_TRUE(waitUntil([&] { return fs::exists(database); }));
    const std::int64_t kept = store::insertOneTimeReminder(
        store::openDatabase(database), "Renew", store::SystemClock().now().addDays(30), 0);
    writeFile(home / "Reminder.dat", "account");
    writeFile(home / "README.txt", "stale");

    // Over the running copy: it is closed, the files replaced, the data kept, the copy restarted.
    ASSERT_EQ(runToEnd(setup, 120s), 0u);
    EXPECT_EQ(first.waitForExit(10s), 0u) << "the running copy was not closed politely";
    EXPECT_TRUE(waitUntil([] { return runningCopy() != nullptr; }, 30s))
        << "the copy that was running was not started again";
    EXPECT_NE(waitForWindow(trayIconWindow, 30s), nullptr);
    EXPECT_NE(readFile(home / "README.txt"), "stale");
    EXPECT_TRUE(store::selectOccurrence(store::openDatabase(database), kept));
    EXPECT_EQ(readFile(home / "Reminder.dat"), "account");

    // The uninstaller runs on from a copy of itself, so its end shows in what it removes.
    ASSERT_EQ(runToEnd(L"\"" + (home / "uninstall.exe").wstring() + L"\" /S", 60s), 0u);
    EXPECT_TRUE(waitUntil([&] { return uninstallEntry(L"DisplayName").empty(); }, 60s));
    EXPECT_TRUE(waitUntil([] { return runningCopy() == nullptr; }, 30s));
    EXPECT_TRUE(waitUntil(
        [&] {
            return filesIn(home) == std::set<std::string>{"KELVOR.db", "Reminder.dat"};
        },
        30s))
        << "left in the program folder: " << filesIn(home).size() << " files";
    EXPECT_FALSE(fs::exists(menuLink));
    EXPECT_FALSE(fs::exists(startupLink));
    CoUninitialize();
}

} // namespace
} // namespace davrin::test
