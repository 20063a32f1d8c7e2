// KELVOR's dialogs are built with the shared in-memory template; this adds the larger and bolder
// variants of its font that some windows use for headings.
#pragma once

#include "common/win32/dialog_template.h"
#include "common/win32/handles.h"

#include <windows.h>

namespace davrin::ui {

using win32::DialogTemplate;

// The dialog's own font, `scale` times as high and optionally bold.
win32::UniqueFont scaledDialogFont(HWND dialog, int scale, bool bold);

} // namespace davrin::ui
