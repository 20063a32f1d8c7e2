// One running KELVOR per user: a second start hands over to the first and ends.
#pragma once

#include "common/win32/handles.h"

#include <windows.h>

namespace davrin::shell {

// Registered message a second start posts to the running copy's main window.
UINT openListMessage();

class SingleInstance {
public:
    SingleInstance();
    // True for the first copy of this user's session; it keeps the claim while it runs.
    bool isFirst() const { return first_; }
    // From a second copy: asks the running one to open its list window.
    static void askRunningCopyToOpenList(const wchar_t* mainWindowClass);

private:
    win32::UniqueHandle mutex_;
    bool first_ = true;
};

} // namespace davrin::shell
