// Program-wide values through which the list window hands work to the editors and the delete
// dialog.
#pragma once

#include <cstdint>
#include <string>

namespace davrin::editing {

// Windows take no arguments: the caller sets these, shows a window modally, and reads the outcome
// back from the database. Ids are 64-bit like the store's, so no id is cut.
enum EditMode : int { EditModeNone = 0, EditModeNew = 1, EditModeEdit = 2 };

extern int gEditMode;
extern std::int64_t gRemId;
extern std::int64_t gRecurrId;

} // namespace davrin::editing
