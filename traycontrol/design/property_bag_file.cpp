// Writing and reading the design host's property-bag file.
#include "traycontrol/design/property_bag_file.h"

#include <charconv>

namespace norvane::design {

namespace {
constexpr char kHex[] = "0123456789abcdef";

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text)
        out += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    return out;
}

std::string unescaped(std::string_view text, int line) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        const char next = ++i < text.size() ? text[i] : '\0';
        if (next != '\\' && next != 'n' && next != 'r')
            throw BagFileError(line, "unknown escape in text");
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
    }
    return out;
}

template <typename T> T number(std::string_view text, int line) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw BagFileError(line, "\"" + std::string(text) + "\" is no number of its kind");
    return value;
}

PictureBytes picture(std::string_view hex, int line) {
    if (hex.size() % 2 != 0)
        throw BagFileError(line, "picture bytes need two hexadecimal digits each");
    PictureBytes out;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        std::uint8_t b = 0;
        const auto [end, ec] = std::from_chars(hex.data() + i, hex.data() + i + 2, b, 16);
        if (ec != std::errc() || end != hex.data() + i + 2)
            throw BagFileError(line, "picture bytes need two hexadecimal digits each");
        out.bytes.push_back(b);
    }
    return out;
}

BagValue value(std::string_view kind, std::string_view text, int line) {
    if (kind == "text")
        return unescaped(text, line);
    if (kind == "bool") {
        if (text != "True" && text != "False")
            throw BagFileError(line, "a bool is True or False");
        return text == "True";
    }
    if (kind == "i2")
        return number<std::int16_t>(text, line);
    if (kind == "r8")
        return number<double>(text, line);
    if (kind == "picture")
        return picture(text, line);
    throw BagFileError(line, "unknown kind \"" + std::string(kind) + "\"");
}
} // namespace

std::string formatBag(const std::vector<BagEntry>& entries) {
    std::string out = "# norvane-design property bag\n";
    for (const auto& [name, v] : entries) {
        out += name + "=";
        if (const auto* text = std::get_if<std::string>(&v))
            out += "text:" + escaped(*text);
        else if (const auto* flag = std::get_if<bool>(&v))
            out += *flag ? "bool:True" : "bool:False";
        else if (const auto* i = std::get_if<std::int16_t>(&v))
            out += "i2:" + std::to_string(*i);
        else if (const auto* d = std::get_if<double>(&v)) {
            char buffer[32];
            out += "r8:" + std::string(buffer, std::to_chars(buffer, buffer + 32, *d).ptr);
        } else {
            out += "picture:";
            for (std::uint8_t b : std::get<PictureBytes>(v).bytes)
                out += {kHex[b >> 4], kHex[b & 15]};
        }
        out += '\n';
    }
    return out;
}

std::vector<BagEntry> parseBag(std::string_view text) {
    std::vector<BagEntry> entries;
    int line = 0;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        std::string_view row = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (row.ends_with('\r'))
            row.remove_suffix(1);
        if (row.empty() || row.front() == '#')
            continue;
        const std::size_t equals = row.find('=');
        const std::size_t colon = row.find(':', equals == std::string_view::npos ? 0 : equals);
        if (equals == 0 || equals == std::string_view::npos || colon == std::string_view::npos)
            throw BagFileError(line, "expected Name=kind:value");
        entries.push_back(
            {std::string(row.substr(0, equals)),
             value(row.substr(equals + 1, colon - equals - 1), row.substr(colon + 1), line)});
    }
    return entries;
}

} // namespace norvane::design
