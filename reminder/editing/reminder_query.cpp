// ReminderQuery handlers: building the grid and acting on the selected occurrence.
#include "reminder/editing/reminder_query.h"

#include "reminder/editing/edit_context.h"
#include "reminder/editing/editor_text.h"
#include "reminder/store/reminder_statements.h"
#include "reminder/store/store_error.h"

#include <algorithm>

namespace davrin::editing {

std::string listCaption(const ProgramVersion& v) {
    return "Davrin - Ver." + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision);
}

void ReminderQuery::Form_Load() {
    view_.setCaption(listCaption(services_.version));
    view_.setLabel2(store::toLongDateText(services_.clock.now()));
    view_.setLabel1(services_.newsLine ? services_.newsLine() : std::string{});
    view_.setOption1(true);
}

void ReminderQuery::Form_Activate() {
    // The lists are filled afresh, but a choice the user made survives: returning from an
    // editor must show the same order as before.
    const int key = view_.sortIndex(SortList::Combo1);
    const int direction = view_.sortIndex(SortList::Combo2);
    view_.fillSortList(SortList::Combo1, {"Date & Time", "Message"});
    view_.fillSortList(SortList::Combo2, {"Ascending", "Descending"});
    view_.setSortIndex(SortList::Combo1, key < 0 ? 0 : key);
    view_.setSortIndex(SortList::Combo2, direction < 0 ? 0 : direction);
    grd1add();
}

// A different order of no rows is still no rows: skip the query.
void ReminderQuery::Combo1_Click() {
    if (!rows_.empty())
        grd1add();
}

void ReminderQuery::Combo2_Click() {
    if (!rows_.empty())
        grd1add();
}

void ReminderQuery::grd1add() {
    const int key = view_.sortIndex(SortList::Combo1);
    const int direction = view_.sortIndex(SortList::Combo2);
    if (key < 0 || direction < 0)
        return;
    std::vector<store::Occurrence> found;
    try {
        found = store::listOccurrences(
            services_.conn, view_.Option1() ? store::ListKind::OneTime : store::ListKind::Recurring,
            key == 0 ? store::ListSortKey::DateTime : store::ListSortKey::Message,
            direction == 0 ? store::SortDirection::Ascending : store::SortDirection::Descending);
    } catch (const store::StoreError& e) {
        // Closing the box reactivates the window, which rebuilds, maybe before the box returns.
        rebuildFailure_.failed([&] { view_.showMessage(e.what(), ui::MessageIcon::Error); });
        // An empty grid would suggest the reminders are gone; keep what was shown.
        return;
    }
    rebuildFailure_.worked();
    // Every activation rebuilds: the reminder the user picked must still be the one Edit and
    // Delete act on.
    const std::optional<std::int64_t> selected = currentRemId();
    std::vector<GridRow> rows;
    rows.reserve(found.size());
    std::string unreadable;
    for (store::Occurrence& o : found) {
        if (!o.unreadableRemdate) {
            rows.push_back({o.remid, store::toScheduleText(o.remdate), toListMessage(o.remainder)});
            continue;
        }
        // Listed as stored, so the user can find it, then edit or delete it.
        rows.push_back({o.remid, *o.unreadableRemdate, toListMessage(o.remainder)});
        if (toldRows_.emplace(o.remid, *o.unreadableRemdate).second)
            unreadable += "\n\"" + *o.unreadableRemdate + "\": " + toListMessage(o.remainder);
    }
    rows_ = std::move(rows);
    view_.showRows(rows_);
    if (selected) {
        const auto kept = std::find_if(rows_.begin(), rows_.end(),
                                       [&](const GridRow& row) { return row.remid == *selected; });
        if (kept != rows_.end())
            view_.selectRow(static_cast<std::size_t>(kept - rows_.begin()));
    }
    view_.enableEditDelete(!rows_.empty());
    if (!unreadable.empty())
        view_.showMessage("These reminders have a date and time that cannot be read, so they are "
                          "never alerted. Edit each to give it a date and time, or delete it:\n" +
                              unreadable,
                          ui::MessageIcon::Information);
}

std::optional<std::int64_t> ReminderQuery::currentRemId() const {
    const std::optional<std::size_t> row = view_.currentRow();
    if (!row || *row >= rows_.size())
        return std::nullopt;
    return rows_[*row].remid;
}

void ReminderQuery::btnNew_Click() {
    gEditMode = EditModeNew;
    if (view_.Option1())
        windows_.showOTReminder();
    else
        windows_.showRecReminder();
    grd1add();
}

void ReminderQuery::btnEdit_Click() {
    if (const auto remid = currentRemId()) {
        gEditMode = EditModeEdit;
        gRemId = *remid;
        // Occurrences of a series are edited one at a time, in the one-time editor too.
        windows_.showOTReminder();
    }
    grd1add();
}

void ReminderQuery::btnDelete_Click() {
    const auto remid = currentRemId();
    if (view_.Option1()) {
        if (remid)
            deleteOneTime(*remid);
    } else {
        if (remid)
            deleteRecurring(*remid);
    }
    grd1add();
}

void ReminderQuery::deleteOneTime(std::int64_t remid) {
    gRemId = remid;
    if (!view_.askYesNo("Do you want to Delete this Entry ?"))
        return;
    try {
        store::deleteOccurrence(services_.conn, gRemId);
    } catch (const store::StoreError& e) {
        view_.showMessage(e.what(), ui::MessageIcon::Error);
    }
}

void ReminderQuery::deleteRecurring(std::int64_t remid) {
    gRemId = remid;
    try {
        const std::optional<store::Occurrence> row =
            store::selectOccurrence(services_.conn, gRemId);
        if (!row || row->recurrid == 0)
            return; // deleted meanwhile, or not part of a series
        gRecurrId = row->recurrid;
        const std::optional<DeleteAnswer> answer = windows_.showFrmMsgbox();
        if (answer == DeleteAnswer::One)
            store::deleteOccurrence(services_.conn, gRemId);
        else if (answer == DeleteAnswer::All)
            store::deleteSeries(services_.conn, gRecurrId);
    } catch (const store::StoreError& e) {
        view_.showMessage(e.what(), ui::MessageIcon::Error);
    }
}

} // namespace davrin::editing
