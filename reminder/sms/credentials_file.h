// The credentials file Reminder.dat: the nine SMS gateway account fields, enciphered on one line.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace davrin::sms {

// The program's constant pass phrase for Reminder.dat.
inline constexpr std::string_view passPhrase = "Q7#mV!r2@Lp&";
inline constexpr std::string_view fileName = "Reminder.dat";
inline constexpr char fieldSeparator = '#';
inline constexpr std::size_t fieldCount = 9;

struct FieldDescription {
    std::string_view name;    // short name for messages
    std::string_view meaning; // what the dispatcher makes of it
};

// Field i of the file, in file order. The dispatcher joins them into its account values:
// request address 0+3, user name 7+2, password 6+4+8, sender id 5, CDMA header 1.
extern const std::array<FieldDescription, fieldCount> fields;

// The whole file: the fields joined by "#", enciphered, then a line break. The caller makes sure
// no field holds the separator (it would shift every field after it).
std::string fileText(std::span<const std::string_view, fieldCount> values);

} // namespace davrin::sms
