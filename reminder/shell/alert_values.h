// Program-wide values the due-reminder scan and the alert window hand each other.
#pragma once

#include <string>

namespace davrin::shell {

inline std::string gAlertTitle; // "Reminder of " and the due time
inline std::string gAlertText;  // the reminder's message
inline std::string gThought;    // today's thought; kept when a day has none
inline std::string gNewsLine;   // this tick's news line; empty when the fetch failed

} // namespace davrin::shell
