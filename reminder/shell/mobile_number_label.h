// lblmobileno: the user's mobile number as the main window holds it for the other windows.
#pragma once

#include "database.h"

#include <string>

namespace davrin {

class MobileNumberLabel {
public:
    const std::string& text() const { return text_; }
    // Takes the number from the settings row (empty without one). Throws StoreError.
    void reload(const Connection& conn);

private:
    std::string text_;
};

} // namespace davrin
