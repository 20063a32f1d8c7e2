// The alert window as a real dialog: NewRemScreen's view, shown modally by the scan.
#pragma once

#include "alert_window.h"
#include "clock.h"

#include <windows.h>

namespace davrin {

class Win32AlertWindow final : public AlertWindow {
public:
    Win32AlertWindow(HINSTANCE instance, HWND owner, const Clock& clock)
        : instance_(instance), owner_(owner), clock_(clock) {}
    bool isVisible() const override { return window_ != nullptr && IsWindowVisible(window_); }
    void showModal(const AlertLabels& labels) override;

private:
    friend class NewRemScreenDialog;
    HINSTANCE instance_;
    HWND owner_;
    const Clock& clock_;
    HWND window_ = nullptr;
};

} // namespace davrin
