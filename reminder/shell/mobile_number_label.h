// lblmobileno: the user's mobile number as the main window holds it for the other windows.
#pragma once

#include "reminder/store/database.h"

#include <string>

namespace davrin::shell {

class MobileNumberLabel {
public:
    const std::string& text() const { return text_; }
    // Takes the number from the settings row (empty without one). Throws StoreError.
    void reload(const store::Connection& conn);

private:
    std::string text_;
};

} // namespace davrin::shell
