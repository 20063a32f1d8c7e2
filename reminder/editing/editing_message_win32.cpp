// MessageBoxW with the editing windows' title and icons.
#include "editing_message_win32.h"

#include "program_modal_win32.h"
#include "wide_text_win32.h"

namespace davrin {

void showEditingMessage(HWND owner, const std::string& text, EditingIcon icon) {
    UINT style = MB_OK;
    switch (icon) {
    case EditingIcon::Information:
        style |= MB_ICONINFORMATION;
        break;
    case EditingIcon::Question:
        style |= MB_ICONQUESTION;
        break;
    case EditingIcon::Error:
        style |= MB_ICONERROR;
        break;
    }
    const ProgramModal modal;
    MessageBoxW(owner, widen(text).c_str(), widen(kEditingTitle).c_str(), style);
}

bool askEditingYesNo(HWND owner, const std::string& text) {
    const ProgramModal modal;
    return MessageBoxW(owner, widen(text).c_str(), widen(kEditingTitle).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace davrin
