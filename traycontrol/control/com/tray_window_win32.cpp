// The hidden window behind ctlSysTray, its timer and the ANSI shell call.
#include "traycontrol/control/com/tray_window_win32.h"

#include "traycontrol/control/module/norvane_module_win32.h"

#include "common/win32/guarded.h"

#include <shellapi.h>

#include <algorithm>
#include <stdexcept>

namespace norvane::com {

namespace {
constexpr wchar_t kClassName[] = L"NorvaneTrayWindow";
constexpr UINT_PTR kTimerId = 1;

// Explorer broadcasts this after a restart; only top-level windows hear broadcasts, which is
// why the window is a hidden pop-up rather than a message-only window.
UINT taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void registerClass() {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(module::instance(), kClassName, &existing))
        return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = module::instance();
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}
} // namespace

void unregisterTrayWindowClass() {
    UnregisterClassW(kClassName, module::instance());
}

TrayWindow::TrayWindow(Handler& handler) : handler_(handler) {
    registerClass();
    window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, module::instance(), nullptr));
    if (!window_)
        throw std::runtime_error("the control's window cannot be created");
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&windowProc));
}

bool TrayWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId)
        handler_.onTick();
    else if (message == WM_MOUSEMOVE)
        handler_.onTrayMouse(wParam, lParam);
    else if (message == taskbarCreatedMessage())
        handler_.onTaskbarCreated();
    else
        return false;
    return true;
}

LRESULT CALLBACK TrayWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TrayWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    bool handled = false;
    // A tick or a notification that fails is dropped; the next one tries again.
    if (self)
        win32::guarded([&] { handled = self->handle(message, wParam, lParam); });
    return handled ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

bool TrayWindow::notifyIcon(NotifyMessage message, const NotifyIconData& record) {
    // The control keeps the 32-bit record; the shell gets the platform's own, field by field,
    // in its first (88 bytes on 32-bit Windows) size. Window and icon handles fit in 32 bits
    // and widen by sign extension.
    static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == logic::kNotifyIconDataSize);
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = static_cast<HWND>(LongToHandle(static_cast<LONG>(record.hWnd)));
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = static_cast<HICON>(LongToHandle(static_cast<LONG>(record.hIcon)));
    std::copy(record.szTip.begin(), record.szTip.end(), data.szTip);
    return Shell_NotifyIconA(static_cast<DWORD>(message), &data) != FALSE;
}

std::string TrayWindow::toAnsi(std::u16string_view text) const {
    if (text.empty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

void TrayWindow::setInterval(std::uint32_t milliseconds) {
    interval_ = milliseconds;
    applyTimer();
}

void TrayWindow::setEnabled(bool enabled) {
    enabled_ = enabled;
    applyTimer();
}

void TrayWindow::applyTimer() {
    // The timer cannot fire every 0 ms, so an interval of 0 stops it; setting a later one starts
    // it again.
    if (enabled_ && interval_ > 0)
        SetTimer(window_.get(), kTimerId, interval_, nullptr);
    else
        KillTimer(window_.get(), kTimerId);
}

bool TrayWindow::pumpOne() {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam)); // leave it for the host's own loop
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    return true;
}

} // namespace norvane::com
