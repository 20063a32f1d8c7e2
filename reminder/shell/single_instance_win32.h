// One running KELVOR per user: a second start hands over to the first and ends.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace davrin {

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
    struct HandleCloser {
        void operator()(HANDLE h) const noexcept { CloseHandle(h); }
    };
    std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser> mutex_;
    bool first_ = true;
};

} // namespace davrin
