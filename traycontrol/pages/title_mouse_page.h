// SysTrayText, the title and mouse property page: the tip title, its two switches, the maker's
// link.
#pragma once

#include "traycontrol/pages/page_changes.h"
#include "traycontrol/pages/page_message_boxes.h"
#include "traycontrol/pages/selected_control.h"
#include "traycontrol/pages/title_mouse_view.h"

namespace norvane::pages {

class SysTrayText {
public:
    SysTrayText(SysTrayTextView& view, PageSite& site, PageMessageBoxes& boxes)
        : view_(view), changes_(site), boxes_(boxes) {}

    void PropertyPage_SelectionChanged(SelectedControl& control);
    // False when the control refused a value (reported); the page then stays changed.
    bool PropertyPage_ApplyChanges(SelectedControl& control);
    bool changed() const { return changes_.changed(); } // Apply is enabled

    void chkswTrayText_Click() { changes_.markChanged(); }
    void chkswTrayMouse_Click() { changes_.markChanged(); }
    void txtTrayTitle_Change() { changes_.markChanged(); }
    // Visits the maker's site at once, through the control; nothing is left to apply.
    void Label1_Click(SelectedControl& control);

private:
    SysTrayTextView& view_;
    PageChanges changes_;
    PageMessageBoxes& boxes_;
    bool GoWeb_ = false; // as read; written back on Apply
};

} // namespace norvane::pages
