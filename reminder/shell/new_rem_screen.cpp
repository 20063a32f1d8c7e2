// The alert window's logic: fills it when it opens and turns a button into the scan's answer.
#include "reminder/shell/new_rem_screen.h"

#include <cstdio>

namespace davrin::shell {

std::string toAlertDateText(const store::LocalDateTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%02u-%02u-%04d", t.day(), t.month(), t.year());
    return text;
}

void NewRemScreen::Form_Load(const AlertLabels& labels) {
    view_.setLabel(AlertLabel::Label7, labels.Label7);
    view_.setLabel(AlertLabel::Label1, labels.Label1);
    view_.setLabel(AlertLabel::Label2, labels.Label2);
    view_.setLabel(AlertLabel::Label3, labels.Label3);
    const store::LocalDateTime now = clock_.now();
    view_.setLabel(AlertLabel::Label9, toAlertDateText(now));
    view_.setTopMost();
    view_.setDTPicker1(now.date());
    view_.setDTPicker2(now.timeOfDay());
}

void NewRemScreen::btnDismiss_Click() {
    answer_ = AlertResult{AlertAnswer::Dismiss, {}};
    view_.unload();
}

void NewRemScreen::btnSnooze_Click() {
    answer_ = AlertResult{AlertAnswer::Snooze, {}};
    view_.unload();
}

void NewRemScreen::btnModify_Click() {
    const auto picked =
        store::LocalDateTime::fromFields(static_cast<int>(view_.DTPicker1().year()),
                                         static_cast<unsigned>(view_.DTPicker1().month()),
                                         static_cast<unsigned>(view_.DTPicker1().day()),
                                         static_cast<int>(view_.DTPicker2().count() / 60),
                                         static_cast<int>(view_.DTPicker2().count() % 60));
    // The current minute itself is accepted: the reminder then simply falls due again.
    if (!picked || *picked < clock_.now()) {
        view_.showMessage("Reminder Schedule is Invalid", ui::kReminderTitle,
                          ui::MessageIcon::Information);
        return;
    }
    answer_ = AlertResult{AlertAnswer::Modify, *picked};
    view_.unload();
}

} // namespace davrin::shell
