// A stand-in list window until the real ReminderQuery takes its place: an empty window.
#pragma once

#include "list_window.h"

#include <windows.h>

namespace davrin {

class ReminderQueryPlaceholder final : public ListWindow {
public:
    explicit ReminderQueryPlaceholder(HINSTANCE instance) : instance_(instance) {}
    ~ReminderQueryPlaceholder() override;
    ReminderQueryPlaceholder(const ReminderQueryPlaceholder&) = delete;
    ReminderQueryPlaceholder& operator=(const ReminderQueryPlaceholder&) = delete;

    bool isVisible() const override { return window_ && IsWindowVisible(window_); }
    void showModeless() override;
    void grd1add() override {}

private:
    HINSTANCE instance_;
    HWND window_ = nullptr;
};

} // namespace davrin
