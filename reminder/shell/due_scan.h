// The due-reminder scan (Timer1_Timer): alerts due occurrences one by one and applies answers.
#pragma once

#include "alert_window.h"
#include "clock.h"
#include "database.h"
#include "http_client.h"
#include "list_window.h"
#include "message_box.h"
#include "pause_item.h"

#include <cstdint>

namespace davrin {

// A snooze interval of 0 (or anything that would not move the reminder forward) means this.
inline constexpr int kDefaultSnoozeMinutes = 15;

// Title of the plain box that confirms a new time chosen in the alert.
inline constexpr const char* kProgramTitle = "KELVOR";

class DueReminderScan {
public:
    struct Services {
        const Connection& conn;
        const Clock& clock;
        const PauseItem& Prem;
        AlertWindow& alert;
        ListWindow& list;
        HttpClient& http;
        MessageBoxes& boxes;
    };

    explicit DueReminderScan(Services services) : s_(services) {}

    // One tick. Returns at once when paused or while an alert from an earlier tick is open.
    void Timer1_Timer();

private:
    // Alerts the earliest due occurrence and applies the answer; true when more were due then.
    bool alertEarliest();
    // False when there was no answer, or it could not be stored (reported; it stays due).
    bool applyAnswer();
    void applySnooze();

    Services s_;
    // Ticks keep coming while the alert is modal; this keeps a second alert away.
    bool running_ = false;
    std::int64_t mAlertRemId = 0;
    int mSnoozeMinutes = 0;
};

} // namespace davrin
