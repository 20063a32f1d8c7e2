// The main window's start-up order and its tray and menu handlers.
#include "reminder/shell/main_form.h"

#include "reminder/store/store_error.h"

namespace davrin::shell {

Main::Main(Parts parts)
    : p_(std::move(parts)),
      scan_({store::gConn, p_.clock, Prem, p_.alert, p_.list, p_.Inet1, p_.boxes}),
      sms_({store::gConn, p_.clock, p_.gateway, p_.boxes, p_.programFolder, p_.fromAnsi}) {}

bool Main::Form_Load() {
    try {
        store::ConnectDatabase(p_.programFolder);
    } catch (const store::StoreError& e) {
        p_.boxes.show(std::string("The reminder database could not be opened.\n\n") + e.what(),
                      ui::kReminderTitle, ui::MessageIcon::Error);
        return false;
    }
    p_.view.hide();
    try {
        p_.lblmobileno.reload(store::gConn);
    } catch (const store::StoreError& e) {
        p_.boxes.show(std::string("The settings could not be read.\n\n") + e.what(),
                      ui::kReminderTitle, ui::MessageIcon::Error);
    }
    if (!p_.ctlSysTray1.RestoreIcon())
        p_.ctlSysTray1.PlaceIcon();
    if (store::gConn.madeInEmptyFile()) {
        // Files do not empty themselves: a failed copy or a crash on the way lost what it held.
        p_.boxes.show("The reminder file \"" + store::gDbPath.utf8() +
                          "\" was empty, so a new reminder store was made in it. If it held your "
                          "reminders, they were lost before this start: restore the file from a "
                          "copy if you have one.",
                      ui::kReminderTitle, ui::MessageIcon::Information);
    }
    return true;
}

void Main::ctlSysTray1_TrMouseLeftDblClk() {
    if (!p_.list.isVisible() && !p_.alert.isVisible())
        p_.list.showModeless();
}

void Main::ctlSysTray1_TrMouseRightDown() {
    const auto chosen = p_.view.popupMenu(MMenu());
    if (!chosen)
        return;
    switch (*chosen) {
    case MenuCommand::Rem:
        Rem_Click();
        break;
    case MenuCommand::Prem:
        Prem_Click();
        break;
    case MenuCommand::Exit:
        Exit_Click();
        break;
    }
}

std::array<MenuEntry, 3> Main::MMenu() const {
    return {MenuEntry{MenuCommand::Rem, "&About"}, MenuEntry{MenuCommand::Prem, Prem.caption()},
            MenuEntry{MenuCommand::Exit, "&Exit"}};
}

} // namespace davrin::shell
