// The .ico container: directory, bitmap headers, bottom-up colour rows and the AND mask.
#include "traycontrol/control/icons/ico_writer.h"

#include <cstddef>

namespace norvane::icons {
namespace {

constexpr std::size_t directorySize = 6;
constexpr std::size_t entrySize = 16;
constexpr std::size_t bitmapHeaderSize = 40;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

std::size_t maskStride(int size) {
    return static_cast<std::size_t>((size + 31) / 32 * 4);
}

std::size_t imageBytes(const IconImage& image) {
    const auto side = static_cast<std::size_t>(image.size);
    return bitmapHeaderSize + side * side * 4 + side * maskStride(image.size);
}

void putImage(std::vector<std::uint8_t>& out, const IconImage& image) {
    const auto side = static_cast<std::size_t>(image.size);
    const auto pixelBytes =
        static_cast<std::uint32_t>(side * side * 4 + side * maskStride(image.size));
    put32(out, bitmapHeaderSize);
    put32(out, static_cast<std::uint32_t>(image.size));
    put32(out, static_cast<std::uint32_t>(image.size * 2)); // colour rows plus mask rows
    put16(out, 1);                                          // planes
    put16(out, 32);                                         // bits a pixel
    put32(out, 0);                                          // uncompressed
    put32(out, pixelBytes);
    for (int i = 0; i < 4; ++i) {
        put32(out, 0); // resolution and palette: unused
    }
    for (std::size_t row = side; row-- > 0;) {
        const auto first = image.bgra.begin() + static_cast<std::ptrdiff_t>(row * side * 4);
        out.insert(out.end(), first, first + static_cast<std::ptrdiff_t>(side * 4));
    }
    for (std::size_t row = side; row-- > 0;) {
        std::vector<std::uint8_t> mask(maskStride(image.size), 0);
        for (std::size_t x = 0; x < side; ++x) {
            if (image.bgra[(row * side + x) * 4 + 3] == 0) {
                mask[x / 8] = static_cast<std::uint8_t>(mask[x / 8] | (0x80u >> (x % 8)));
            }
        }
        out.insert(out.end(), mask.begin(), mask.end());
    }
}

} // namespace

std::vector<std::uint8_t> icoFileBytes(std::span<const IconImage> images) {
    std::vector<std::uint8_t> out;
    put16(out, 0); // reserved
    put16(out, 1); // icon, not cursor
    put16(out, static_cast<std::uint32_t>(images.size()));
    std::size_t offset = directorySize + entrySize * images.size();
    for (const IconImage& image : images) {
        out.push_back(static_cast<std::uint8_t>(image.size >= 256 ? 0 : image.size));
        out.push_back(static_cast<std::uint8_t>(image.size >= 256 ? 0 : image.size));
        out.push_back(0); // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(imageBytes(image)));
        put32(out, static_cast<std::uint32_t>(offset));
        offset += imageBytes(image);
    }
    for (const IconImage& image : images) {
        putImage(out, image);
    }
    return out;
}

} // namespace norvane::icons
