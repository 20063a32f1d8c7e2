// What the control's logic needs from its surroundings: shell, timer, container, pictures, bag.
#pragma once

#include "traycontrol/control/logic/notify_icon_data.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace norvane::logic {

// A shared, reference-counted picture; the logic only ever needs its handle.
class Picture {
public:
    virtual ~Picture() = default;
    virtual std::uint32_t handle() const = 0;
};
using PicturePtr = std::shared_ptr<const Picture>; // null is Nothing

inline std::uint32_t handleOf(const PicturePtr& picture) {
    return picture ? picture->handle() : 0;
}

enum class NotifyMessage : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

class TrayShell {
public:
    virtual ~TrayShell() = default;
    // Shell_NotifyIconA: true when the shell accepted the record.
    virtual bool notifyIcon(NotifyMessage message, const NotifyIconData& record) = 0;
    // The tip is ANSI; the code page is the platform's business.
    virtual std::string toAnsi(std::u16string_view text) const = 0;
};

// The control's window timer. Intervals reaching it are already checked to be 0 ... 65535 ms.
class TrayTimer {
public:
    virtual ~TrayTimer() = default;
    virtual void setInterval(std::uint32_t milliseconds) = 0;
    virtual void setEnabled(bool enabled) = 0;
};

// The four by-reference arguments every mouse event carries.
struct MouseArgs {
    std::int16_t Button = 0;
    std::int16_t Shift = 0;
    float X = 0;
    float y = 0;
};

// The control's window and its container.
class TraySite {
public:
    virtual ~TraySite() = default;
    virtual std::uint32_t windowHandle() const = 0;
    virtual void propertyChanged(std::int32_t dispid) = 0;
    virtual void raiseEvent(std::int32_t eventId, MouseArgs& args) = 0;
    virtual void repaint() = 0;
    // Dispatches one waiting window message; false when the queue was empty.
    virtual bool pumpMessage() = 0;
    virtual double twipsPerPixelX() const = 0;
    // Opens the control maker's web site, reporting its own failures to the user.
    virtual void visitWebSite() = 0;
};

// The control's built-in pictures: ImageList1 entries 1 ... 12 and the blank Image1.
struct BuiltInPictures {
    std::array<PicturePtr, 12> ImageList1;
    PicturePtr Image1;
};

using PropertyValue = std::variant<bool, std::int16_t, double, std::u16string, PicturePtr>;

// The host's property bag. read() answers a value of the same kind as `like`, or nothing when the
// bag holds no such key.
class PropertyBagPort {
public:
    virtual ~PropertyBagPort() = default;
    virtual std::optional<PropertyValue> read(std::string_view name, const PropertyValue& like) = 0;
    virtual void write(std::string_view name, const PropertyValue& value) = 0;
};

} // namespace norvane::logic
