// Storage for the program-wide editing values.
#include "edit_context.h"

namespace davrin {

int gEditMode = EditModeNone;
std::int64_t gRemId = 0;
std::int64_t gRecurrId = 0;
std::string gMsgAnswer;

} // namespace davrin
