// The wall between the platform's frames and ours: what a handler throws is reported, not unwound.
#pragma once

#include <windows.h>

#include <exception>

namespace davrin::ui {

// A message box owned by `owner` naming the cause; never throws.
void reportFailure(HWND owner, const char* cause) noexcept;

// Runs `work` from a window or dialog procedure: its result, or `onFailure` once what it threw
// has been reported. Window and dialog procedures call their handlers only through this.
template <class Result, class Work>
Result guarded(HWND owner, Result onFailure, Work&& work) noexcept {
    try {
        return work();
    } catch (const std::exception& e) {
        reportFailure(owner, e.what());
    } catch (...) {
        reportFailure(owner, "an error the program does not know");
    }
    return onFailure;
}

} // namespace davrin::ui
