// Control ids of the editors and the delete dialog, shared with the tests that drive them.
#pragma once

#include <windows.h>

namespace davrin::editing {

// Control ids, shared with the tests that drive the dialogs by window messages.
namespace editor_ids {

enum : WORD {
    IdDTPicker1 = 200,
    IdDTPicker2,
    IdDTPicker3,
    IdText4,
    IdText5,
    IdCheck1,
    IdOption1, // Option1 to Option6 follow in order
    IdOption6 = IdOption1 + 5,
    IdCmdOk = IDOK,
    IdCmdCancel = IDCANCEL,
    IdFrmMsgboxCommand1 = 101,
    IdFrmMsgboxCommand2 = 102,
    IdFrmMsgboxCommand3 = 103,
};

} // namespace editor_ids

} // namespace davrin::editing
