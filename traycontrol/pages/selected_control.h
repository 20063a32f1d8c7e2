// The first selected ctlSysTray as both pages reach it: through its public properties only.
#pragma once

#include "traycontrol/pages/page_picture.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace norvane::pages {

enum class Property {
    TrayTitle,
    swTrayText,
    swTrayMouse,
    GoWeb,
    TrayMode,
    FlashCycle,
    AnimCycle,
    FrameCount,
    Image,
    Pic01,
    Pic02,
    Pic03,
    Pic04,
    Pic05,
    Pic06,
    Pic07,
    Pic08,
    Pic09,
    Pic10
};
constexpr Property picProperty(int n) { // n = 1 ... 10
    return static_cast<Property>(static_cast<int>(Property::Pic01) + n - 1);
}
// The property's name on the control's interface ("TrayTitle", ..., "Pic10").
std::string_view propertyName(Property property);

// String (UTF-8), Boolean, Integer, Double or Picture, as the property's type says.
using PropertyValue = std::variant<std::string, bool, std::int16_t, double, PictureRef>;

// Setting goes through the control's own setters, so its corrections (a frame count of 25 kept
// as 10, ...) apply. A call the control refuses throws std::runtime_error carrying its reason.
class SelectedControl {
public:
    virtual ~SelectedControl() = default;
    virtual PropertyValue get(Property property) const = 0;
    virtual void set(Property property, const PropertyValue& value) = 0;
};

// A value of the property's own type; another type is a broken control (std::bad_variant_access).
template <typename T> T read(const SelectedControl& control, Property property) {
    return std::get<T>(control.get(property));
}

} // namespace norvane::pages
