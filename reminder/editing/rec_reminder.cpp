// RecReminder handlers: range interplay, validation, and the all-or-nothing save of a series.
#include "reminder/editing/rec_reminder.h"

#include "reminder/editing/edit_context.h"
#include "reminder/editing/editor_text.h"
#include "reminder/editing/ot_reminder.h"
#include "reminder/store/reminder_statements.h"
#include "reminder/store/store_error.h"
#include "reminder/ui/text_rules.h"

#include <stdexcept>

namespace davrin::editing {

void RecReminder::Form_Load() {
    const store::LocalDateTime now = services_.clock.now();
    view_.setCheck1(false);
    view_.enableCheck1(!services_.mobileNumber().empty());
    view_.setDTPicker1(now.date());
    view_.setDTPicker3(std::nullopt); // the series starts without an end date
    view_.setDTPicker2(now.timeOfDay());
    view_.setCaption(editorCaption(now));
}

bool RecReminder::Text5_KeyPress(char32_t key) const {
    return ui::isDigitOrBackspace(key);
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
    const std::string message = ui::trimmed(view_.Text4());
    if (message.empty()) {
        view_.showMessage(kEmptyMessageText, ui::MessageIcon::Information);
        return;
    }
    const store::LocalDateTime start(view_.DTPicker1(), view_.DTPicker2());
    const std::optional<store::RepeatKind> repeat = view_.selectedRepeat();
    if (!repeat) {
        view_.showMessage(kInvalidSeriesText, ui::MessageIcon::Information);
        return;
    }
    // The box holds at most three digits; a pasted longer number still stops at 999.
    const int count = std::min(leadingNumber(view_.Text5()), kMaxSeriesCount);
    std::optional<std::chrono::year_month_day> endDate;
    if (count == 0) {
        endDate = view_.DTPicker3();
        if (!endDate) {
            view_.showMessage(kInvalidSeriesText, ui::MessageIcon::Information);
            return;
        }
    }

    store::RecurringDefinition definition;
    definition.remainder = message;
    definition.remdate = start;
    definition.remrepeat = *repeat;
    definition.remrectimes = count;
    definition.remenddate = endDate; // empty whenever the count governs
    definition.remsms = view_.Check1() ? 1 : 0;
    try {
        const std::vector<store::LocalDateTime> occurrences =
            expandSeries(start, *repeat, count, endDate);
        // Definition and occurrences go in one transaction: a failure leaves nothing behind.
        gRecurrId = store::insertRecurringReminder(services_.conn, definition, occurrences);
    } catch (const store::StoreError& e) {
        view_.showMessage(e.what(), ui::MessageIcon::Error);
        return;
    } catch (const std::out_of_range&) {
        view_.showMessage("The series would run past the year 9999; choose fewer times.",
                          ui::MessageIcon::Information);
        return;
    }
    view_.unload();
}

void RecReminder::CmdCancel_Click() {
    view_.unload();
}

} // namespace davrin::editing
