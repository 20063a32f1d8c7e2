// Loads the built-in icons from this executable's resources as the control does and checks them.
#include "traycontrol/control/icons/icon_ids.h"

#include "common/win32/handles.h"

#include <gtest/gtest.h>

#include <vector>

namespace norvane::icons {
namespace {

// The width of the image the icon group holds for `size`, or 0 when it has none that close.
LONG storedWidth(int id, int size) {
    const HMODULE module = GetModuleHandleW(nullptr);
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14)); // group icon
    if (group == nullptr) {
        return 0;
    }
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
    const int imageId = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(imageId), MAKEINTRESOURCEW(3)); // icon
    return image ? static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)))
                       ->biWidth
                 : 0;
}

// The pixels of a bitmap as 32-bit top-down rows (a mask bitmap comes back black and white).
std::vector<DWORD> pixelsOf(HBITMAP bitmap, int size) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<std::size_t>(size * size));
    const win32::WindowDc screen;
    EXPECT_EQ(GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size), pixels.data(), &info,
                        DIB_RGB_COLORS),
              size);
    return pixels;
}

// Loads icon `id` at `size` as the control does; colour and mask pixels, empty when it fails.
std::pair<std::vector<DWORD>, std::vector<DWORD>> loadIcon(int id, int size) {
    const win32::UniqueIcon icon(static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon.get(), &info)) {
        return {};
    }
    const win32::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    EXPECT_TRUE(colour && GetObjectW(colour.get(), sizeof bitmap, &bitmap) != 0);
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_EQ(bitmap.bmHeight, size);
    return {pixelsOf(colour.get(), size), pixelsOf(mask.get(), size)};
}

TEST(BuiltInIconResources, HoldDistinctSixteenAndThirtyTwoPixelImagesThatLoad) {
    std::vector<std::vector<DWORD>> small;
    for (const int id :
         {IDI_FRAME01, IDI_FRAME02, IDI_FRAME03, IDI_FRAME04, IDI_FRAME05, IDI_FRAME06, IDI_FRAME07,
          IDI_FRAME08, IDI_FRAME09, IDI_FRAME10, IDI_STATIC, IDI_SPARE}) {
        for (const int size : {32, 16}) {
            EXPECT_EQ(storedWidth(id, size), size) << "icon " << id;
            const auto colour = loadIcon(id, size).first;
            ASSERT_FALSE(colour.empty()) << "icon " << id << " at " << size;
            if (size == 16) {
                small.push_back(colour);
            }
        }
    }
    for (std::size_t a = 0; a < small.size(); ++a) {
        for (std::size_t b = a + 1; b < small.size(); ++b) {
            EXPECT_NE(small[a], small[b]) << "icons " << a + 1 << " and " << b + 1;
        }
    }
}

TEST(BuiltInIconResources, BlankIsFullyTransparent) {
    EXPECT_EQ(storedWidth(IDI_BLANK, 16), 16);
    const auto [colour, mask] = loadIcon(IDI_BLANK, 16);
    ASSERT_EQ(mask.size(), 256u);
    for (std::size_t i = 0; i < mask.size(); ++i) {
        EXPECT_EQ(mask[i] & 0xffffffu, 0xffffffu) << "mask bit clear at pixel " << i;
        EXPECT_EQ(colour[i], 0u) << "colour at pixel " << i;
    }
}

} // namespace
} // namespace norvane::icons
