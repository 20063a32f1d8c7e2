// RecReminder handlers: range interplay, validation, and the all-or-nothing save of a series.
#include "rec_reminder.h"

#include "edit_context.h"
#include "editor_text.h"
#include "ot_reminder.h"
#include "reminder_statements.h"
#include "store_error.h"

#include <stdexcept>

namespace davrin {

void RecReminder::Form_Load() {
    const LocalDateTime now = services_.clock.now();
    view_.setCheck1(false);
    view_.enableCheck1(!services_.mobileNumber().empty());
    view_.setDTPicker1(now.date());
    view_.setDTPicker3(std::nullopt); // the series starts without an end date
    view_.setDTPicker2(now.timeOfDay());
    view_.setCaption(editorCaption(now));
}

bool RecReminder::Text5_KeyPress(char32_t key) const {
    return isDigitOrBackspace(key);
}

void RecReminder::Text5_GotFocus() {
    view_.setDTPicker3TabStop(true);
    if (view_.DTPicker3()) {
        // A count cannot be typed while an end date is set.
        view_.enableText5(false);
    } else {
        view_.enableText5(true);
        view_.setDTPicker3(std::nullopt);
    }
}

void RecReminder::DTPicker3_Change() {
    view_.enableText5(true);
    const bool noCount = leadingNumber(view_.Text5()) == 0;
    if (noCount)
        view_.setText5("");
    view_.setDTPicker3TabStop(noCount);
}

void RecReminder::CmdOk_Click() {
    const std::string message = trimMessage(view_.Text4());
    if (message.empty()) {
        view_.showMessage(kEmptyMessageText, EditingIcon::Information);
        return;
    }
    const LocalDateTime start(view_.DTPicker1(), view_.DTPicker2());
    const std::optional<RepeatKind> repeat = view_.selectedRepeat();
    if (!repeat) {
        view_.showMessage(kInvalidSeriesText, EditingIcon::Information);
        return;
    }
    // The box holds at most three digits; a pasted longer number still stops at 999.
    const int count = std::min(leadingNumber(view_.Text5()), kMaxSeriesCount);
    std::optional<std::chrono::year_month_day> endDate;
    if (count == 0) {
        endDate = view_.DTPicker3();
        if (!endDate) {
            view_.showMessage(kInvalidSeriesText, EditingIcon::Information);
            return;
        }
    }

    RecurringDefinition definition;
    definition.remainder = message;
    definition.remdate = start;
    definition.remrepeat = std::string(repeatCode(*repeat));
    definition.remrectimes = count;
    definition.remenddate = endDate; // empty whenever the count governs
    definition.remsms = view_.Check1() ? 1 : 0;
    try {
        const std::vector<LocalDateTime> occurrences = expandSeries(start, *repeat, count, endDate);
        // Definition and occurrences go in one transaction: a failure leaves nothing behind.
        gRecurrId = insertRecurringReminder(services_.conn, definition, occurrences);
    } catch (const StoreError& e) {
        view_.showMessage(e.what(), EditingIcon::Error);
        return;
    } catch (const std::out_of_range&) {
        view_.showMessage("The series would run past the year 9999; choose fewer times.",
                          EditingIcon::Information);
        return;
    }
    view_.unload();
}

void RecReminder::CmdCancel_Click() {
    view_.unload();
}

} // namespace davrin
