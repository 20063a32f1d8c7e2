// RecReminder: the editor that defines a new recurring reminder and stores all its occurrences.
#pragma once

#include "reminder/editing/editor_services.h"
#include "reminder/editing/series_expansion.h"

#include <chrono>
#include <optional>
#include <string>

namespace davrin::editing {

class RecReminderView {
public:
    virtual ~RecReminderView() = default;
    virtual void setCaption(const std::string& text) = 0;
    virtual void setDTPicker1(std::chrono::year_month_day date) = 0;
    virtual std::chrono::year_month_day DTPicker1() const = 0;
    virtual void setDTPicker2(std::chrono::minutes timeOfDay) = 0;
    virtual std::chrono::minutes DTPicker2() const = 0;
    // The end-date picker can hold no date (its check box cleared).
    virtual void setDTPicker3(std::optional<std::chrono::year_month_day> date) = 0;
    virtual std::optional<std::chrono::year_month_day> DTPicker3() const = 0;
    virtual void setDTPicker3TabStop(bool tabStop) = 0;
    virtual std::string Text4() const = 0;
    virtual void setText5(const std::string& text) = 0;
    virtual std::string Text5() const = 0;
    virtual void enableText5(bool enabled) = 0;
    virtual void setCheck1(bool checked) = 0;
    virtual bool Check1() const = 0;
    virtual void enableCheck1(bool enabled) = 0;
    // Option1 to Option6; empty when none is selected.
    virtual std::optional<store::RepeatKind> selectedRepeat() const = 0;
    virtual void showMessage(const std::string& text, ui::MessageIcon icon) = 0;
    virtual void unload() = 0;
};

// Always creates a new series; leaves its id in gRecurrId.
class RecReminder {
public:
    RecReminder(RecReminderView& view, EditorServices services)
        : view_(view), services_(std::move(services)) {}

    void Form_Load();
    void CmdOk_Click();
    void CmdCancel_Click();
    // True when the typed character may enter the count box.
    bool Text5_KeyPress(char32_t key) const;
    void Text5_GotFocus();
    // Runs when the end date changes, including its check box being set or cleared.
    void DTPicker3_Change();

private:
    RecReminderView& view_;
    EditorServices services_;
};

inline constexpr const char* kInvalidSeriesText = "Reminder Schdedule is Invalid";

} // namespace davrin::editing
