// The due-reminder scan (Timer1_Timer): alerts due occurrences one by one and applies answers.
#pragma once

#include "reminder/shell/alert_window.h"
#include "reminder/shell/http_client.h"
#include "reminder/shell/list_window.h"
#include "reminder/shell/pause_item.h"
#include "reminder/store/clock.h"
#include "reminder/store/database.h"
#include "reminder/store/failure_notice.h"
#include "reminder/store/reminder_statements.h"
#include "reminder/ui/message_box.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace davrin::shell {

// A snooze interval of 0 (or anything that would not move the reminder forward) means this.
inline constexpr int kDefaultSnoozeMinutes = 15;

// Title of the plain box that confirms a new time chosen in the alert.
inline constexpr const char* kProgramTitle = "KELVOR";

// A timer tick waits at most this long, all together, for another program to release the file.
inline constexpr std::chrono::milliseconds kTickLockWait{250};
// An answer the user has just given waits longer before it is kept for a later tick.
inline constexpr std::chrono::milliseconds kAnswerLockWait = store::kDefaultBusyTimeout;

class DueReminderScan {
public:
    struct Services {
        const store::Connection& conn;
        const store::Clock& clock;
        const PauseItem& Prem;
        AlertWindow& alert;
        ListWindow& list;
        HttpClient& http;
        ui::MessageBoxes& boxes;
    };

    explicit DueReminderScan(Services services) : s_(services) {}

    // One tick. Returns at once when paused or while an alert from an earlier tick is open.
    void Timer1_Timer();

private:
    // An answer to an alert, kept until the store has taken it.
    struct Answer {
        std::int64_t remid = 0;
        AlertAnswer answer = AlertAnswer::Dismiss;
        store::LocalDateTime answeredAt; // a snooze counts from here
        store::LocalDateTime newTime;    // the time chosen with Modify
    };
    struct Earliest {
        std::optional<store::Occurrence> first;
        bool moreDue = false;
        std::string news;
    };

    // Alerts due occurrences one after another; the failure to tell afterwards, if any.
    std::optional<std::string> run();
    // Thought, news line and the earliest due occurrence not waiting for its answer to be stored.
    Earliest findEarliest();
    // Shows the alert; false when it was closed without an answer.
    bool ask(const store::Occurrence& due, const std::string& news);
    // Stores the kept answers oldest first; the cause when one failed (it and later ones stay).
    std::optional<std::string> storeAnswers();
    void storeAnswer(const Answer& answer);
    void tellUnreadableRows();

    Services s_;
    // Ticks keep coming while the alert is modal; this keeps a second alert away.
    bool running_ = false;
    std::int64_t mAlertRemId = 0;
    int mSnoozeMinutes = 0;
    std::vector<Answer> pending_;
    store::FailureNotice notice_;
    // Rows whose date cannot be read, by id and text: each is told once.
    std::set<std::pair<std::int64_t, std::string>> toldRows_;
    std::vector<std::string> rowsToTell_;
};

} // namespace davrin::shell
