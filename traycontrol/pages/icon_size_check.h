// The size check an icon file passes before a page takes it: 32 x 32 silently, others by asking.
#pragma once

#include "traycontrol/pages/page_message_boxes.h"

namespace norvane::pages {

// True when the picture of w x h pixels is taken. Larger than 32 x 32 is refused with a note;
// smaller ones are taken unless the designer answers No.
bool passesSizeCheck(int w, int h, PageMessageBoxes& boxes);

} // namespace norvane::pages
