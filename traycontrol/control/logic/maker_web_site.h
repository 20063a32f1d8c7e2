// The control maker's web site: GoWeb opens it and the title page shows it as its link.
#pragma once

#include <string_view>

namespace norvane::logic {

// A fictional maker: the address belongs to the example.com domain kept for examples.
inline constexpr std::string_view kMakerWebSite = "https://www.norvane.example.com/";

} // namespace norvane::logic
