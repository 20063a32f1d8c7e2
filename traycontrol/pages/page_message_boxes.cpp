// Reporting a control that refused a value or could not be read.
#include "traycontrol/pages/page_message_boxes.h"

namespace norvane::pages {

void reportControlError(PageMessageBoxes& boxes, const std::exception& error) {
    boxes.show(std::string(kControlFailedText) + std::string(kCrLf) + std::string(kCrLf) +
                   error.what(),
               MessageButtons::Ok, MessageIcon::Exclamation);
}

} // namespace norvane::pages
