// Main's hidden window: timers, tray events, the tray menu and the hand-over from a second start.
#pragma once

#include "reminder/shell/main_form.h"

#include <windows.h>

#include <chrono>
#include <cstdint>

namespace davrin::shell {

inline constexpr wchar_t kMainWindowClass[] = L"DavrinKelvorMain";

class MainWindow final : public MainView {
public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    // From here on the window's messages reach `form`.
    void route(Main& form) { form_ = &form; }
    // Timer1 and Timer2, both every `tick`.
    void startTimers(std::chrono::milliseconds tick);

    void hide() override { ShowWindow(window_, SW_HIDE); }
    std::optional<MenuCommand> popupMenu(const std::array<MenuEntry, 3>& items) override;
    void showAbout() override {}
    void endProgram() override { PostQuitMessage(0); }

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    Main* form_ = nullptr;
};

// A ctlSysTray1 event, by its DISPID, to its handler.
void onTrayEvent(Main& form, std::int32_t eventId);

} // namespace davrin::shell
