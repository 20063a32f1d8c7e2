// Trimming and the digit filter.
#include "reminder/ui/text_rules.h"

namespace davrin::ui {

std::string trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

bool isDigitOrBackspace(char32_t key) {
    return key == kBackspace || (key >= U'0' && key <= U'9');
}

} // namespace davrin::ui
