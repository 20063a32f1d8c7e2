// ctlSysTray's persisted properties: keys, order, kinds and defaults in the host's property bag.
#include "traycontrol/control/logic/sys_tray.h"

#include <functional>
#include <string>
#include <vector>

namespace norvane::logic {

namespace {
std::string picKey(std::size_t index) { // index 0 is "Pic01"
    const auto n = index + 1;
    return std::string("Pic") + (n < 10 ? "0" : "") + std::to_string(n);
}

bool sameValue(const PropertyValue& a, const PropertyValue& b) {
    if (a.index() != b.index())
        return false;
    if (const auto* picture = std::get_if<PicturePtr>(&a))
        return handleOf(*picture) == handleOf(std::get<PicturePtr>(b));
    return a == b;
}

// One persisted property: its key, its field, and its default.
struct Entry {
    std::string key;
    std::function<PropertyValue(const SysTrayState&)> get;
    std::function<void(SysTrayState&, const PropertyValue&)> set;
    PropertyValue fallback;
};

template <typename T, typename Field> Entry entry(std::string key, Field field, T fallback) {
    return Entry{std::move(key), [field](const SysTrayState& s) { return PropertyValue{s.*field}; },
                 [field](SysTrayState& s, const PropertyValue& v) { s.*field = std::get<T>(v); },
                 PropertyValue{std::move(fallback)}};
}

std::vector<Entry> table(const BuiltInPictures& pictures) {
    std::vector<Entry> entries;
    entries.push_back(entry<std::u16string>("TrayTitle", &SysTrayState::m_TrayTitle, u"SysTray"));
    entries.push_back(entry<bool>("swTrayMouse", &SysTrayState::m_swTrayMouse, true));
    entries.push_back(entry<bool>("swTrayText", &SysTrayState::m_swTrayText, true));
    for (std::size_t i = 0; i < 10; ++i)
        entries.push_back(Entry{
            picKey(i), [i](const SysTrayState& s) { return PropertyValue{s.m_Pic[i]}; },
            [i](SysTrayState& s, const PropertyValue& v) { s.m_Pic[i] = std::get<PicturePtr>(v); },
            PropertyValue{pictures.ImageList1[i]}});
    entries.push_back(entry<PicturePtr>("Image", &SysTrayState::m_Image2, pictures.ImageList1[10]));
    entries.push_back(entry<double>("FlashCycle", &SysTrayState::m_FlashCycle, 0.5));
    entries.push_back(entry<double>("AnimCycle", &SysTrayState::m_AnimCycle, 0.5));
    entries.push_back(
        entry<std::int16_t>("FrameCount", &SysTrayState::m_FrameCount, std::int16_t{10}));
    entries.push_back(entry<std::int16_t>("TrayMode", &SysTrayState::m_TrayMode, std::int16_t{0}));
    entries.push_back(entry<bool>("GoWeb", &SysTrayState::m_GoWeb, false));
    return entries;
}
} // namespace

void SysTray::UserControl_ReadProperties(PropertyBagPort& bag) {
    for (const auto& e : table(builtIn_)) {
        const auto stored = bag.read(e.key, e.fallback);
        e.set(s_, stored && stored->index() == e.fallback.index() ? *stored : e.fallback);
    }
}

void SysTray::UserControl_WriteProperties(PropertyBagPort& bag) const {
    for (const auto& e : table(builtIn_)) {
        const auto value = e.get(s_);
        if (!sameValue(value, e.fallback))
            bag.write(e.key, value);
    }
}

} // namespace norvane::logic
