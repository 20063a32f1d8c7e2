// Showing the about window modally, and the shell that opens its links.
#pragma once

#include "reminder/about/frm_about.h"

#include <windows.h>

namespace davrin::about {

// LinkShell through ShellExecuteW; an owned request is owned by the active window, which is the
// about window whose link was clicked.
class ShellExecuteLinks final : public LinkShell {
public:
    void execute(const ShellRequest& request) override;
};

// Returns when the window is closed. While one is open, another call brings it to the front.
void showFrmAbout(HWND owner, LinkShell& shell, const store::FilePath& programFolder);

} // namespace davrin::about
