// Names of the control's properties the pages read and write.
#include "traycontrol/pages/selected_control.h"

#include <array>

namespace norvane::pages {

std::string_view propertyName(Property property) {
    static constexpr std::array<std::string_view, 19> kNames{
        "TrayTitle",  "swTrayText", "swTrayMouse", "GoWeb", "TrayMode", "FlashCycle", "AnimCycle",
        "FrameCount", "Image",      "Pic01",       "Pic02", "Pic03",    "Pic04",      "Pic05",
        "Pic06",      "Pic07",      "Pic08",       "Pic09", "Pic10"};
    return kNames.at(static_cast<std::size_t>(property));
}

} // namespace norvane::pages
