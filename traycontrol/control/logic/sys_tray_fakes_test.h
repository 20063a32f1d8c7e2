// Test doubles for the control logic's ports: they record every call the logic makes.
#pragma once

#include "traycontrol/control/logic/sys_tray.h"

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace norvane::logic {

struct FakePicture : Picture {
    explicit FakePicture(std::uint32_t h) : h_(h) {}
    std::uint32_t handle() const override { return h_; }
    std::uint32_t h_;
};
inline PicturePtr picture(std::uint32_t handle) {
    return std::make_shared<FakePicture>(handle);
}

struct FakeShell : TrayShell {
    struct Call {
        NotifyMessage message;
        NotifyIconData record;
    };
    std::vector<Call> calls;
    std::set<NotifyMessage> refused;
    std::function<void()> during; // runs inside the shell call, as re-entrant messages would
    bool notifyIcon(NotifyMessage message, const NotifyIconData& record) override {
        calls.push_back({message, record});
        if (during)
            std::exchange(during, nullptr)();
        return !refused.contains(message);
    }
    std::string toAnsi(std::u16string_view text) const override {
        return {text.begin(), text.end()};
    }
};

struct FakeTimer : TrayTimer {
    std::uint32_t interval = 12345;
    bool enabled = true;
    void setInterval(std::uint32_t ms) override { interval = ms; }
    void setEnabled(bool on) override { enabled = on; }
};

struct FakeSite : TraySite {
    std::vector<std::int32_t> changed;
    std::vector<std::pair<std::int32_t, MouseArgs>> events;
    std::function<void(std::int32_t, MouseArgs&)> onEvent;
    int repaints = 0;
    int queued = 0; // messages waiting in the queue
    int pumped = 0;
    int visits = 0;
    double tpp = 15;
    std::uint32_t windowHandle() const override { return 0x00450012; }
    void propertyChanged(std::int32_t dispid) override { changed.push_back(dispid); }
    void raiseEvent(std::int32_t id, MouseArgs& args) override {
        events.emplace_back(id, args);
        if (onEvent)
            onEvent(id, args);
    }
    void repaint() override { ++repaints; }
    bool pumpMessage() override {
        if (queued == 0)
            return false;
        --queued;
        ++pumped;
        return true;
    }
    double twipsPerPixelX() const override { return tpp; }
    void visitWebSite() override { ++visits; }
};

// A property bag answering whatever kind it holds; matching keys is the host's business.
struct MemoryBag : PropertyBagPort {
    std::vector<std::pair<std::string, PropertyValue>> items;
    std::optional<PropertyValue> read(std::string_view name, const PropertyValue&) override {
        for (const auto& [key, value] : items)
            if (key == name)
                return value;
        return std::nullopt;
    }
    void write(std::string_view name, const PropertyValue& value) override {
        items.emplace_back(std::string(name), value);
    }
};

// Built-in pictures with recognisable handles: ImageList1 entry n is 100 + n, Image1 is 999.
inline BuiltInPictures builtInPictures() {
    BuiltInPictures pictures;
    for (std::uint32_t n = 1; n <= 12; ++n)
        pictures.ImageList1[n - 1] = picture(100 + n);
    pictures.Image1 = picture(999);
    return pictures;
}

struct TrayRig {
    FakeShell shell;
    FakeTimer timer;
    FakeSite site;
    SysTray tray{shell, timer, site, builtInPictures()};
    TrayRig() { tray.UserControl_InitProperties(); }
    std::uint32_t shownIcon() const { return shell.calls.back().record.hIcon; }
    // The last shell call, the timer and the active mode: "Modify 111 tip; timer 250; mode 2".
    std::string seen() const {
        constexpr const char* messages[] = {"Add ", "Modify ", "Delete "};
        const auto& [message, record] = shell.calls.back();
        return messages[static_cast<int>(message)] + std::to_string(record.hIcon) + " " +
               record.szTip.data() + "; timer " +
               (timer.enabled ? std::to_string(timer.interval) : "off") + "; mode " +
               std::to_string(tray.state().m_ActiveMode);
    }
};

} // namespace norvane::logic
