// Drives modal dialogs from inside their own message loops: each scripted action runs on the
// next dialog that comes up, through a thread timer that every modal loop dispatches.
#pragma once

#include "reminder/shell/kelvor_process_win32_test.h"
#include "reminder/ui/text_win32.h"

#include <gtest/gtest.h>

#include <deque>

namespace davrin::test {

class ModalDriver {
public:
    using Action = std::function<void(HWND dialog)>;

    explicit ModalDriver(HWND main) : main_(main) {
        instance_ = this;
        timer_ = SetTimer(nullptr, 0, 30, &ModalDriver::tick);
    }
    ~ModalDriver() {
        KillTimer(nullptr, timer_);
        instance_ = nullptr;
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Queues an action for the next modal dialog, then does `trigger`, which returns when the
    // dialogs it opened have closed. Fails (and closes the dialog) when an action never ran.
    void run(std::deque<Action> actions, const std::function<void()>& trigger) {
        actions_ = std::move(actions);
        last_ = nullptr;
        started_ = GetTickCount();
        trigger();
        EXPECT_TRUE(actions_.empty()) << actions_.size() << " dialog(s) never appeared";
        actions_.clear();
    }

private:
    // The dialog on top is the active window: a modal one disables its owner and takes over.
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalDriver* self = instance_;
        HWND top = GetActiveWindow();
        if (self == nullptr || top == nullptr || top == self->main_)
            return;
        if (self->actions_.empty() || (top == self->last_ && IsWindow(top))) {
            if (GetTickCount() - self->started_ > 10000) {
                ADD_FAILURE() << "dialog left open: " << ui::toUtf8(textOf(top));
                SendMessageW(top, WM_COMMAND, IDCANCEL, 0);
            }
            return;
        }
        Action action = std::move(self->actions_.front());
        self->actions_.pop_front();
        self->last_ = top;
        action(top); // may open a nested dialog; this timer drives it too
    }

    static inline ModalDriver* instance_ = nullptr;
    HWND main_;
    UINT_PTR timer_ = 0;
    std::deque<Action> actions_;
    HWND last_ = nullptr;
    DWORD started_ = 0;
};

} // namespace davrin::test
