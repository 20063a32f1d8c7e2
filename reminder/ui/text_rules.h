// Text rules every window shares: trimming and the keys a digits-only box lets through.
#pragma once

#include <string>
#include <string_view>

namespace davrin::ui {

inline constexpr char32_t kBackspace = 8;

// Leading and trailing blanks, tabs and line breaks removed; a text of only these is empty.
std::string trimmed(std::string_view text);

// Keys a digits-only box lets through: Backspace and 0 to 9.
bool isDigitOrBackspace(char32_t key);

} // namespace davrin::ui
