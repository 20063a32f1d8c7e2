// The settings window's logic: key filters, the wrapping up-down, load and save of the row.
#include "reminder/shell/reminder_settings.h"

#include "reminder/store/reminder_statements.h"
#include "reminder/ui/text_rules.h"

#include <charconv>
#include <exception>
#include <string_view>

namespace davrin::shell {

bool ReminderSettings::Form_Load() {
    view_.setText(SettingsText::Text2, std::to_string(kSnoozeMinimum));
    view_.setUpDownRange(kSnoozeMinimum, kSnoozeMaximum, kSnoozeIncrement);
    try {
        if (const auto settings = store::readSettings(conn_)) {
            view_.setText(SettingsText::Text1, lblmobileno_.text());
            view_.setText(SettingsText::Text2, std::to_string(settings->snoozeinterval));
        }
        return true;
    } catch (const std::exception& e) {
        view_.showMessage(std::string("The settings could not be read.\n\n") + e.what(),
                          ui::kReminderTitle, ui::MessageIcon::Error);
        return false;
    }
}

bool ReminderSettings::Text1_KeyPress(char32_t key) {
    return ui::isDigitOrBackspace(key);
}

int ReminderSettings::snoozeValue() const {
    const std::string text = view_.text(SettingsText::Text2);
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void ReminderSettings::UpDown2_DownClick() {
    const int v = snoozeValue();
    view_.setText(SettingsText::Text2,
                  std::to_string(v > kSnoozeMinimum ? v - kSnoozeIncrement : kSnoozeMaximum));
}

void ReminderSettings::UpDown2_UpClick() {
    const int v = snoozeValue();
    view_.setText(SettingsText::Text2,
                  std::to_string(v < kSnoozeMaximum ? v + kSnoozeIncrement : kSnoozeMinimum));
}

void ReminderSettings::CmdOk_Click() {
    try {
        // The news server lives in the same row but is not edited here; keep it.
        store::Settings settings = store::readSettings(conn_).value_or(store::Settings{});
        // Whether or not a row existed, what the user typed is what is stored.
        settings.mobileno = view_.text(SettingsText::Text1);
        settings.snoozeinterval = snoozeValue();
        store::saveSettings(conn_, settings);
    } catch (const std::exception& e) {
        view_.showMessage(std::string("The settings could not be saved.\n\n") + e.what(),
                          ui::kReminderTitle, ui::MessageIcon::Error);
        return;
    }
    try {
        lblmobileno_.reload(conn_);
    } catch (const std::exception& e) {
        view_.showMessage(std::string("The settings were saved, but could not be read back.\n\n") +
                              e.what(),
                          ui::kReminderTitle, ui::MessageIcon::Error);
    }
    view_.unload();
}

} // namespace davrin::shell
