// Message boxes through MessageBoxW, modal to the whole program.
#pragma once

#include "reminder/ui/message_box.h"

#include <windows.h>

#include <string>

namespace davrin::ui {

// False when the box went unanswered because the program is ending.
bool showMessageBox(HWND owner, const std::string& text, const std::string& title,
                    MessageIcon icon);
// A box titled kReminderTitle.
inline bool showMessageBox(HWND owner, const std::string& text, MessageIcon icon) {
    return showMessageBox(owner, text, kReminderTitle, icon);
}
// Yes and No, titled kReminderTitle; true for Yes.
bool askYesNo(HWND owner, const std::string& text);

// The service for logic that raises boxes, all owned by one window.
class OwnedMessageBoxes final : public MessageBoxes {
public:
    explicit OwnedMessageBoxes(HWND owner) : owner_(owner) {}
    bool show(const std::string& text, const std::string& title, MessageIcon icon) override {
        return showMessageBox(owner_, text, title, icon);
    }

private:
    HWND owner_;
};

} // namespace davrin::ui
