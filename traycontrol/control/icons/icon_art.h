// Draws the control's built-in icons: a brass bell swinging in ten frames, at rest, and muted.
#pragma once

#include <string>
#include <vector>

#include "traycontrol/control/icons/ico_writer.h"

namespace norvane::icons {

enum class BellColours { brass, muted };

struct BellPose {
    double swingDegrees = 0;   // the bell about its hanger; positive moves its mouth right
    double clapperDegrees = 0; // the clapper about the same point
};

IconImage drawBell(int size, BellPose pose, BellColours colours);

// Animation frame `index` (0 to 9) of one full swing, right and back and left and back.
BellPose framePose(int index);

struct NamedIcon {
    std::string fileName;
    std::vector<IconImage> images;
};

// frame01.ico to frame10.ico, static.ico and spare.ico at 16 and 32 pixels, and the fully
// transparent blank.ico at 16 pixels.
std::vector<NamedIcon> builtInIcons();

} // namespace norvane::icons
