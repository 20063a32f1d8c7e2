// MessageBoxW for the program's boxes; a box from a hidden window must still come to the front.
#include "message_box_win32.h"

#include "program_modal_win32.h"
#include "text_win32.h"

namespace davrin {

bool showMessageBox(HWND owner, const std::string& text, const std::string& title,
                    MessageIcon icon) {
    UINT style = MB_OK | MB_SETFOREGROUND;
    if (icon == MessageIcon::Information)
        style |= MB_ICONINFORMATION;
    else if (icon == MessageIcon::Error)
        style |= MB_ICONERROR;
    // Without a visible owner the box would open behind whatever the user is doing.
    if (!owner || !IsWindowVisible(owner))
        style |= MB_TOPMOST;
    const ProgramModal modal;
    const int button = MessageBoxW(owner, toWide(text).c_str(), toWide(title).c_str(), style);
    // A box whose loop met the program's end went away unanswered, whatever it returned.
    MSG quit;
    return button != 0 && !PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

} // namespace davrin
