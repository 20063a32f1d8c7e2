// The editors' text rules.
#include "reminder/editing/editor_text.h"

#include "reminder/ui/text_rules.h"

#include <limits>

namespace davrin::editing {

std::string toListMessage(std::string_view text) {
    std::string line = ui::trimmed(text);
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

} // namespace davrin::editing
