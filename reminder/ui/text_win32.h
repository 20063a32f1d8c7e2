// UTF-8 inside, UTF-16 at the Windows API: the two conversions and window and control texts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace davrin::ui {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

std::string windowText(HWND window);
void setWindowText(HWND window, std::string_view text);
std::string controlText(HWND dialog, int id);
void setControlText(HWND dialog, int id, std::string_view text);

} // namespace davrin::ui
