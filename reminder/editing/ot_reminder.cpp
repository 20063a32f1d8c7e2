// OTReminder handlers: load the occurrence, validate, insert or update exactly one row.
#include "reminder/editing/ot_reminder.h"

#include "reminder/editing/edit_context.h"
#include "reminder/editing/editor_text.h"
#include "reminder/store/reminder_statements.h"
#include "reminder/store/store_error.h"
#include "reminder/ui/text_rules.h"

namespace davrin::editing {

std::string editorCaption(const store::LocalDateTime& now) {
    return "Reminder - " + store::toCaptionDateText(now);
}

void OTReminder::Form_Load() {
    const store::LocalDateTime now = services_.clock.now();
    view_.setCaption(editorCaption(now));
    view_.setCheck1(false);
    view_.enableCheck1(!services_.mobileNumber().empty());
    view_.setDTPicker1(now.date());
    view_.setDTPicker2(now.timeOfDay());
    if (gEditMode != EditModeEdit)
        return;

    std::optional<store::Occurrence> row;
    try {
        row = store::selectOccurrence(services_.conn, gRemId);
    } catch (const store::StoreError& e) {
        view_.showMessage(e.what(), ui::MessageIcon::Error);
        view_.unload();
        return;
    }
    if (!row) {
        // Gone between the list and the editor: saving would change nothing, so say so now.
        view_.showMessage(kReminderGoneText, ui::MessageIcon::Information);
        view_.unload();
        return;
    }
    // A date another tool wrote and the store cannot read leaves the pickers on now, for the
    // user to choose one.
    if (!row->unreadableRemdate) {
        view_.setDTPicker1(row->remdate.date());
        view_.setDTPicker2(row->remdate.timeOfDay());
    }
    view_.setText4(row->remainder);
    view_.setCheck1(row->remsms != 0);
    gRecurrId = row->recurrid;
}

void OTReminder::CmdOk_Click() {
    const std::string message = ui::trimmed(view_.Text4());
    if (message.empty()) {
        view_.showMessage(kEmptyMessageText, ui::MessageIcon::Information);
        return;
    }
    // Date from the date picker, time from the time picker: each may carry stray parts.
    const store::LocalDateTime schedule(view_.DTPicker1(), view_.DTPicker2());
    if (schedule < services_.clock.now()) {
        view_.showMessage("Reminder Schedule is Invalid", ui::MessageIcon::Information);
        return;
    }
    save(message, schedule);
}

void OTReminder::save(const std::string& message, const store::LocalDateTime& schedule) {
    const int sms = view_.Check1() ? 1 : 0;
    try {
        if (gEditMode == EditModeNew) {
            store::insertOneTimeReminder(services_.conn, message, schedule, sms);
        } else if (gEditMode == EditModeEdit &&
                   !store::updateOccurrence(services_.conn, gRemId, message, schedule, sms)) {
            view_.showMessage(kReminderGoneText, ui::MessageIcon::Information);
        }
    } catch (const store::StoreError& e) {
        // The user keeps what they typed and can try again.
        view_.showMessage(e.what(), ui::MessageIcon::Error);
        return;
    }
    view_.unload();
}

void OTReminder::CmdCancel_Click() {
    view_.unload();
}

} // namespace davrin::editing
