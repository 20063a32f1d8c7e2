// The alert window as the due-reminder scan sees it.
#pragma once

#include <string>

namespace davrin {

// The four texts the scan puts into the alert, already trimmed.
struct AlertLabels {
    std::string Label7; // heading, "Reminder of ..."
    std::string Label1; // the message
    std::string Label2; // thought for the day
    std::string Label3; // news line
};

class AlertWindow {
public:
    virtual ~AlertWindow() = default;
    virtual bool isVisible() const = 0;
    // Shows NewRemScreen modally; returns once a button has answered (gAlertResult, gNewTime).
    virtual void showModal(const AlertLabels& labels) = 0;
};

} // namespace davrin
