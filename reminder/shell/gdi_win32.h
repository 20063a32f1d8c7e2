// Owning handles for the GDI objects the dialogs create.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace davrin {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;

// The dialog's own font, `scale` times as high and optionally bold.
inline UniqueFont scaledFont(HWND dialog, int scale, bool bold) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight *= scale;
    if (bold)
        font.lfWeight = FW_BOLD;
    return UniqueFont(CreateFontIndirectW(&font));
}

} // namespace davrin
