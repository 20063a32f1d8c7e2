// Program-wide values the due-reminder scan and the alert window hand each other.
#pragma once

#include "date_time.h"

#include <string>

namespace davrin {

inline std::string gAlertTitle;  // "Reminder of " and the due time
inline std::string gAlertText;   // the reminder's message
inline std::string gThought;     // today's thought; kept when a day has none
inline std::string gNewsLine;    // this tick's news line; empty when the fetch failed
inline std::string gAlertResult; // "Dismiss", "Snooze" or "Modify"; empty when unanswered
inline LocalDateTime gNewTime;   // where Snooze or Modify moves the occurrence

inline constexpr const char* kDismiss = "Dismiss";
inline constexpr const char* kSnooze = "Snooze";
inline constexpr const char* kModify = "Modify";

} // namespace davrin
