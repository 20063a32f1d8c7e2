// The modal editing dialogs, each returning when its window has closed.
#pragma once

#include "reminder/editing/editor_services.h"
#include "reminder/editing/frm_msgbox.h"

#include <windows.h>

namespace davrin::editing {

void showOTReminder(HWND owner, const EditorServices& services);
void showRecReminder(HWND owner, const EditorServices& services);
// None when the dialog was closed without a button.
std::optional<DeleteAnswer> showFrmMsgbox(HWND owner);

} // namespace davrin::editing
