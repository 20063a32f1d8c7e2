// The alert window as a real dialog: NewRemScreen's view, shown modally by the scan.
#pragma once

#include "reminder/shell/alert_window.h"
#include "reminder/store/clock.h"

#include <windows.h>

namespace davrin::shell {

class NewRemScreenWindow final : public AlertWindow {
public:
    NewRemScreenWindow(HWND owner, const store::Clock& clock) : owner_(owner), clock_(clock) {}
    bool isVisible() const override { return window_ != nullptr && IsWindowVisible(window_); }
    std::optional<AlertResult> showModal(const AlertLabels& labels) override;

private:
    friend class NewRemScreenDialog;
    HWND owner_;
    const store::Clock& clock_;
    HWND window_ = nullptr;
};

} // namespace davrin::shell
