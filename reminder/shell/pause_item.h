// The tray menu's pause item: its caption is the pause state, as the menu shows it.
#pragma once

#include <string>

namespace davrin::shell {

inline constexpr const char* kPauseCaption = "&Pause Reminder";
inline constexpr const char* kResumeCaption = "&Resume Reminder";

class PauseItem {
public:
    const std::string& caption() const { return caption_; }
    bool paused() const { return caption_ == kResumeCaption; }
    void toggle() { caption_ = paused() ? kPauseCaption : kResumeCaption; }

private:
    // Every start begins unpaused; the state is never stored.
    std::string caption_ = kPauseCaption;
};

} // namespace davrin::shell
