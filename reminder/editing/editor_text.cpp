// The editors' text rules.
#include "editor_text.h"

#include <limits>

namespace davrin {

std::string trimMessage(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}

std::string toListMessage(std::string_view text) {
    std::string line = trimMessage(text);
    std::size_t out = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n')
            continue; // CR LF is one break: its LF becomes the blank
        line[out++] = (line[i] == '\r' || line[i] == '\n') ? ' ' : line[i];
    }
    line.resize(out);
    return line;
}

int leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int>::max())
            return std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

bool isDigitOrBackspace(char32_t key) {
    return key == 8 || (key >= U'0' && key <= U'9');
}

} // namespace davrin
