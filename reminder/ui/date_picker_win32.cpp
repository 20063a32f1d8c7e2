// Date-time picker access through DTM_GETSYSTEMTIME and DTM_SETSYSTEMTIME.
#include "reminder/ui/date_picker_win32.h"

#include <commctrl.h>

namespace davrin::ui {
namespace {

SYSTEMTIME current(HWND picker) {
    SYSTEMTIME st{};
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        GetLocalTime(&st);
    return st;
}

void put(HWND picker, SYSTEMTIME st) {
    st.wSecond = 0;
    st.wMilliseconds = 0;
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

WORD word(unsigned value) {
    return static_cast<WORD>(value);
}

} // namespace

void showDatesDayFirst(HWND picker) {
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"dd/MM/yyyy"));
}

void showTimesWithHalfOfDay(HWND picker) {
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"hh:mm tt"));
}

void setPickerDate(HWND picker, std::chrono::year_month_day date) {
    SYSTEMTIME st = current(picker);
    st.wYear = word(static_cast<unsigned>(static_cast<int>(date.year())));
    st.wMonth = word(static_cast<unsigned>(date.month()));
    st.wDay = word(static_cast<unsigned>(date.day()));
    st.wDayOfWeek = 0; // recomputed by the picker
    put(picker, st);
}

std::optional<std::chrono::year_month_day> pickerDate(HWND picker) {
    SYSTEMTIME st{};
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        return std::nullopt;
    return std::chrono::year_month_day{std::chrono::year{st.wYear}, std::chrono::month{st.wMonth},
                                       std::chrono::day{st.wDay}};
}

void clearPickerDate(HWND picker) {
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0);
}

void setPickerTime(HWND picker, std::chrono::minutes timeOfDay) {
    SYSTEMTIME st = current(picker);
    st.wHour = word(static_cast<unsigned>(timeOfDay.count() / 60));
    st.wMinute = word(static_cast<unsigned>(timeOfDay.count() % 60));
    put(picker, st);
}

std::chrono::minutes pickerTime(HWND picker) {
    const SYSTEMTIME st = current(picker);
    return std::chrono::hours{st.wHour} + std::chrono::minutes{st.wMinute};
}

} // namespace davrin::ui
