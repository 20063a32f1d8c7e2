// In-memory dialog templates, the one way both deliverables define a dialog: they live in static
// libraries, where resource scripts would be dropped by the linker, and dialog units keep every
// layout right at any DPI. Every dialog uses the one font below.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace win32 {

inline constexpr WORD kDialogFontPoints = 8;
inline constexpr wchar_t kDialogFontFace[] = L"Tahoma";

class DialogTemplate {
public:
    // x, y, cx, cy are dialog units of the font above; an empty caption writes none.
    DialogTemplate(std::wstring_view caption, short cx, short cy, DWORD style, DWORD exStyle = 0);

    void add(std::wstring_view className, std::wstring_view text, WORD id, short x, short y,
             short cx, short cy, DWORD style, DWORD exStyle = 0);

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }
    short cx() const { return cx_; }
    short cy() const { return cy_; }

private:
    void putDword(DWORD value);
    void putString(std::wstring_view text);

    std::vector<WORD> words_;
    std::size_t countIndex_ = 0;
    short cx_;
    short cy_;
};

// The dialog's size in pixels as the dialog manager will lay it out, for callers that need it
// before the window exists.
SIZE dialogPixels(const DialogTemplate& layout);

} // namespace win32
