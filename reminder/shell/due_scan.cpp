// The due-reminder scan: thought, news line, due query, alert, answer, list refresh, repeat.
#include "reminder/shell/due_scan.h"
#include "reminder/ui/busy_flag.h"

#include "reminder/shell/alert_values.h"
#include "reminder/shell/news_line.h"
#include "reminder/store/store_error.h"
#include "reminder/ui/text_rules.h"

#include <algorithm>
#include <exception>

namespace davrin::shell {

namespace {

std::string readFailure(const std::exception& e) {
    return std::string("The due reminders could not be read from the database. They are alerted "
                       "as soon as it can be read again; until then this is not repeated.\n\n") +
           e.what();
}

std::string answerFailure(const std::string& cause) {
    return "Your answer to the reminder could not be saved yet. It is kept and saved as soon as "
           "the database can be written; the reminder is not shown again meanwhile.\n\n" +
           cause;
}

} // namespace

void DueReminderScan::Timer1_Timer() {
    if (s_.Prem.paused())
        return;
    if (s_.alert.isVisible() || running_)
        return;
    std::optional<std::string> failure;
    {
        ui::BusyFlag busy(running_);
        failure = run();
    }
    // Told after the run, so a box left open holds up no later tick.
    tellUnreadableRows();
    if (failure)
        notice_.failed(
            [&] { s_.boxes.show(*failure, ui::kReminderTitle, ui::MessageIcon::Error); });
    else
        notice_.worked();
}

std::optional<std::string> DueReminderScan::run() {
    // A loop, not a fresh call per occurrence: hundreds may be overdue after a holiday. Each
    // round queries afresh, so occurrences moved into the future are not shown again.
    std::optional<std::string> failure;
    for (;;) {
        Earliest earliest;
        try {
            const store::LockWaitLimit wait(s_.conn, kTickLockWait);
            if (auto cause = storeAnswers())
                failure = answerFailure(*cause);
            earliest = findEarliest();
            // Everything worked up to here: an answer that fails from now on is news.
            if (!failure)
                notice_.worked();
        } catch (const std::exception& e) {
            return readFailure(e);
        }
        if (!earliest.first || !ask(*earliest.first, earliest.news))
            return failure;
        {
            const store::LockWaitLimit wait(s_.conn, kAnswerLockWait);
            if (auto cause = storeAnswers())
                return answerFailure(*cause);
        }
        failure.reset();
        if (s_.list.isVisible())
            s_.list.grd1add();
        if (!earliest.moreDue || s_.Prem.paused())
            return failure;
    }
}

DueReminderScan::Earliest DueReminderScan::findEarliest() {
    if (auto thought = store::thoughtOfDay(s_.conn, store::toDayKey(s_.clock.now())))
        gThought = *thought;
    Earliest earliest;
    if (auto settings = store::readSettings(s_.conn))
        earliest.news = fetchNewsLine(s_.http, settings->newsserver);

    // Two are enough to know whether more than one is due, once answers not yet stored are
    // passed over: their occurrences still look due in the file.
    for (store::Occurrence& row :
         store::dueOccurrences(s_.conn, s_.clock.now(), 2 + pending_.size())) {
        if (row.unreadableRemdate) {
            if (toldRows_.emplace(row.remid, *row.unreadableRemdate).second)
                rowsToTell_.push_back("\"" + *row.unreadableRemdate + "\": " + row.remainder);
        } else if (std::none_of(pending_.begin(), pending_.end(),
                                [&](const Answer& a) { return a.remid == row.remid; })) {
            if (earliest.first)
                earliest.moreDue = true;
            else
                earliest.first = std::move(row);
        }
    }
    return earliest;
}

bool DueReminderScan::ask(const store::Occurrence& due, const std::string& news) {
    mAlertRemId = due.remid;
    gAlertText = due.remainder;
    gAlertTitle = "Reminder of " + store::toAlertTimeText(due.remdate);
    gNewsLine = news;
    const std::optional<AlertResult> result =
        s_.alert.showModal(AlertLabels{ui::trimmed(gAlertTitle), ui::trimmed(gAlertText),
                                       ui::trimmed(gThought), ui::trimmed(gNewsLine)});
    if (!result)
        return false; // closed without an answer (the program is ending): change nothing
    // Seeing the new time is part of the answer: a box the program's end took away leaves the
    // reminder as it was.
    if (result->answer == AlertAnswer::Modify &&
        !s_.boxes.show(store::toGeneralText(result->newTime), kProgramTitle, ui::MessageIcon::None))
        return false;
    pending_.push_back({mAlertRemId, result->answer, s_.clock.now(), result->newTime});
    return true;
}

std::optional<std::string> DueReminderScan::storeAnswers() {
    while (!pending_.empty()) {
        try {
            storeAnswer(pending_.front());
        } catch (const std::exception& e) {
            return e.what();
        }
        pending_.erase(pending_.begin());
    }
    return std::nullopt;
}

void DueReminderScan::storeAnswer(const Answer& answer) {
    if (answer.answer == AlertAnswer::Dismiss) {
        store::deleteOccurrence(s_.conn, answer.remid);
        return;
    }
    store::LocalDateTime newTime = answer.newTime;
    if (answer.answer == AlertAnswer::Snooze) {
        // Without a settings row the interval read earlier in this run of the program holds.
        if (auto settings = store::readSettings(s_.conn))
            mSnoozeMinutes = settings->snoozeinterval;
        if (mSnoozeMinutes <= 0)
            mSnoozeMinutes = kDefaultSnoozeMinutes;
        // Counted from the answer, not from the old due time, so the reminder comes back later.
        newTime = answer.answeredAt.addMinutes(mSnoozeMinutes);
    }
    store::moveOccurrence(s_.conn, answer.remid, newTime);
}

void DueReminderScan::tellUnreadableRows() {
    if (rowsToTell_.empty())
        return;
    std::string text = "These reminders in \"" + s_.conn.path().utf8() +
                       "\" have a date and time that cannot be read, so they are never alerted. "
                       "Open the list of reminders to give each a date and time, or delete it:\n";
    for (const std::string& row : std::exchange(rowsToTell_, {}))
        text += "\n" + row;
    s_.boxes.show(text, ui::kReminderTitle, ui::MessageIcon::Information);
}

} // namespace davrin::shell
