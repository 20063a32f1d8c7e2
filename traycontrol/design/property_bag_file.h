// The design host's property-bag file: one "Name=kind:value" line per property, as text.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace norvane::design {

// A picture as the bytes its object saves (an icon file for icons); empty for Nothing.
struct PictureBytes {
    std::vector<std::uint8_t> bytes;
    bool operator==(const PictureBytes&) const = default;
};

// text (UTF-8), bool, i2, r8, picture
using BagValue = std::variant<std::string, bool, std::int16_t, double, PictureBytes>;

struct BagEntry {
    std::string name;
    BagValue value;
    bool operator==(const BagEntry&) const = default;
};

// A line that cannot be read: its number (from 1) and why.
class BagFileError : public std::runtime_error {
public:
    BagFileError(int line, const std::string& why)
        : std::runtime_error("line " + std::to_string(line) + ": " + why), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

// Lines starting with '#' and empty lines are skipped. Text escapes "\\", "\n" and "\r";
// numbers are written and read the same in every locale; pictures are hexadecimal.
std::string formatBag(const std::vector<BagEntry>& entries);
std::vector<BagEntry> parseBag(std::string_view text);

} // namespace norvane::design
