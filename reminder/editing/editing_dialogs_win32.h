// The modal editing dialogs, each returning when its window has closed.
#pragma once

#include "editor_services.h"

#include <windows.h>

namespace davrin {

void showOTReminder(HWND owner, const EditorServices& services);
void showRecReminder(HWND owner, const EditorServices& services);
void showFrmMsgbox(HWND owner);

} // namespace davrin
