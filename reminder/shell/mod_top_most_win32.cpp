// SetTopMost through SetWindowPos; the window keeps its place and size.
#include "mod_top_most_win32.h"

namespace davrin {

LONG SetTopMost(HWND window, bool topmost) {
    constexpr UINT keepPlaceAndSize = SWP_NOSIZE | SWP_NOMOVE;
    if (topmost)
        return SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, keepPlaceAndSize);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, keepPlaceAndSize);
    return 0;
}

} // namespace davrin
