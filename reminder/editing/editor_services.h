// What the editing windows need from the rest of the program, injected so tests can supply it.
#pragma once

#include "reminder/store/clock.h"
#include "reminder/store/database.h"
#include "reminder/ui/message_box.h"

#include <functional>
#include <string>

namespace davrin::editing {

struct EditorServices {
    const store::Connection& conn; // gConn in the program
    const store::Clock& clock;
    // The main window's lblmobileno: SMS can be chosen only when a number is configured.
    std::function<std::string()> mobileNumber;
};

} // namespace davrin::editing
