// In-memory dialog templates: our dialogs live in a static library, where resource scripts would
// be dropped by the linker, and dialog units keep every layout right at any DPI.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace davrin {

class DialogTemplate {
public:
    // x, y, cx, cy are dialog units; the font is Tahoma 8 pt, which the windows are drawn for.
    DialogTemplate(std::wstring_view caption, short cx, short cy, DWORD style);

    void add(std::wstring_view className, std::wstring_view text, WORD id, short x, short y,
             short cx, short cy, DWORD style, DWORD exStyle = 0);

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void putDword(DWORD value);
    void putString(std::wstring_view text);
    void alignToDword();

    std::vector<WORD> words_;
    std::size_t countIndex_ = 0;
};

} // namespace davrin
