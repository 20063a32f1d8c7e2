// Builds extended dialog templates word by word, in the layout the dialog manager reads.
#include "common/win32/dialog_template.h"

#include "common/win32/handles.h"

namespace win32 {

DialogTemplate::DialogTemplate(std::wstring_view caption, short cx, short cy, DWORD style,
                               DWORD exStyle)
    : cx_(cx), cy_(cy) {
    words_.push_back(1);      // dlgVer
    words_.push_back(0xFFFF); // signature: extended template
    putDword(0);              // helpID
    putDword(exStyle);
    putDword(style | DS_SETFONT);
    countIndex_ = words_.size();
    words_.push_back(0); // cDlgItems, counted by add()
    for (short v : {short{0}, short{0}, cx, cy})
        words_.push_back(static_cast<WORD>(v));
    words_.push_back(0); // no menu
    words_.push_back(0); // default dialog class
    putString(caption);
    words_.push_back(kDialogFontPoints);
    words_.push_back(FW_NORMAL);                    // weight
    words_.push_back(MAKEWORD(0, DEFAULT_CHARSET)); // italic, charset
    putString(kDialogFontFace);
}

void DialogTemplate::add(std::wstring_view className, std::wstring_view text, WORD id, short x,
                         short y, short cx, short cy, DWORD style, DWORD exStyle) {
    if (words_.size() % 2 != 0)
        words_.push_back(0); // items start on a DWORD boundary
    putDword(0);             // helpID
    putDword(exStyle);
    putDword(style | WS_CHILD | WS_VISIBLE);
    for (short v : {x, y, cx, cy})
        words_.push_back(static_cast<WORD>(v));
    putDword(id);
    putString(className);
    putString(text);
    words_.push_back(0); // no creation data
    ++words_[countIndex_];
}

void DialogTemplate::putDword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void DialogTemplate::putString(std::wstring_view text) {
    for (wchar_t c : text)
        words_.push_back(static_cast<WORD>(c));
    words_.push_back(0);
}

SIZE dialogPixels(const DialogTemplate& layout) {
    // The dialog manager's own rule: base units from the font's height and its average letter
    // width.
    WindowDc screen(nullptr);
    const int height = -MulDiv(kDialogFontPoints, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    UniqueFont font(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                0, 0, 0, kDialogFontFace));
    SelectedObject selected(screen.get(), font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    constexpr wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    GetTextExtentPoint32W(screen.get(), letters, 52, &extent);
    const int baseX = (extent.cx / 26 + 1) / 2;
    const int baseY = metrics.tmHeight;
    return {MulDiv(layout.cx(), baseX, 4), MulDiv(layout.cy(), baseY, 8)};
}

} // namespace win32
