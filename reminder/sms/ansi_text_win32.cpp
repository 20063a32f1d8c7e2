// Converts code-page text to UTF-8 through the platform's conversion.
#include "reminder/sms/ansi_text_win32.h"

#include "reminder/ui/text_win32.h"

#include <windows.h>

namespace davrin::sms {

std::string ansiToUtf8(std::string_view ansi) {
    if (ansi.empty())
        return {};
    const int size = static_cast<int>(ansi.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), static_cast<int>(wide.size()));
    return ui::toUtf8(wide);
}

} // namespace davrin::sms
