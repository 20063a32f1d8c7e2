// Tests of the built-in icons and the .ico writer's layout, read back independently.
#include "traycontrol/control/icons/ico_writer.h"
#include "traycontrol/control/icons/icon_art.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace norvane::icons {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t le16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at) | (b.at(at + 1) << 8));
}
std::uint32_t le32(const Bytes& b, std::size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}

struct ReadImage {
    std::size_t size = 0;
    Bytes bgra;             // top row first
    std::vector<bool> mask; // top row first, true where the AND bit is set
};

// Reads an .ico as the shell does, checking every header field on the way.
std::vector<ReadImage> readIco(const Bytes& file) {
    EXPECT_EQ(std::pair(le16(file, 0), le16(file, 2)), std::pair(0u, 1u));
    const std::size_t count = le16(file, 4);
    std::vector<ReadImage> images;
    std::size_t expectedOffset = 6 + 16 * count;
    for (std::size_t entry = 6; entry < 6 + 16 * count; entry += 16) {
        const std::size_t side = file.at(entry), stride = (side + 31) / 32 * 4;
        const std::size_t bytes = le32(file, entry + 8), offset = le32(file, entry + 12);
        EXPECT_EQ(std::tuple(file.at(entry + 1), le16(file, entry + 4), le16(file, entry + 6),
                             bytes, offset),
                  std::tuple(side, 1u, 32u, 40 + side * side * 4 + side * stride, expectedOffset));
        expectedOffset += bytes;
        EXPECT_EQ(std::tuple(le32(file, offset), le32(file, offset + 4), le32(file, offset + 8),
                             le16(file, offset + 14)),
                  std::tuple(40u, side, 2 * side, 32u));
        ReadImage image{side, Bytes(side * side * 4), std::vector<bool>(side * side)};
        const std::size_t colours = offset + 40, masks = colours + side * side * 4;
        for (std::size_t row = 0; row < side; ++row) {
            const std::size_t stored = side - 1 - row; // bottom row first in the file
            std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(colours + stored * side * 4),
                        side * 4, image.bgra.begin() + static_cast<std::ptrdiff_t>(row * side * 4));
            for (std::size_t x = 0; x < side; ++x) {
                image.mask[row * side + x] =
                    (file.at(masks + stored * stride + x / 8) & (0x80 >> (x % 8))) != 0;
            }
        }
        images.push_back(std::move(image));
    }
    EXPECT_EQ(expectedOffset, file.size());
    return images;
}

// The writer's layout is checked on the icons it ships: every byte must come back as drawn.
TEST(BuiltInIcons, ReadBackAsDrawnWithBothSizesDistinctFramesAndAnEmptyBlank) {
    const std::vector<NamedIcon> icons = builtInIcons();
    ASSERT_EQ(icons.size(), 13u); // ten frames, static, spare, then blank
    std::vector<Bytes> small;
    for (std::size_t n = 0; n < 12; ++n) {
        const std::string& name = icons[n].fileName;
        const std::vector<ReadImage> read = readIco(icoFileBytes(icons[n].images));
        ASSERT_EQ(read.size(), 2u) << name;
        for (std::size_t i = 0; i < 2; ++i) {
            const ReadImage& image = read[i];
            EXPECT_EQ(image.size, 16u << i) << name;
            EXPECT_EQ(image.bgra, icons[n].images[i].bgra) << name;
            bool visible = false;
            for (std::size_t p = 0; p < image.mask.size(); ++p) {
                visible = visible || image.bgra[p * 4 + 3] > 200;
                ASSERT_EQ(image.mask[p], image.bgra[p * 4 + 3] == 0) << name << " pixel " << p;
            }
            EXPECT_TRUE(visible) << name << " is hard to see at " << image.size;
        }
        small.push_back(read[0].bgra);
    }
    for (std::size_t a = 0; a < small.size(); ++a)
        for (std::size_t b = a + 1; b < small.size(); ++b)
            EXPECT_NE(small[a], small[b])
                << icons[a].fileName << " and " << icons[b].fileName << " look the same";

    const std::vector<ReadImage> blank = readIco(icoFileBytes(icons[12].images));
    ASSERT_EQ(blank.size(), 1u);
    EXPECT_EQ(blank[0].size, 16u);
    EXPECT_EQ(blank[0].mask, std::vector<bool>(256, true));
    EXPECT_EQ(blank[0].bgra, Bytes(1024));
}

} // namespace
} // namespace norvane::icons
