// The per-user mutex that marks the running copy, and the hand-over from a second start.
#include "reminder/shell/single_instance_win32.h"

#include <string>

namespace davrin::shell {

UINT openListMessage() {
    static const UINT message = RegisterWindowMessageW(L"Davrin.KELVOR.OpenList");
    return message;
}

SingleInstance::SingleInstance() {
    wchar_t user[256] = L"";
    DWORD size = static_cast<DWORD>(std::size(user));
    GetUserNameW(user, &size);
    const std::wstring name = std::wstring(L"Local\\Davrin.KELVOR.") + user;
    mutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    // A copy that cannot even create the mutex would rather run than refuse to start.
    first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

void SingleInstance::askRunningCopyToOpenList(const wchar_t* mainWindowClass) {
    // The running copy may take the foreground for its list window.
    AllowSetForegroundWindow(ASFW_ANY);
    // The first copy may still be starting; give it a moment to create its window.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (HWND running = FindWindowW(mainWindowClass, nullptr)) {
            PostMessageW(running, openListMessage(), 0, 0);
            return;
        }
        Sleep(100);
    }
}

} // namespace davrin::shell
