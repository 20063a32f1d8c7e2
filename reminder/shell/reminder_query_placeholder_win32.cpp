// The empty stand-in list window: it opens from the tray and hides again when closed.
#include "reminder_query_placeholder_win32.h"

namespace davrin {

namespace {

constexpr wchar_t kClassName[] = L"DavrinReminderQuery";

LRESULT CALLBACK placeholderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ShowWindow(window, SW_HIDE);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

ReminderQueryPlaceholder::~ReminderQueryPlaceholder() {
    if (window_)
        DestroyWindow(window_);
}

void ReminderQueryPlaceholder::showModeless() {
    if (!window_) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = placeholderProc;
        wc.hInstance = instance_;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        RegisterClassExW(&wc);
        window_ =
            CreateWindowExW(0, kClassName, L"ReminderQuery", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, 480, 320, nullptr, nullptr, instance_, nullptr);
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

} // namespace davrin
