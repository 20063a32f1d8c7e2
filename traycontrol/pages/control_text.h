// A control on a page: its name, and the caption and tip it shows, for the Win32 page to build.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace norvane::pages {

template <typename Id> struct ControlText {
    Id id;
    std::string_view name;
    std::string_view caption; // "" for boxes whose text the page sets
    std::string_view tip;     // "" for none
};

// A table is indexed by its enum; this holds when no entry has drifted from its place.
template <typename Id, std::size_t N>
constexpr bool inEnumOrder(const std::array<ControlText<Id>, N>& table) {
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(table[i].id) != i)
            return false;
    return true;
}

} // namespace norvane::pages
