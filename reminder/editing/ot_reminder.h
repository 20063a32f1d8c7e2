// OTReminder: the editor for a new one-time reminder or for one stored occurrence.
#pragma once

#include "reminder/editing/editor_services.h"

#include <chrono>
#include <string>

namespace davrin::editing {

class OTReminderView {
public:
    virtual ~OTReminderView() = default;
    virtual void setCaption(const std::string& text) = 0;
    virtual void setDTPicker1(std::chrono::year_month_day date) = 0;
    virtual std::chrono::year_month_day DTPicker1() const = 0;
    // Time of day without seconds.
    virtual void setDTPicker2(std::chrono::minutes timeOfDay) = 0;
    virtual std::chrono::minutes DTPicker2() const = 0;
    virtual void setText4(const std::string& text) = 0;
    virtual std::string Text4() const = 0;
    virtual void setCheck1(bool checked) = 0;
    virtual bool Check1() const = 0;
    virtual void enableCheck1(bool enabled) = 0;
    virtual void showMessage(const std::string& text, ui::MessageIcon icon) = 0;
    virtual void unload() = 0;
};

// Reads gEditMode and gRemId; in edit mode leaves the row's recurrid in gRecurrId.
class OTReminder {
public:
    OTReminder(OTReminderView& view, EditorServices services)
        : view_(view), services_(std::move(services)) {}

    void Form_Load();
    void CmdOk_Click();
    void CmdCancel_Click();

private:
    void save(const std::string& message, const store::LocalDateTime& schedule);

    OTReminderView& view_;
    EditorServices services_;
};

// The caption both editors show: "Reminder - Saturday 05,  December 2026".
std::string editorCaption(const store::LocalDateTime& now);

// The editors' validation messages: one text each, so the editors and their tests cannot drift
// apart.
inline constexpr const char* kEmptyMessageText = "Reminder Message is Empty cannot Save!";
inline constexpr const char* kReminderGoneText =
    "This reminder no longer exists; it may have been deleted from an alert. Nothing was saved.";

} // namespace davrin::editing
