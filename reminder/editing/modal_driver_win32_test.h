// Drives modal dialogs from inside their own message loops: each scripted action runs on the
// next dialog that comes up, through a thread timer that every modal loop dispatches.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

namespace davrin::test {

class ModalDriver {
public:
    using Action = std::function<void(HWND dialog)>;

    explicit ModalDriver(HWND main) : main_(main) {
        instance_ = this;
        timer_ = SetTimer(nullptr, 0, 30, &ModalDriver::tick);
    }
    ~ModalDriver() {
        KillTimer(nullptr, timer_);
        instance_ = nullptr;
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Queues an action for the next modal dialog, then does `trigger`, which returns when the
    // dialogs it opened have closed. Fails (and closes the dialog) when an action never ran.
    void run(std::deque<Action> actions, const std::function<void()>& trigger) {
        actions_ = std::move(actions);
        last_ = nullptr;
        started_ = GetTickCount();
        trigger();
        EXPECT_TRUE(actions_.empty()) << actions_.size() << " dialog(s) never appeared";
        actions_.clear();
    }

    static std::wstring text(HWND window) {
        wchar_t buffer[512] = {};
        GetWindowTextW(window, buffer, 512);
        return buffer;
    }
    // The message of a message box (its one static text with content).
    static std::wstring messageBoxText(HWND box) {
        std::wstring found;
        EnumChildWindows(box, &ModalDriver::findStaticText, reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static void press(HWND dialog, int id) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }

private:
    static BOOL CALLBACK findStaticText(HWND child, LPARAM out) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        const std::wstring t = text(child);
        if (lstrcmpiW(cls, L"Static") == 0 && !t.empty())
            *reinterpret_cast<std::wstring*>(out) = t;
        return TRUE;
    }

    struct Search {
        HWND main;
        HWND found;
    };

    static BOOL CALLBACK findTopDialog(HWND w, LPARAM p) {
        auto* search = reinterpret_cast<Search*>(p);
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (w != search->main && lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(w) &&
            IsWindowEnabled(w)) {
            search->found = w;
            return FALSE;
        }
        return TRUE;
    }

    // The dialog on top: visible, enabled, of this thread, and not the main window.
    static HWND topDialog(HWND main) {
        Search search{main, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), &ModalDriver::findTopDialog,
                          reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalDriver* self = instance_;
        if (self == nullptr)
            return;
        HWND top = topDialog(self->main_);
        if (top == nullptr)
            return;
        if (self->actions_.empty() || (top == self->last_ && IsWindow(top))) {
            if (GetTickCount() - self->started_ > 10000) {
                const std::wstring caption = text(top);
                ADD_FAILURE() << "dialog left open: "
                              << std::string(caption.begin(), caption.end());
                SendMessageW(top, WM_COMMAND, IDCANCEL, 0);
            }
            return;
        }
        Action action = std::move(self->actions_.front());
        self->actions_.pop_front();
        self->last_ = top;
        action(top); // may open a nested dialog; this timer drives it too
    }

    static inline ModalDriver* instance_ = nullptr;
    HWND main_;
    UINT_PTR timer_ = 0;
    std::deque<Action> actions_;
    HWND last_ = nullptr;
    DWORD started_ = 0;
};

} // namespace davrin::test
