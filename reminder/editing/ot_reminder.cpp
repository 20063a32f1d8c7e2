// OTReminder handlers: load the occurrence, validate, insert or update exactly one row.
#include "ot_reminder.h"

#include "edit_context.h"
#include "editor_text.h"
#include "reminder_statements.h"
#include "store_error.h"

namespace davrin {

std::string editorCaption(const LocalDateTime& now) {
    return "Reminder - " + toCaptionDateText(now);
}

void OTReminder::Form_Load() {
    const LocalDateTime now = services_.clock.now();
    view_.setCaption(editorCaption(now));
    view_.setCheck1(false);
    view_.enableCheck1(!services_.mobileNumber().empty());
    view_.setDTPicker1(now.date());
    view_.setDTPicker2(now.timeOfDay());
    if (gEditMode != EditModeEdit)
        return;

    std::optional<Occurrence> row;
    try {
        row = selectOccurrence(services_.conn, gRemId);
    } catch (const StoreError& e) {
        view_.showMessage(e.what(), EditingIcon::Error);
        view_.unload();
        return;
    }
    if (!row) {
        // Gone between the list and the editor: saving would change nothing, so say so now.
        view_.showMessage(kReminderGoneText, EditingIcon::Information);
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
    const std::string message = trimMessage(view_.Text4());
    if (message.empty()) {
        view_.showMessage(kEmptyMessageText, EditingIcon::Information);
        return;
    }
    // Date from the date picker, time from the time picker: each may carry stray parts.
    const LocalDateTime schedule(view_.DTPicker1(), view_.DTPicker2());
    if (schedule < services_.clock.now()) {
        view_.showMessage("Reminder Schedule is Invalid", EditingIcon::Information);
        return;
    }
    save(message, schedule);
}

void OTReminder::save(const std::string& message, const LocalDateTime& schedule) {
    const int sms = view_.Check1() ? 1 : 0;
    try {
        if (gEditMode == EditModeNew) {
            insertOneTimeReminder(services_.conn, message, schedule, sms);
        } else if (gEditMode == EditModeEdit &&
                   !updateOccurrence(services_.conn, gRemId, message, schedule, sms)) {
            view_.showMessage(kReminderGoneText, EditingIcon::Information);
        }
    } catch (const StoreError& e) {
        // The user keeps what they typed and can try again.
        view_.showMessage(e.what(), EditingIcon::Error);
        return;
    }
    view_.unload();
}

void OTReminder::CmdCancel_Click() {
    view_.unload();
}

} // namespace davrin
