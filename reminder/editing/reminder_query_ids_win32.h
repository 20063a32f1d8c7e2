// Control ids of the list window, shared with the tests that drive it by window messages.
#pragma once

#include <windows.h>

namespace davrin::editing {

namespace list_ids {

enum : WORD {
    IdLabel1 = 300, // news line
    IdLabel2,       // today's date
    IdLabel3,
    IdOption1,
    IdOption2,
    IdCombo1,
    IdCombo2,
    IdGrd1,
    IdBtnNew,
    IdBtnEdit,
    IdBtnDelete,
    IdBtnSetting,
    IdCmd1,
};

} // namespace list_ids
} // namespace davrin::editing
