// Main's hidden window: timers, tray events, the tray menu and the hand-over from a second start.
#pragma once

#include "main_form.h"

#include <windows.h>

#include <chrono>

namespace davrin {

inline constexpr wchar_t kMainWindowClass[] = L"DavrinKelvorMain";

class MainWindow final : public MainView {
public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    // From here on the window's messages reach `form`; both timers start.
    void run(Main& form, std::chrono::milliseconds tick);
    // A ctlSysTray1 event, by its DISPID.
    void trayEvent(std::int32_t eventId);

    void hide() override { ShowWindow(window_, SW_HIDE); }
    std::optional<MenuCommand> popupMenu(const std::array<MenuEntry, 3>& items) override;
    void showAbout() override;
    void endProgram() override { PostQuitMessage(0); }

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    Main* form_ = nullptr;
};

} // namespace davrin
