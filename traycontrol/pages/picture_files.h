// Loading an icon file as a picture and measuring it, which the hidden box picAuto once did.
#pragma once

#include "traycontrol/pages/page_picture.h"

#include <string>

namespace norvane::pages {

struct LoadedPicture {
    PictureRef picture;
    int width = 0; // pixels
    int height = 0;
};

class PictureFiles {
public:
    virtual ~PictureFiles() = default;
    // Throws std::runtime_error saying why when the file cannot be read or is no picture.
    virtual LoadedPicture load(const std::string& path) = 0;
};

} // namespace norvane::pages
