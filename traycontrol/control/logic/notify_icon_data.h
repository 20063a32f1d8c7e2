// The shell's 88-byte ANSI tray record as the control keeps it, and the rule for writing its tip.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace norvane::logic {

// Field order and widths are those of the 32-bit shell record, which the window hands over
// field by field.
struct NotifyIconData {
    std::uint32_t cbSize = 0;
    std::uint32_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uint32_t hIcon = 0;
    std::array<char, 64> szTip{};
};

inline constexpr std::size_t kNotifyIconDataSize = 88;
inline constexpr std::uint32_t kNotifyFlags = 7;          // message, icon and tip are valid
inline constexpr std::uint32_t kCallbackMessage = 0x0200; // arrives as a mouse move

// Stores the text and a NUL left-aligned in the tip and pads with blanks behind the NUL. Text
// that does not fit is cut to 63 bytes so that the tip always ends in a NUL the shell can find.
void writeTip(NotifyIconData& record, std::string_view ansiText);

} // namespace norvane::logic
