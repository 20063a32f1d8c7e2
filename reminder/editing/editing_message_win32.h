// Message boxes of the editing windows: always titled "Reminder", owned by the asking window.
#pragma once

#include "editor_services.h"

#include <windows.h>

#include <string>

namespace davrin {

void showEditingMessage(HWND owner, const std::string& text, EditingIcon icon);
bool askEditingYesNo(HWND owner, const std::string& text);

} // namespace davrin
