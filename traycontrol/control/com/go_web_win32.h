// The hidden GoWeb shortcut: opens the control maker's web site in the user's browser.
#pragma once

#include <windows.h>

namespace norvane::com {

// Shows its own message boxes on failure and always removes its placeholder page.
void visitMakerWebSite(HWND owner);

} // namespace norvane::com
