// Routes a dialog's messages to the C++ object that owns it.
#pragma once

#include <windows.h>

namespace davrin {

// Dialog must offer `HWND hwnd` and `INT_PTR handle(UINT, WPARAM, LPARAM)`; the object pointer
// arrives as the creation parameter and is kept in the dialog's user slot.
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
    return dialog->handle(msg, wp, lp);
}

// Style shared by the modal windows: fixed frame, caption, no close box, centred.
inline constexpr DWORD kModalDialogStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_3DLOOK;

} // namespace davrin
