// Writes icon (.ico) files holding 32-bit images with their AND masks.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace norvane::icons {

// One square image, rows top first, 4 bytes a pixel in the order blue, green, red, alpha
// (alpha not premultiplied).
struct IconImage {
    int size = 0;
    std::vector<std::uint8_t> bgra;

    explicit IconImage(int side) : size(side), bgra(static_cast<std::size_t>(side * side * 4), 0) {}
};

// The bytes of an .ico file with one entry per image, in the given order. The AND mask marks
// exactly the fully transparent pixels, so shells that ignore alpha still cut the shape out.
std::vector<std::uint8_t> icoFileBytes(std::span<const IconImage> images);

} // namespace norvane::icons
