// MessageBoxW for the program's boxes; a box from a hidden window must still come to the front.
#include "reminder/ui/message_box_win32.h"

#include "reminder/ui/program_modal_win32.h"
#include "reminder/ui/text_win32.h"

namespace davrin::ui {

namespace {

UINT iconStyle(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::Question:
        return MB_ICONQUESTION;
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::None:
        break;
    }
    return 0;
}

} // namespace

bool showMessageBox(HWND owner, const std::string& text, const std::string& title,
                    MessageIcon icon) {
    UINT style = MB_OK | MB_SETFOREGROUND | iconStyle(icon);
    // Without a visible owner the box would open behind whatever the user is doing.
    if (!owner || !IsWindowVisible(owner))
        style |= MB_TOPMOST;
    const ProgramModal modal;
    const int button = MessageBoxW(owner, toWide(text).c_str(), toWide(title).c_str(), style);
    // A box whose loop met the program's end went away unanswered, whatever it returned.
    MSG quit;
    return button != 0 && !PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

bool askYesNo(HWND owner, const std::string& text) {
    const ProgramModal modal;
    return MessageBoxW(owner, toWide(text).c_str(), toWide(kReminderTitle).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace davrin::ui
