// A picture the pages hold and hand on; what it is (an icon, a picture object) is the platform's.
#pragma once

#include <memory>

namespace norvane::pages {

class PagePicture {
public:
    virtual ~PagePicture() = default;
};

// Shared like the picture objects behind it; null is Nothing.
using PictureRef = std::shared_ptr<const PagePicture>;

} // namespace norvane::pages
