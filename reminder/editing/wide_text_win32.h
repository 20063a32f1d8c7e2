// UTF-8 inside, UTF-16 at the W API: conversions and control text access for the dialogs.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace davrin {

std::wstring widen(std::string_view text);
std::string narrow(std::wstring_view text);

std::string controlText(HWND dialog, int id);
void setControlText(HWND dialog, int id, std::string_view text);
void setWindowText(HWND window, std::string_view text);

} // namespace davrin
