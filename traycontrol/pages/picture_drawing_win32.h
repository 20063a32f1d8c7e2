// Drawing a picture object on a page: measured in pixels, zoomed without smoothing.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

namespace norvane::pages {

// The picture's size in pixels: an icon's from its own bitmaps, others from their extent.
SIZE picturePixels(IPicture& picture);

// Draws `picture` (null draws nothing) centred in `box`, each pixel as zoom x zoom pixels, on
// the page's background.
void drawPicture(HDC dc, const RECT& box, IPictureDisp* picture, int zoom);

} // namespace norvane::pages
