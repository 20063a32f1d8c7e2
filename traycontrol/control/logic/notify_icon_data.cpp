// Serialisation of the tray record and the tip writing rule.
#include "traycontrol/control/logic/notify_icon_data.h"

#include <algorithm>

namespace norvane::logic {

namespace {
void put32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
} // namespace

std::array<std::uint8_t, kNotifyIconDataSize> toBytes(const NotifyIconData& record) {
    std::array<std::uint8_t, kNotifyIconDataSize> bytes{};
    const std::uint32_t words[] = {record.cbSize,           record.hWnd, record.uID, record.uFlags,
                                   record.uCallbackMessage, record.hIcon};
    for (std::size_t i = 0; i < std::size(words); ++i)
        put32(bytes.data() + 4 * i, words[i]);
    std::transform(record.szTip.begin(), record.szTip.end(), bytes.begin() + 24,
                   [](char c) { return static_cast<std::uint8_t>(c); });
    return bytes;
}

void writeTip(NotifyIconData& record, std::string_view ansiText) {
    const auto kept = std::min(ansiText.size(), record.szTip.size() - 1);
    record.szTip.fill(' ');
    std::copy_n(ansiText.begin(), kept, record.szTip.begin());
    record.szTip[kept] = '\0';
}

} // namespace norvane::logic
