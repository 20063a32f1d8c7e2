// Text to number and back the way automation does it in the user's locale.
#include "traycontrol/pages/page_services_win32.h"

#include "common/win32/handles.h"
#include "traycontrol/pages/page_text_win32.h"

#include <oleauto.h>

namespace norvane::pages {

std::optional<double> UserLocaleNumbers::read(std::string_view text) const {
    std::wstring w = wide(text);
    double value = 0;
    if (FAILED(VarR8FromStr(w.data(), LOCALE_USER_DEFAULT, 0, &value)))
        return std::nullopt;
    return value;
}

std::string UserLocaleNumbers::write(double value) const {
    win32::Bstr text;
    if (FAILED(VarBstrFromR8(value, LOCALE_USER_DEFAULT, 0, text.put())))
        return std::to_string(value);
    return utf8(text.get() ? text.get() : L"");
}

} // namespace norvane::pages
