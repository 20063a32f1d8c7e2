// Storage for the program-wide editing values.
#include "reminder/editing/edit_context.h"

namespace davrin::editing {

int gEditMode = EditModeNone;
std::int64_t gRemId = 0;
std::int64_t gRecurrId = 0;

} // namespace davrin::editing
