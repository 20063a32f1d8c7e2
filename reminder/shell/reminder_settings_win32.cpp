// ReminderSettings' dialog: key filters on the two boxes, the up-down control, Ok and Cancel.
#include "reminder/shell/reminder_settings_win32.h"

#include "common/win32/handles.h"
#include "reminder/shell/reminder_settings.h"
#include "reminder/shell/resource_ids.h"
#include "reminder/store/reminder_statements.h"
#include "reminder/ui/dialog_host_win32.h"
#include "reminder/ui/message_box_win32.h"
#include "reminder/ui/text_rules.h"
#include "reminder/ui/text_win32.h"

#include <commctrl.h>

namespace davrin::shell {

namespace {

int controlId(SettingsText box) {
    return box == SettingsText::Text1 ? IDC_TEXT1 : IDC_TEXT2;
}

ui::DialogTemplate layout() {
    ui::DialogTemplate t(L"Reminder Settings", 196, 96,
                         DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION);
    t.add(L"STATIC", L"Mobile No.", IDC_SETTINGS_LABEL3, 12, 14, 56, 10, SS_LEFT | WS_GROUP);
    t.add(L"EDIT", L"", IDC_TEXT1, 72, 12, 110, 14, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
    t.add(L"STATIC", L"Snooze Time", IDC_SETTINGS_LABEL5, 12, 38, 56, 10, SS_LEFT | WS_GROUP);
    t.add(L"EDIT", L"", IDC_TEXT2, 72, 36, 40, 14, ES_CENTER | WS_BORDER | WS_TABSTOP);
    t.add(UPDOWN_CLASSW, L"", IDC_UPDOWN2, 112, 36, 10, 14,
          UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS);
    t.add(L"STATIC", L"Mins", IDC_SETTINGS_LABEL4, 120, 38, 40, 10, SS_LEFT | WS_GROUP);
    t.add(L"BUTTON", L"&Ok", IDOK, 42, 68, 52, 16, BS_DEFPUSHBUTTON | WS_TABSTOP);
    t.add(L"BUTTON", L"&Cancel", IDCANCEL, 102, 68, 52, 16, BS_PUSHBUTTON | WS_TABSTOP);
    return t;
}

class ReminderSettingsDialog final : public ReminderSettingsView {
public:
    ReminderSettingsDialog(const store::Connection& conn, MobileNumberLabel& lblmobileno)
        : form_(*this, conn, lblmobileno) {}

    HWND hwnd = nullptr;

    std::string text(SettingsText box) const override {
        return ui::windowText(GetDlgItem(hwnd, controlId(box)));
    }
    void setText(SettingsText box, const std::string& value) override {
        ui::setWindowText(GetDlgItem(hwnd, controlId(box)), value);
    }
    void setUpDownRange(int minimum, int maximum, int increment) override {
        SendDlgItemMessageW(hwnd, IDC_UPDOWN2, UDM_SETRANGE32, static_cast<WPARAM>(minimum),
                            maximum);
        UDACCEL accel{0, static_cast<UINT>(increment)};
        SendDlgItemMessageW(hwnd, IDC_UPDOWN2, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
    void showMessage(const std::string& text, const std::string& title,
                     ui::MessageIcon icon) override {
        ui::showMessageBox(hwnd, text, title, icon);
    }
    void unload() override { EndDialog(hwnd, IDOK); }

    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam) {
        const HWND dialog = hwnd;
        switch (message) {
        case WM_INITDIALOG:
            SendDlgItemMessageW(dialog, IDC_TEXT1, EM_SETLIMITTEXT, store::kMaxMobileNumberLength,
                                0);
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

private:
    // The two boxes accept from the keyboard (and the clipboard) only what the window allows.
    static LRESULT CALLBACK filterKeys(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR) {
        return ui::guarded(box, LRESULT{0},
                           [&] { return filter(box, message, wParam, lParam, id); });
    }

    static LRESULT filter(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id) {
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
        std::wstring digits;
        {
            const win32::ClipboardSession clipboard(box);
            if (!clipboard.opened())
                return 0;
            const win32::GlobalLockGuard<const wchar_t> text(GetClipboardData(CF_UNICODETEXT));
            for (const wchar_t* c = text.get(); c && *c; ++c)
                if (ReminderSettings::Text1_KeyPress(static_cast<char32_t>(*c)) &&
                    *c != ui::kBackspace)
                    digits += *c;
        }
        SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits.c_str()));
        return 0;
    }

    ReminderSettings form_;
};

} // namespace

void showReminderSettings(HWND owner, const store::Connection& conn,
                          MobileNumberLabel& lblmobileno) {
    ReminderSettingsDialog dialog(conn, lblmobileno);
    ui::showModalDialog(owner, layout(), dialog);
}

} // namespace davrin::shell
