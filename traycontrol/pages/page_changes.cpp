// Dirty state of a property page.
#include "traycontrol/pages/page_changes.h"

namespace norvane::pages {

void PageChanges::markChanged() {
    if (loading_ || changed_)
        return; // the frame needs telling once; it disables Apply itself after applying
    changed_ = true;
    site_.pageChanged();
}

PageChanges::Loading::Loading(PageChanges& changes) : changes_(changes) {
    changes_.loading_ = true;
    changes_.changed_ = false;
}

PageChanges::Loading::~Loading() {
    changes_.loading_ = false;
}

} // namespace norvane::pages
