// Reporting what a handler threw, through the program's message boxes.
#include "reminder/ui/guarded_win32.h"

#include "reminder/ui/message_box_win32.h"

#include <string>

namespace davrin::ui {

void reportFailure(HWND owner, const char* cause) noexcept {
    try {
        showMessageBox(owner, std::string("The action could not be completed.\n\n") + cause,
                       MessageIcon::Error);
    } catch (...) {
        // Out of memory even for the box: nothing is left to tell the user with.
    }
}

} // namespace davrin::ui
