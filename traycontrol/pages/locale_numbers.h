// How the user's locale reads and writes numbers: the one thing about the locale the pages need.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norvane::pages {

class LocaleNumbers {
public:
    virtual ~LocaleNumbers() = default;
    // The number the text stands for where the user lives (thousands separators allowed, as the
    // platform's own text-to-number conversion takes them), or nothing when it is no number.
    virtual std::optional<double> read(std::string_view text) const = 0;
    // The number as that conversion writes it back, with the locale's decimal mark.
    virtual std::string write(double value) const = 0;
};

} // namespace norvane::pages
