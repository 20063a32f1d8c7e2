// The control's hidden window: it receives the tray callback, the timer and the shell's restart.
#pragma once

#include "common/win32/handles.h"
#include "traycontrol/control/logic/sys_tray_ports.h"

namespace norvane::com {

using logic::NotifyIconData;
using logic::NotifyMessage;
using logic::TrayShell;
using logic::TrayTimer;
using win32::Bstr;
using win32::ComPtr;
using win32::Variant;

class TrayWindow final : public TrayShell, public TrayTimer {
public:
    class Handler {
    public:
        virtual void onTick() = 0;
        virtual void onTrayMouse(WPARAM wParam, LPARAM lParam) = 0;
        virtual void onTaskbarCreated() = 0;

    protected:
        ~Handler() = default;
    };

    explicit TrayWindow(Handler& handler);
    HWND handle() const { return window_.get(); }

    bool notifyIcon(NotifyMessage message, const NotifyIconData& record) override;
    std::string toAnsi(std::u16string_view text) const override;
    void setInterval(std::uint32_t milliseconds) override;
    void setEnabled(bool enabled) override;

    // Dispatches one waiting message of this thread; false when none waits.
    static bool pumpOne();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool handle(UINT message, WPARAM wParam, LPARAM lParam); // false: not ours
    void applyTimer();

    Handler& handler_;
    win32::UniqueHwnd window_;
    std::uint32_t interval_ = 500;
    bool enabled_ = false;
};

// Unregisters the window class when the DLL is unloaded.
void unregisterTrayWindowClass();

} // namespace norvane::com
