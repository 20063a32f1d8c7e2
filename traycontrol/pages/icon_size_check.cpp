// The icon size check and its four outcomes.
#include "traycontrol/pages/icon_size_check.h"

#include <string>

namespace norvane::pages {

namespace {
constexpr int kTraySize = 32;
constexpr int kSmallSize = 16;
const std::string kSide = std::to_string(kTraySize);
const std::string kBreak(kCrLf);
} // namespace

bool passesSizeCheck(int w, int h, PageMessageBoxes& boxes) {
    if (w == kTraySize && h == kTraySize)
        return true;
    const std::string measured = std::to_string(w) + " x " + std::to_string(h);
    if (w >= kTraySize && h >= kTraySize) {
        boxes.show("Image is greater than " + kSide + " x " + kSide + kBreak + kBreak + measured,
                   MessageButtons::Ok, MessageIcon::None);
        return false;
    }
    const std::string text = w == kSmallSize && h == kSmallSize
                                 ? "Image is less than " + kSide + " x " + kSide + kBreak + kBreak +
                                       measured + kBreak + "Proceed still?"
                                 : "Image is less than " + kSide + " x " + kSide +
                                       " and not 16 x 16." + kBreak + kBreak + measured;
    return boxes.show(text, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::No;
}

} // namespace norvane::pages
