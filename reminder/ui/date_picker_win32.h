// Date-time pickers in the calendar types the windows' logic uses, in the program's formats.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>

namespace davrin::ui {

// Day first, as every date the program writes.
void showDatesDayFirst(HWND picker);
// Hours and minutes with AM/PM, or an afternoon could not be told from a morning.
void showTimesWithHalfOfDay(HWND picker);

void setPickerDate(HWND picker, std::chrono::year_month_day date);
// Empty when a picker with a check box holds no date.
std::optional<std::chrono::year_month_day> pickerDate(HWND picker);
void clearPickerDate(HWND picker);

void setPickerTime(HWND picker, std::chrono::minutes timeOfDay);
// Seconds dropped.
std::chrono::minutes pickerTime(HWND picker);

} // namespace davrin::ui
