// Reading and setting date-time pickers in the calendar types the editors' logic uses.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>

namespace davrin {

void setPickerDate(HWND picker, std::chrono::year_month_day date);
// Empty when a picker with a check box holds no date.
std::optional<std::chrono::year_month_day> pickerDate(HWND picker);
void clearPickerDate(HWND picker);

void setPickerTime(HWND picker, std::chrono::minutes timeOfDay);
// Seconds dropped.
std::chrono::minutes pickerTime(HWND picker);

} // namespace davrin
