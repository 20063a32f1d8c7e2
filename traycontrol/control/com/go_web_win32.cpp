// GoWeb: finds the program that opens web pages and starts it on the control maker's site.
#include "traycontrol/control/com/go_web_win32.h"

#include <shellapi.h>

#include "common/win32/handles.h"

#include <string>

namespace norvane::com {

namespace {
constexpr wchar_t kMakerWebSite[] = L"http://www.norvane.example/";
}

void visitMakerWebSite(HWND owner) {
    // The placeholder page exists only so the shell can name the program for .HTM files. It
    // lives in the user's temporary folder: the root of drive C: is not writable for users.
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    const std::wstring page = std::wstring(folder, length) + L"temphtm.HTM";
    {
        win32::UniqueHandle file(CreateFileW(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() != INVALID_HANDLE_VALUE) {
            static constexpr char kPage[] = "\"<HTML> <\\HTML>\"\r\n";
            DWORD written = 0;
            WriteFile(file.get(), kPage, sizeof kPage - 1, &written, nullptr);
        } else {
            file.release(); // not a handle to close
        }
    }
    wchar_t program[MAX_PATH] = {};
    const auto found = reinterpret_cast<INT_PTR>(FindExecutableW(page.c_str(), nullptr, program));
    if (found <= 32) {
        MessageBoxW(owner, L"No Explorer found ", L"Internet", MB_ICONEXCLAMATION);
    } else {
        const auto started = reinterpret_cast<INT_PTR>(
            ShellExecuteW(owner, L"open", program, kMakerWebSite, nullptr, SW_SHOWNORMAL));
        if (started <= 32)
            MessageBoxW(owner, L"Error opening website ", L"URL", MB_ICONEXCLAMATION);
    }
    DeleteFileW(page.c_str());
}

} // namespace norvane::com
