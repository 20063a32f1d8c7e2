// Builds extended dialog templates word by word, in the layout the dialog manager reads.
#include "reminder/ui/dialog_template_win32.h"

namespace davrin::ui {

DialogTemplate::DialogTemplate(std::wstring_view caption, short cx, short cy, DWORD style,
                               DWORD exStyle) {
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
    alignToDword();
    putDword(0); // helpID
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

void DialogTemplate::alignToDword() {
    if (words_.size() % 2 != 0)
        words_.push_back(0);
}

win32::UniqueFont scaledDialogFont(HWND dialog, int scale, bool bold) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight *= scale;
    if (bold)
        font.lfWeight = FW_BOLD;
    return win32::UniqueFont(CreateFontIndirectW(&font));
}

} // namespace davrin::ui
