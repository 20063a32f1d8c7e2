// Main's hidden window: turns timer ticks, tray events and menu choices into Main's handlers.
#include "reminder/shell/main_window_win32.h"

#include "common/win32/handles.h"
#include "reminder/about/about_win32.h"
#include "reminder/shell/single_instance_win32.h"
#include "reminder/ui/guarded_win32.h"
#include "reminder/ui/text_win32.h"
#include "traycontrol/control/com/norvane_ids.h"

#include <stdexcept>

namespace davrin::shell {

namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT_PTR kTimer2 = 2;

} // namespace

MainWindow::MainWindow(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainWindow::proc;
    wc.hInstance = instance;
    wc.lpszClassName = kMainWindowClass;
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(0, kMainWindowClass, L"Reminder", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                              nullptr, instance, this);
    if (!window_)
        throw std::runtime_error("The main window could not be created.");
}

MainWindow::~MainWindow() {
    KillTimer(window_, kTimer1);
    KillTimer(window_, kTimer2);
    DestroyWindow(window_);
}

void MainWindow::startTimers(std::chrono::milliseconds tick) {
    const auto interval = static_cast<UINT>(tick.count());
    SetTimer(window_, kTimer1, interval, nullptr);
    SetTimer(window_, kTimer2, interval, nullptr);
}

void onTrayEvent(Main& form, std::int32_t eventId) {
    if (eventId == norvane::eventid::TrMouseLeftDblClk)
        form.ctlSysTray1_TrMouseLeftDblClk();
    else if (eventId == norvane::eventid::TrMouseRightDown)
        form.ctlSysTray1_TrMouseRightDown();
}

std::optional<MenuCommand> MainWindow::popupMenu(const std::array<MenuEntry, 3>& items) {
    const win32::UniqueMenu menu(CreatePopupMenu());
    for (const MenuEntry& item : items)
        AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.command) + 1,
                    ui::toWide(item.caption).c_str());
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground the menu would stay open when the user clicks elsewhere.
    SetForegroundWindow(window_);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, window_, nullptr));
    PostMessageW(window_, WM_NULL, 0, 0);
    if (chosen == 0)
        return std::nullopt;
    return static_cast<MenuCommand>(chosen - 1);
}

void MainWindow::showAbout() {
    about::ShellExecuteLinks shell;
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    about::showFrmAbout(window_, shell, store::FilePath(program).parent());
}

LRESULT CALLBACK MainWindow::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return ui::guarded(window, LRESULT{0}, [&] { return self->handle(message, wParam, lParam); });
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (form_ && message == WM_TIMER) {
        if (wParam == kTimer1)
            form_->Timer1_Timer();
        else if (wParam == kTimer2)
            form_->Timer2_Timer();
        return 0;
    }
    if (form_ && message == openListMessage()) {
        // Same rule as the tray double-click: not over an open alert.
        form_->ctlSysTray1_TrMouseLeftDblClk();
        return 0;
    }
    if (message == WM_CLOSE || message == WM_ENDSESSION) {
        // Someone asked the program to end (log-off, a task manager): end as Exit does.
        if (message == WM_CLOSE || wParam)
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace davrin::shell
