// In-memory dialog templates, the one way KELVOR defines a dialog: they live in static libraries,
// where resource scripts would be dropped by the linker, and dialog units keep every layout right
// at any DPI. Every dialog uses the one font below.
#pragma once

#include "common/win32/handles.h"

#include <windows.h>

#include <string_view>
#include <vector>

namespace davrin::ui {

inline constexpr WORD kDialogFontPoints = 8;
inline constexpr wchar_t kDialogFontFace[] = L"Tahoma";

class DialogTemplate {
public:
    // x, y, cx, cy are dialog units of the font above.
    DialogTemplate(std::wstring_view caption, short cx, short cy, DWORD style, DWORD exStyle = 0);

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

// The dialog's own font, `scale` times as high and optionally bold.
win32::UniqueFont scaledDialogFont(HWND dialog, int scale, bool bold);

} // namespace davrin::ui
