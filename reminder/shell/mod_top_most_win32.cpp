// SetTopMost through SetWindowPos; the window keeps its place and size.
#include "reminder/shell/mod_top_most_win32.h"

namespace davrin::shell {

LONG SetTopMost(HWND window, bool topmost) {
    constexpr UINT kKeepPlaceAndSize = SWP_NOSIZE | SWP_NOMOVE;
    if (topmost)
        return SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
    return 0;
}

} // namespace davrin::shell
