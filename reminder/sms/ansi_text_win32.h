// The credentials file's text is in the system's ANSI code page; dispatch works in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace davrin::sms {

std::string ansiToUtf8(std::string_view ansi);

} // namespace davrin::sms
