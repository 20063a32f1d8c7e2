// What the editing windows need from the rest of the program, injected so tests can supply it.
#pragma once

#include "clock.h"
#include "database.h"

#include <functional>
#include <string>

namespace davrin {

struct EditorServices {
    const Connection& conn; // gConn in the program
    const Clock& clock;
    // The main window's lblmobileno: SMS can be chosen only when a number is configured.
    std::function<std::string()> mobileNumber;
};

// Message boxes raised by the editing windows carry this title.
inline constexpr const char* kEditingTitle = "Reminder";

enum class EditingIcon { Information, Question, Error };

} // namespace davrin
