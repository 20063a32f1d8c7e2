// ReminderQuery: the list window, its grid of occurrences and its New/Edit/Delete/Setting commands.
#pragma once

#include "reminder/editing/editor_services.h"
#include "reminder/editing/frm_msgbox.h"
#include "reminder/store/failure_notice.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace davrin::editing {

// One grid line: the hidden id, "dd/MM/yyyy hh:mm AM/PM" (or the stored text when it cannot be
// read as a date and time), the trimmed message.
struct GridRow {
    std::int64_t remid = 0;
    std::string dateText;
    std::string message;
};

enum class SortList { Combo1, Combo2 };

class ReminderQueryView {
public:
    virtual ~ReminderQueryView() = default;
    virtual void setCaption(const std::string& text) = 0;
    virtual void setLabel1(const std::string& newsLine) = 0;
    virtual void setLabel2(const std::string& dateLine) = 0;
    // True: Option1 ("One Time"); false: Option2 ("Recurrance").
    virtual bool Option1() const = 0;
    virtual void setOption1(bool selected) = 0;
    virtual void fillSortList(SortList list, const std::vector<std::string>& items) = 0;
    virtual int sortIndex(SortList list) const = 0; // -1 when nothing is selected
    virtual void setSortIndex(SortList list, int index) = 0;
    // Replaces every data row; `rows` stays valid until the next call (the grid may read it
    // lazily). The selection goes back to no row.
    virtual void showRows(const std::vector<GridRow>& rows) = 0;
    // Index into the rows last shown, empty when no data row is current.
    virtual std::optional<std::size_t> currentRow() const = 0;
    // Makes a row of those last shown current, in view.
    virtual void selectRow(std::size_t row) = 0;
    virtual void enableEditDelete(bool enabled) = 0;
    virtual bool askYesNo(const std::string& text) = 0;
    virtual void showMessage(const std::string& text, ui::MessageIcon icon) = 0;
    virtual void unload() = 0;
};

// The modal windows the list opens; each returns when its window has closed.
class ReminderQueryWindows {
public:
    virtual ~ReminderQueryWindows() = default;
    virtual void showOTReminder() = 0;
    virtual void showRecReminder() = 0;
    // None when the dialog was closed without a button.
    virtual std::optional<DeleteAnswer> showFrmMsgbox() = 0;
    virtual void showReminderSettings() = 0;
};

struct ProgramVersion {
    int major = 1;
    int minor = 0;
    int revision = 0;
};

struct ReminderQueryServices {
    const store::Connection& conn;
    const store::Clock& clock;
    ProgramVersion version;
    // The news line; empty when no server is set or the fetch fails. Must not throw.
    std::function<std::string()> newsLine;
};

class ReminderQuery {
public:
    ReminderQuery(ReminderQueryView& view, ReminderQueryWindows& windows,
                  ReminderQueryServices services)
        : view_(view), windows_(windows), services_(std::move(services)) {}

    void Form_Load();
    void Form_Activate();
    void Option1_Click() { grd1add(); }
    void Option2_Click() { grd1add(); }
    void Combo1_Click();
    void Combo2_Click();
    void btnNew_Click();
    void btnEdit_Click();
    void btnDelete_Click();
    void btnSetting_Click() { windows_.showReminderSettings(); }
    void cmd1_Click() { view_.unload(); }

    // Rebuilds the grid from the database with the chosen kind and order.
    void grd1add();

    const std::vector<GridRow>& rows() const { return rows_; }

private:
    std::optional<std::int64_t> currentRemId() const;
    void deleteOneTime(std::int64_t remid);
    void deleteRecurring(std::int64_t remid);

    ReminderQueryView& view_;
    ReminderQueryWindows& windows_;
    ReminderQueryServices services_;
    std::vector<GridRow> rows_;
    store::FailureNotice rebuildFailure_;
    // Rows whose date cannot be read, by id and text: each is told once while the window lives.
    std::set<std::pair<std::int64_t, std::string>> toldRows_;
};

std::string listCaption(const ProgramVersion& version); // "Davrin - Ver.1.0.6"

} // namespace davrin::editing
