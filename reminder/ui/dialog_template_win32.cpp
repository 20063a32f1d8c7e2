// The dialog font's heading variants.
#include "reminder/ui/dialog_template_win32.h"

namespace davrin::ui {

win32::UniqueFont scaledDialogFont(HWND dialog, int scale, bool bold) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight *= scale;
    if (bold)
        font.lfWeight = FW_BOLD;
    return win32::UniqueFont(CreateFontIndirectW(&font));
}

} // namespace davrin::ui
