// ModTopMost: keeping a window above every other application's windows.
#pragma once

#include <windows.h>

namespace davrin::shell {

// Topmost or back to normal; position and size stay. The SetWindowPos result when made topmost.
LONG SetTopMost(HWND window, bool topmost);

} // namespace davrin::shell
