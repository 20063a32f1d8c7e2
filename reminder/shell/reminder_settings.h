// ReminderSettings: the window that edits the snooze interval and the mobile number.
#pragma once

#include "reminder/shell/mobile_number_label.h"
#include "reminder/store/database.h"
#include "reminder/ui/message_box.h"

#include <string>

namespace davrin::shell {

enum class SettingsText { Text1, Text2 };

class ReminderSettingsView {
public:
    virtual ~ReminderSettingsView() = default;
    virtual std::string text(SettingsText box) const = 0;
    virtual void setText(SettingsText box, const std::string& text) = 0;
    virtual void setUpDownRange(int minimum, int maximum, int increment) = 0;
    virtual void showMessage(const std::string& text, const std::string& title,
                             ui::MessageIcon icon) = 0;
    virtual void unload() = 0;
};

inline constexpr int kSnoozeMinimum = 15;
inline constexpr int kSnoozeMaximum = 60;
inline constexpr int kSnoozeIncrement = 15;

class ReminderSettings {
public:
    ReminderSettings(ReminderSettingsView& view, const store::Connection& conn,
                     MobileNumberLabel& lblmobileno)
        : view_(view), conn_(conn), lblmobileno_(lblmobileno) {}

    // False when the settings could not be read (reported); the window should then close.
    bool Form_Load();
    // Whether a typed character reaches the box.
    static bool Text1_KeyPress(char32_t key);
    // The interval changes only through the up-down control.
    static bool Text2_KeyPress(char32_t) { return false; }
    void UpDown2_DownClick();
    void UpDown2_UpClick();
    // Stores what the boxes hold; on a database error the window stays open with the input.
    void CmdOk_Click();
    void CmdCancel_Click() { view_.unload(); }

private:
    int snoozeValue() const;

    ReminderSettingsView& view_;
    const store::Connection& conn_;
    MobileNumberLabel& lblmobileno_;
};

} // namespace davrin::shell
