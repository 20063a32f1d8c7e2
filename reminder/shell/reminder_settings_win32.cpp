// ReminderSettings' dialog: key filters on the two boxes, the up-down control, Ok and Cancel.
#include "reminder_settings_win32.h"

#include "message_box_win32.h"
#include "program_modal_win32.h"
#include "reminder_settings.h"
#include "reminder_statements.h"
#include "resource_ids.h"
#include "text_win32.h"

#include <commctrl.h>

namespace davrin {

namespace {

int controlId(SettingsText box) {
    return box == SettingsText::Text1 ? IDC_TEXT1 : IDC_TEXT2;
}

class ReminderSettingsDialog final : public ReminderSettingsView {
public:
    ReminderSettingsDialog(const Connection& conn, MobileNumberLabel& lblmobileno)
        : form_(*this, conn, lblmobileno) {}

    static INT_PTR CALLBACK proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG)
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto* self =
            reinterpret_cast<ReminderSettingsDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        return self ? self->handle(dialog, message, wParam, lParam) : FALSE;
    }

    std::string text(SettingsText box) const override {
        return windowTextUtf8(GetDlgItem(dialog_, controlId(box)));
    }
    void setText(SettingsText box, const std::string& value) override {
        setWindowTextUtf8(GetDlgItem(dialog_, controlId(box)), value);
    }
    void setUpDownRange(int minimum, int maximum, int increment) override {
        SendDlgItemMessageW(dialog_, IDC_UPDOWN2, UDM_SETRANGE32, static_cast<WPARAM>(minimum),
                            maximum);
        UDACCEL accel{0, static_cast<UINT>(increment)};
        SendDlgItemMessageW(dialog_, IDC_UPDOWN2, UDM_SETACCEL, 1,
                            reinterpret_cast<LPARAM>(&accel));
    }
    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        showMessageBox(dialog_, text, title, icon);
    }
    void unload() override { EndDialog(dialog_, IDOK); }

private:
    INT_PTR handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG:
            dialog_ = dialog;
            SendDlgItemMessageW(dialog, IDC_TEXT1, EM_SETLIMITTEXT, kMaxMobileNumberLength, 0);
            SetWindowSubclass(GetDlgItem(dialog, IDC_TEXT1), &filterKeys, IDC_TEXT1, 0);
            SetWindowSubclass(GetDlgItem(dialog, IDC_TEXT2), &filterKeys, IDC_TEXT2, 0);
            if (!form_.Form_Load())
                EndDialog(dialog, IDCANCEL);
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom != IDC_UPDOWN2 || header->code != UDN_DELTAPOS)
                return FALSE;
            if (reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta > 0)
                form_.UpDown2_UpClick();
            else
                form_.UpDown2_DownClick();
            // The text is the value; the control's own position must not move it.
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                form_.CmdOk_Click();
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                form_.CmdCancel_Click();
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            RemoveWindowSubclass(GetDlgItem(dialog, IDC_TEXT1), &filterKeys, IDC_TEXT1);
            RemoveWindowSubclass(GetDlgItem(dialog, IDC_TEXT2), &filterKeys, IDC_TEXT2);
            return FALSE;
        }
        return FALSE;
    }

    // The two boxes accept from the keyboard (and the clipboard) only what the window allows.
    static LRESULT CALLBACK filterKeys(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR) {
        const bool mobile = id == IDC_TEXT1;
        switch (message) {
        case WM_CHAR: {
            const auto key = static_cast<char32_t>(wParam);
            const bool pass = mobile ? ReminderSettings::Text1_KeyPress(key)
                                     : ReminderSettings::Text2_KeyPress(key);
            if (!pass)
                return 0;
            break;
        }
        case WM_PASTE:
            return mobile ? pasteDigits(box) : 0;
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
            if (!mobile)
                return 0;
            break;
        case WM_KEYDOWN:
            if (!mobile && wParam == VK_DELETE)
                return 0;
            break;
        }
        return DefSubclassProc(box, message, wParam, lParam);
    }

    static LRESULT pasteDigits(HWND box) {
        if (!OpenClipboard(box))
            return 0;
        std::wstring digits;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                for (const wchar_t* c = text; *c; ++c)
                    if (ReminderSettings::Text1_KeyPress(static_cast<char32_t>(*c)) &&
                        *c != kBackspace)
                        digits += *c;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits.c_str()));
        return 0;
    }

    ReminderSettings form_;
    HWND dialog_ = nullptr;
};

} // namespace

void showReminderSettings(HINSTANCE instance, HWND owner, const Connection& conn,
                          MobileNumberLabel& lblmobileno) {
    ReminderSettingsDialog dialog(conn, lblmobileno);
    const ProgramModal modal;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_REMINDERSETTINGS), owner,
                    &ReminderSettingsDialog::proc, reinterpret_cast<LPARAM>(&dialog));
}

} // namespace davrin
