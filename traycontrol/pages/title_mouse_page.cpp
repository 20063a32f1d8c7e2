// SysTrayText's rules: what it reads from the control, what it writes back and in which order.
#include "traycontrol/pages/title_mouse_page.h"

#include <exception>

namespace norvane::pages {

namespace {
using C = SysTrayTextControl;
}

void SysTrayText::PropertyPage_SelectionChanged(SelectedControl& control) {
    try {
        const PageChanges::Loading loading(changes_);
        view_.setText(C::txtTrayTitle, read<std::string>(control, Property::TrayTitle));
        view_.setChecked(C::chkswTrayText, read<bool>(control, Property::swTrayText));
        view_.setChecked(C::chkswTrayMouse, read<bool>(control, Property::swTrayMouse));
        GoWeb_ = read<bool>(control, Property::GoWeb);
    } catch (const std::exception& e) {
        reportControlError(boxes_, e);
    }
}

bool SysTrayText::PropertyPage_ApplyChanges(SelectedControl& control) {
    try {
        control.set(Property::swTrayText, view_.checked(C::chkswTrayText));
        control.set(Property::swTrayMouse, view_.checked(C::chkswTrayMouse));
        control.set(Property::TrayTitle, view_.text(C::txtTrayTitle));
        control.set(Property::GoWeb, GoWeb_);
    } catch (const std::exception& e) {
        reportControlError(boxes_, e);
        return false;
    }
    changes_.clear();
    return true;
}

void SysTrayText::Label1_Click(SelectedControl& control) {
    try {
        control.set(Property::GoWeb, true);
    } catch (const std::exception& e) {
        reportControlError(boxes_, e);
    }
}

} // namespace norvane::pages
