// The due-reminder scan: thought, news line, due query, alert, answer, list refresh, repeat.
#include "due_scan.h"

#include "alert_values.h"
#include "news_line.h"
#include "reminder_statements.h"
#include "store_error.h"

#include <exception>

namespace davrin {

namespace {

// Marks the scan busy for the length of one tick, whatever way the tick ends.
class BusyFlag {
public:
    explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyFlag() { flag_ = false; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

private:
    bool& flag_;
};

} // namespace

void DueReminderScan::Timer1_Timer() {
    if (s_.Prem.paused())
        return;
    if (s_.alert.isVisible() || running_)
        return;
    BusyFlag busy(running_);
    // A loop, not a fresh call per occurrence: hundreds may be overdue after a holiday. Each
    // round queries afresh, so occurrences moved into the future are not shown again.
    try {
        while (!s_.Prem.paused() && alertEarliest()) {
        }
    } catch (const std::exception& e) {
        s_.boxes.show(std::string("The due reminders could not be read from the database.\n\n") +
                          e.what(),
                      kReminderTitle, MessageIcon::Error);
    }
}

bool DueReminderScan::alertEarliest() {
    if (auto thought = thoughtOfDay(s_.conn, toDayKey(s_.clock.now())))
        gThought = *thought;

    std::string news;
    if (auto settings = readSettings(s_.conn))
        news = fetchNewsLine(s_.http, settings->newsserver);

    // Two rows are enough to know whether more than one is due.
    const auto due = dueOccurrences(s_.conn, s_.clock.now(), 2);
    if (due.empty())
        return false;
    const bool moreDue = due.size() > 1;
    const Occurrence& first = due.front();
    mAlertRemId = first.remid;
    gAlertText = first.remainder;
    gAlertTitle = "Reminder of " + toAlertTimeText(first.remdate);
    gNewsLine = news;

    // The window answers through gAlertResult; an alert closed some other way must change nothing.
    gAlertResult.clear();
    s_.alert.showModal(AlertLabels{trimmed(gAlertTitle), trimmed(gAlertText), trimmed(gThought),
                                   trimmed(gNewsLine)});
    if (!applyAnswer())
        return false;
    if (s_.list.isVisible())
        s_.list.grd1add();
    return moreDue;
}

bool DueReminderScan::applyAnswer() {
    try {
        if (gAlertResult == kDismiss) {
            deleteOccurrence(s_.conn, mAlertRemId);
        } else if (gAlertResult == kSnooze) {
            applySnooze();
        } else if (gAlertResult == kModify) {
            // Seeing the new time is part of the answer: a box the program's end took away leaves
            // the reminder as it was.
            if (!s_.boxes.show(toGeneralText(gNewTime), kProgramTitle, MessageIcon::None))
                return false;
            moveOccurrence(s_.conn, mAlertRemId, gNewTime);
        } else {
            // Closed without an answer (the program is ending): change nothing, alert no more.
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        s_.boxes.show(std::string("Your answer to the reminder could not be saved; the reminder "
                                  "will be shown again.\n\n") +
                          e.what(),
                      kReminderTitle, MessageIcon::Error);
        return false;
    }
}

void DueReminderScan::applySnooze() {
    // Without a settings row the interval read earlier in this run of the program still holds.
    if (auto settings = readSettings(s_.conn))
        mSnoozeMinutes = settings->snoozeinterval;
    if (mSnoozeMinutes <= 0)
        mSnoozeMinutes = kDefaultSnoozeMinutes;
    // Counted from the answer, not from the old due time, so the reminder really comes back later.
    gNewTime = s_.clock.now().addMinutes(mSnoozeMinutes);
    moveOccurrence(s_.conn, mAlertRemId, gNewTime);
}

} // namespace davrin
