// The bell drawn from simple shapes with 8 x 8 samples a pixel, so the small sizes stay smooth.
#include "traycontrol/control/icons/icon_art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

namespace norvane::icons {
namespace {

struct Point {
    double x;
    double y;
};

struct Colour {
    double r;
    double g;
    double b;
};

struct Palette {
    Colour light;
    Colour body;
    Colour shade;
    Colour outline;
};

// A dark outline round a bright body keeps the bell readable on light and on dark taskbars.
constexpr Palette brass = {{255, 238, 150}, {247, 188, 24}, {196, 126, 0}, {64, 36, 0}};
constexpr Palette muted = {{236, 236, 236}, {176, 176, 176}, {128, 128, 128}, {48, 48, 48}};

// The bell hangs from this point; all shapes are in units of the icon's side, y downwards.
constexpr Point hanger = {0.5, 0.07};

Point rotatedAboutHanger(Point p, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    const double dx = p.x - hanger.x;
    const double dy = p.y - hanger.y;
    return {hanger.x + dx * std::cos(a) - dy * std::sin(a),
            hanger.y + dx * std::sin(a) + dy * std::cos(a)};
}

bool inCircle(Point p, Point centre, double radius) {
    return std::hypot(p.x - centre.x, p.y - centre.y) < radius;
}

// Inside the bell at rest, its outline pushed out by `grow` (negative shrinks it).
bool inBell(Point p, double grow) {
    if (inCircle(p, {0.5, 0.13}, 0.075 + grow) || inCircle(p, {0.5, 0.36}, 0.19 + grow)) {
        return true; // hanger knob and crown
    }
    const double top = 0.36;
    const double bottom = 0.70;
    if (p.y >= top && p.y <= bottom + grow) {
        const double t = (std::min(p.y, bottom) - top) / (bottom - top);
        if (std::abs(p.x - 0.5) < 0.19 + 0.10 * t * t + grow) {
            return true; // the flaring waist
        }
    }
    const double lipHalf = 0.28;
    const double lipY = 0.71;
    const double nearestX = std::clamp(p.x, 0.5 - lipHalf, 0.5 + lipHalf);
    return inCircle(p, {nearestX, lipY}, 0.055 + grow); // the rounded lip
}

bool inClapper(Point p, double grow) {
    return inCircle(p, {0.5, 0.81}, 0.075 + grow);
}

Colour mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Light from the upper left: a highlight down the left flank, shade down the right one.
Colour bodyColour(const Palette& palette, Point local) {
    const double across = (local.x - 0.5) / 0.3;
    if (across < 0) {
        return mix(palette.body, palette.light, (-across - 0.25) * 2.0);
    }
    return mix(palette.body, palette.shade, (across - 0.35) * 2.0);
}

} // namespace

IconImage drawBell(int size, BellPose pose, BellColours colours) {
    const Palette& palette = colours == BellColours::brass ? brass : muted;
    const double outline = (size <= 16 ? 1.0 : 1.6) / size;
    constexpr int samples = 8;
    IconImage image(size);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Colour sum{0, 0, 0};
            int covered = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Point p = {(px + (sx + 0.5) / samples) / size,
                                     (py + (sy + 0.5) / samples) / size};
                    const Point bell = rotatedAboutHanger(p, pose.swingDegrees);
                    const Point clapper = rotatedAboutHanger(p, pose.clapperDegrees);
                    Colour c;
                    if (inBell(bell, -outline)) {
                        c = bodyColour(palette, bell);
                    } else if (inBell(bell, 0) || inClapper(clapper, 0)) {
                        c = palette.outline;
                    } else {
                        continue;
                    }
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    ++covered;
                }
            }
            if (covered == 0) {
                continue;
            }
            const auto at = static_cast<std::size_t>((py * size + px) * 4);
            const auto channel = [covered](double total) {
                return static_cast<std::uint8_t>(std::lround(total / covered));
            };
            image.bgra[at] = channel(sum.b);
            image.bgra[at + 1] = channel(sum.g);
            image.bgra[at + 2] = channel(sum.r);
            image.bgra[at + 3] =
                static_cast<std::uint8_t>(std::lround(255.0 * covered / (samples * samples)));
        }
    }
    return image;
}

BellPose framePose(int index) {
    // The clapper trails the bell, so it strikes each side just after the bell turns back.
    const double phase = 2 * std::numbers::pi * index / 10.0;
    return {16.0 * std::sin(phase), 16.0 * std::sin(phase - 1.0)};
}

std::vector<NamedIcon> builtInIcons() {
    std::vector<NamedIcon> icons;
    const auto bothSizes = [](BellPose pose, BellColours colours) {
        return std::vector<IconImage>{drawBell(16, pose, colours), drawBell(32, pose, colours)};
    };
    for (int i = 0; i < 10; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "frame%02d.ico", i + 1);
        icons.push_back({name, bothSizes(framePose(i), BellColours::brass)});
    }
    icons.push_back({"static.ico", bothSizes({}, BellColours::brass)});
    icons.push_back({"spare.ico", bothSizes({}, BellColours::muted)});
    icons.push_back({"blank.ico", {IconImage(16)}});
    return icons;
}

} // namespace norvane::icons
