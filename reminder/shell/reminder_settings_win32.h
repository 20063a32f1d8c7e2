// Showing the settings window modally; the list window's Setting button calls this.
#pragma once

#include "reminder/shell/mobile_number_label.h"
#include "reminder/store/database.h"

#include <windows.h>

namespace davrin::shell {

// Returns when the user has pressed Ok (saved) or Cancel.
void showReminderSettings(HWND owner, const store::Connection& conn,
                          MobileNumberLabel& lblmobileno);

} // namespace davrin::shell
