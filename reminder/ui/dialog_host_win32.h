// Routes a dialog's messages to the C++ object that owns it, and shows dialogs modally.
#pragma once

#include "reminder/ui/dialog_template_win32.h"
#include "reminder/ui/guarded_win32.h"
#include "reminder/ui/program_modal_win32.h"

#include <windows.h>

namespace davrin::ui {

// Dialog must offer `HWND hwnd` and `INT_PTR handle(UINT, WPARAM, LPARAM)`; the object pointer
// arrives as the creation parameter and is kept in the dialog's user slot. What handle() throws
// is reported and the message counts as unhandled.
template <class Dialog> INT_PTR CALLBACK dialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        reinterpret_cast<Dialog*>(lp)->hwnd = hwnd;
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        dialog->hwnd = nullptr;
        return FALSE;
    }
    return guarded(hwnd, INT_PTR{FALSE}, [&] { return dialog->handle(msg, wp, lp); });
}

// Style shared by the modal windows: fixed frame, caption, no close box, centred.
inline constexpr DWORD kModalDialogStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_3DLOOK;

// Shows `dialog` modal to the whole program; returns when it has closed, with its EndDialog value.
template <class Dialog>
INT_PTR showModalDialog(HWND owner, const DialogTemplate& layout, Dialog& dialog) {
    const ProgramModal modal;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.get(), owner,
                                   &dialogProc<Dialog>, reinterpret_cast<LPARAM>(&dialog));
}

} // namespace davrin::ui
