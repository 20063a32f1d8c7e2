// UTF-8 inside, UTF-16 at the Windows API: the two conversions and reading a window's text.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace davrin {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);
std::string windowTextUtf8(HWND window);
void setWindowTextUtf8(HWND window, const std::string& text);

} // namespace davrin
