// Showing the settings window modally; the list window's Setting button calls this.
#pragma once

#include "database.h"
#include "mobile_number_label.h"

#include <windows.h>

namespace davrin {

// Returns when the user has pressed Ok (saved) or Cancel.
void showReminderSettings(HINSTANCE instance, HWND owner, const Connection& conn,
                          MobileNumberLabel& lblmobileno);

} // namespace davrin
