// Message boxes as a service, so the logic that shows them is testable without a desktop.
#pragma once

#include <string>

namespace davrin::ui {

enum class MessageIcon { None, Information, Question, Error };

// Every box the program's windows raise carries this title, save the one that confirms a time.
inline constexpr const char* kReminderTitle = "Reminder";

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal; returns when the box has gone: true when the user closed it, false when it went
    // unanswered because the program is ending.
    virtual bool show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

} // namespace davrin::ui
