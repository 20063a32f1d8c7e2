// Small text rules the editors share: a message as a list line, reading a typed number.
#pragma once

#include <string>
#include <string_view>

namespace davrin::editing {

// A message as one line of the list: trimmed, each line break inside it a blank.
std::string toListMessage(std::string_view text);

// The number a box's text starts with, as a person would read it ("12", " 7", "03abc");
// 0 for an empty or non-numeric text. Saturates instead of overflowing.
int leadingNumber(std::string_view text);

} // namespace davrin::editing
