// Small text rules the editors share: trimming a message, reading a typed number, key filters.
#pragma once

#include <string>
#include <string_view>

namespace davrin {

// Leading and trailing blanks, tabs and line breaks removed; a message of only these is empty.
std::string trimMessage(std::string_view text);

// A message as one line of the list: trimmed, each line break inside it a blank.
std::string toListMessage(std::string_view text);

// The number a box's text starts with, as a person would read it ("12", " 7", "03abc");
// 0 for an empty or non-numeric text. Saturates instead of overflowing.
int leadingNumber(std::string_view text);

// Keys a digits-only box lets through: Backspace and 0 to 9.
bool isDigitOrBackspace(char32_t key);

} // namespace davrin
