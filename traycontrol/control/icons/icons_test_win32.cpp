// Loads the built-in icons from this executable's resources as the control does and checks them.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "icon_ids.h"

namespace {

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

constexpr std::array<int, 12> iconIds = {IDI_FRAME01, IDI_FRAME02, IDI_FRAME03, IDI_FRAME04,
                                         IDI_FRAME05, IDI_FRAME06, IDI_FRAME07, IDI_FRAME08,
                                         IDI_FRAME09, IDI_FRAME10, IDI_STATIC,  IDI_SPARE};

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
    if (image == nullptr) {
        return 0;
    }
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
    return header->biWidth;
}

IconHandle loadIcon(int id, int size) {
    return IconHandle(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

// The pixels of a bitmap as 32-bit top-down rows (a mask bitmap comes back black and white).
std::vector<DWORD> pixelsOf(HBITMAP bitmap, int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<std::size_t>(size * size));
    HDC screen = GetDC(nullptr);
    const int rows =
        GetDIBits(screen, bitmap, 0, static_cast<UINT>(size), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(rows, size);
    return pixels;
}

struct IconPixels {
    std::vector<DWORD> colour;
    std::vector<DWORD> mask;
};

IconPixels pixelsOf(HICON icon, int size) {
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(icon, &info));
    const BitmapHandle colour(info.hbmColor);
    const BitmapHandle mask(info.hbmMask);
    BITMAP bitmap{};
    EXPECT_TRUE(colour && GetObjectW(colour.get(), sizeof bitmap, &bitmap) != 0);
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_EQ(bitmap.bmHeight, size);
    return {pixelsOf(colour.get(), size), pixelsOf(mask.get(), size)};
}

TEST(BuiltInIconResources, HoldSixteenAndThirtyTwoPixelImagesThatLoad) {
    for (const int id : iconIds) {
        for (const int size : {16, 32}) {
            EXPECT_EQ(storedWidth(id, size), size) << "icon " << id;
            const IconHandle icon = loadIcon(id, size);
            ASSERT_TRUE(icon) << "icon " << id << " at " << size;
            pixelsOf(icon.get(), size);
        }
    }
}

TEST(BuiltInIconResources, AnimationFramesAllDiffer) {
    std::vector<std::vector<DWORD>> frames;
    for (int id = IDI_FRAME01; id <= IDI_FRAME10; ++id) {
        const IconHandle icon = loadIcon(id, 16);
        ASSERT_TRUE(icon);
        frames.push_back(pixelsOf(icon.get(), 16).colour);
    }
    for (std::size_t a = 0; a < frames.size(); ++a) {
        for (std::size_t b = a + 1; b < frames.size(); ++b) {
            EXPECT_NE(frames[a], frames[b]) << "frames " << a + 1 << " and " << b + 1;
        }
    }
}

TEST(BuiltInIconResources, BlankIsFullyTransparent) {
    EXPECT_EQ(storedWidth(IDI_BLANK, 16), 16);
    const IconHandle blank = loadIcon(IDI_BLANK, 16);
    ASSERT_TRUE(blank);
    const IconPixels pixels = pixelsOf(blank.get(), 16);
    for (std::size_t i = 0; i < pixels.mask.size(); ++i) {
        EXPECT_EQ(pixels.mask[i] & 0xffffffu, 0xffffffu) << "mask bit clear at pixel " << i;
        EXPECT_EQ(pixels.colour[i], 0u) << "colour at pixel " << i;
    }
}

} // namespace
