// In-memory dialog templates for the property pages: child windows with no caption or border.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace norvane::pages {

// Dialog units keep the layout right at any DPI; a template in memory needs no resource script
// in the library that links the pages in.
class PageTemplate {
public:
    // cx, cy in dialog units; the font is Tahoma 8 pt, which the pages are laid out for.
    PageTemplate(short cx, short cy);

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

// The page's size in pixels, as the dialog manager will lay it out with the template's font.
SIZE pagePixels(const PageTemplate& layout);

} // namespace norvane::pages
