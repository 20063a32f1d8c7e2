// Makes a modal window modal to the whole program, not just to the window that owns it.
#pragma once

#include <windows.h>

#include <vector>

namespace davrin::ui {

// Hold one for the length of every modal window (a dialog box, a message box), made just before
// the window opens. A modal window by itself disables only its owner; the program's other windows
// would keep taking input and could change what the modal window is about to write (an edit in the
// list under an alert, lost when the alert's answer is stored). Every visible window of the
// program is disabled meanwhile; exactly those are enabled again at the end, so a window an outer
// modal window holds stays disabled. Hidden windows are left alone: the tray icon and its menu keep
// working, so the program can always be paused or ended.
class ProgramModal {
public:
    ProgramModal() : active_(GetActiveWindow()) {
        EnumThreadWindows(GetCurrentThreadId(), &disable, reinterpret_cast<LPARAM>(this));
        ++depth_;
    }
    ~ProgramModal() {
        --depth_;
        for (HWND window : disabled_)
            if (IsWindow(window))
                EnableWindow(window, TRUE);
        // The modal window closed with every other one disabled, so the system found nowhere in
        // the program to move the activation: hand it back to the window the user was in.
        if (active_ && IsWindow(active_) && IsWindowEnabled(active_))
            SetForegroundWindow(active_);
    }
    ProgramModal(const ProgramModal&) = delete;
    ProgramModal& operator=(const ProgramModal&) = delete;

    // Whether a modal window is open: no new window may open beside it.
    static bool open() { return depth_ > 0; }

private:
    // Called by the system: nothing may unwind out of it. A window that cannot be remembered is
    // left enabled rather than disabled for good.
    static BOOL CALLBACK disable(HWND window, LPARAM self) noexcept {
        if (!IsWindowVisible(window) || !IsWindowEnabled(window))
            return TRUE;
        try {
            reinterpret_cast<ProgramModal*>(self)->disabled_.push_back(window);
        } catch (...) {
            return FALSE;
        }
        EnableWindow(window, FALSE);
        return TRUE;
    }

    HWND active_;
    std::vector<HWND> disabled_;
    static inline int depth_ = 0;
};

} // namespace davrin::ui
