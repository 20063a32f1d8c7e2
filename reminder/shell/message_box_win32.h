// Message boxes through MessageBoxW, owned by a given window.
#pragma once

#include "message_box.h"

#include <windows.h>

namespace davrin {

// False when the box went unanswered because the program is ending.
bool showMessageBox(HWND owner, const std::string& text, const std::string& title,
                    MessageIcon icon);

class Win32MessageBoxes final : public MessageBoxes {
public:
    explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }
    bool show(const std::string& text, const std::string& title, MessageIcon icon) override {
        return showMessageBox(owner_, text, title, icon);
    }

private:
    HWND owner_;
};

} // namespace davrin
