// The alert window as the due-reminder scan sees it.
#pragma once

#include "reminder/store/date_time.h"

#include <optional>
#include <string>

namespace davrin::shell {

// The four texts the scan puts into the alert, already trimmed.
struct AlertLabels {
    std::string Label7; // heading, "Reminder of ..."
    std::string Label1; // the message
    std::string Label2; // thought for the day
    std::string Label3; // news line
};

enum class AlertAnswer { Dismiss, Snooze, Modify };

struct AlertResult {
    AlertAnswer answer = AlertAnswer::Dismiss;
    store::LocalDateTime newTime; // the time chosen with Modify
};

class AlertWindow {
public:
    virtual ~AlertWindow() = default;
    virtual bool isVisible() const = 0;
    // Shows NewRemScreen modally; the button's answer, or none when the alert went away
    // unanswered (the program is ending).
    virtual std::optional<AlertResult> showModal(const AlertLabels& labels) = 0;
};

} // namespace davrin::shell
