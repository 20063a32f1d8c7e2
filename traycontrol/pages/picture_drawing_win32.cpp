// Pictures drawn at their size into a bitmap first, then enlarged pixel by pixel, so a zoomed
// icon shows its real pixels instead of a blur.
#include "traycontrol/pages/picture_drawing_win32.h"

#include "common/win32/handles.h"

namespace norvane::pages {

namespace {
constexpr long kHimetricPerInch = 2540;
}

SIZE picturePixels(IPicture& picture) {
    short type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    picture.get_Type(&type);
    picture.get_Handle(&handle);
    ICONINFO info{};
    if (type == PICTYPE_ICON &&
        GetIconInfo(reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)), &info)) {
        const win32::UniqueBitmap mask(info.hbmMask), color(info.hbmColor);
        BITMAP bits{};
        GetObjectW(color ? color.get() : mask.get(), sizeof bits, &bits);
        return {bits.bmWidth, color ? bits.bmHeight : bits.bmHeight / 2};
    }
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture.get_Width(&w);
    picture.get_Height(&h);
    win32::WindowDc screen(nullptr);
    return {MulDiv(w, GetDeviceCaps(screen.get(), LOGPIXELSX), kHimetricPerInch),
            MulDiv(h, GetDeviceCaps(screen.get(), LOGPIXELSY), kHimetricPerInch)};
}

void drawPicture(HDC dc, const RECT& box, IPictureDisp* disp, int zoom) {
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    win32::ComPtr<IPicture> picture;
    if (!disp || FAILED(disp->QueryInterface(IID_PPV_ARGS(&picture))))
        return;
    short type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    picture->get_Type(&type);
    picture->get_Handle(&handle);
    if (!handle || type == PICTYPE_NONE)
        return;
    const SIZE size = picturePixels(*picture.Get());
    if (size.cx <= 0 || size.cy <= 0)
        return;
    win32::UniqueMemoryDc memory(CreateCompatibleDC(dc));
    win32::UniqueBitmap bitmap(CreateCompatibleBitmap(dc, size.cx, size.cy));
    {
        win32::SelectedObject selected(memory.get(), bitmap.get());
        const RECT whole{0, 0, size.cx, size.cy};
        FillRect(memory.get(), &whole, GetSysColorBrush(COLOR_BTNFACE));
        if (type == PICTYPE_ICON)
            DrawIconEx(memory.get(), 0, 0, reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)),
                       size.cx, size.cy, 0, nullptr, DI_NORMAL);
        else {
            OLE_XSIZE_HIMETRIC w = 0;
            OLE_YSIZE_HIMETRIC h = 0;
            picture->get_Width(&w);
            picture->get_Height(&h);
            picture->Render(memory.get(), 0, 0, size.cx, size.cy, 0, h, w, -h, nullptr);
        }
        const int cx = size.cx * zoom, cy = size.cy * zoom;
        const int x = (box.left + box.right - cx) / 2, y = (box.top + box.bottom - cy) / 2;
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
        SetStretchBltMode(dc, COLORONCOLOR); // whole pixels, no averaging
        StretchBlt(dc, x, y, cx, cy, memory.get(), 0, 0, size.cx, size.cy, SRCCOPY);
        RestoreDC(dc, saved);
    }
}

} // namespace norvane::pages
