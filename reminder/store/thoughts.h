// The thoughts for the day that a new reminder database is filled with.
#pragma once

#include <span>
#include <string_view>

namespace davrin::store {

// 366 thoughts, one per day of a leap year from 1 January to 31 December.
std::span<const std::string_view> thoughtsForTheDay();

} // namespace davrin::store
