// The one-time editor as a real dialog: two pickers, the message box, the SMS check box.
#include "date_picker_win32.h"
#include "dialog_host_win32.h"
#include "dialog_template_win32.h"
#include "editing_dialogs_win32.h"
#include "editing_message_win32.h"
#include "editor_ids_win32.h"
#include "ot_reminder.h"
#include "program_modal_win32.h"
#include "wide_text_win32.h"

#include <commctrl.h>

namespace davrin {
namespace {

using namespace editor_ids;

class OTReminderDialog final : public OTReminderView {
public:
    explicit OTReminderDialog(const EditorServices& services) : form_(*this, services) {}

    HWND hwnd = nullptr;

    void setCaption(const std::string& text) override { setWindowText(hwnd, text); }
    void setDTPicker1(std::chrono::year_month_day date) override {
        setPickerDate(item(IdDTPicker1), date);
    }
    std::chrono::year_month_day DTPicker1() const override {
        return pickerDate(item(IdDTPicker1)).value_or(std::chrono::year_month_day{});
    }
    void setDTPicker2(std::chrono::minutes t) override { setPickerTime(item(IdDTPicker2), t); }
    std::chrono::minutes DTPicker2() const override { return pickerTime(item(IdDTPicker2)); }
    void setText4(const std::string& text) override { setControlText(hwnd, IdText4, text); }
    std::string Text4() const override { return controlText(hwnd, IdText4); }
    void setCheck1(bool checked) override {
        CheckDlgButton(hwnd, IdCheck1, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    bool Check1() const override { return IsDlgButtonChecked(hwnd, IdCheck1) == BST_CHECKED; }
    void enableCheck1(bool enabled) override { EnableWindow(item(IdCheck1), enabled); }
    void showMessage(const std::string& text, EditingIcon icon) override {
        showEditingMessage(hwnd, text, icon);
    }
    void unload() override { EndDialog(hwnd, IDOK); }

    INT_PTR handle(UINT msg, WPARAM wp, LPARAM) {
        if (msg == WM_INITDIALOG) {
            // The date shows day first like every date the program writes; the time shows
            // AM/PM, or an afternoon could not be told from a morning.
            SendMessageW(item(IdDTPicker1), DTM_SETFORMATW, 0,
                         reinterpret_cast<LPARAM>(L"dd/MM/yyyy"));
            SendMessageW(item(IdDTPicker2), DTM_SETFORMATW, 0,
                         reinterpret_cast<LPARAM>(L"hh:mm tt"));
            SendDlgItemMessageW(hwnd, IdText4, EM_LIMITTEXT, 255, 0);
            form_.Form_Load();
            return TRUE;
        }
        if (msg != WM_COMMAND)
            return FALSE;
        if (LOWORD(wp) == IdCmdOk)
            form_.CmdOk_Click();
        else if (LOWORD(wp) == IdCmdCancel)
            form_.CmdCancel_Click();
        else
            return FALSE;
        return TRUE;
    }

private:
    HWND item(int id) const { return GetDlgItem(hwnd, id); }

    OTReminder form_;
};

} // namespace

void showOTReminder(HWND owner, const EditorServices& services) {
    DialogTemplate t(L"One Time Reminder", 232, 156, kModalDialogStyle);
    t.add(L"STATIC", L"Date", 0, 10, 10, 80, 9, SS_LEFT);
    t.add(DATETIMEPICK_CLASSW, L"", IdDTPicker1, 10, 20, 90, 14,
          WS_TABSTOP | WS_GROUP | DTS_SHORTDATEFORMAT);
    t.add(L"STATIC", L"Time", 0, 112, 10, 60, 9, SS_LEFT);
    t.add(DATETIMEPICK_CLASSW, L"", IdDTPicker2, 112, 20, 64, 14,
          WS_TABSTOP | DTS_TIMEFORMAT | DTS_UPDOWN);
    t.add(L"STATIC", L"Reminder Message", 0, 10, 42, 150, 9, SS_LEFT);
    t.add(L"EDIT", L"", IdText4, 10, 52, 212, 62,
          WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN);
    t.add(L"BUTTON", L"SMS", IdCheck1, 10, 120, 60, 10, WS_TABSTOP | BS_AUTOCHECKBOX);
    t.add(L"BUTTON", L"&Ok", IdCmdOk, 112, 134, 52, 14, WS_TABSTOP | BS_DEFPUSHBUTTON);
    t.add(L"BUTTON", L"&Cancel", IdCmdCancel, 170, 134, 52, 14, WS_TABSTOP | BS_PUSHBUTTON);
    OTReminderDialog dialog(services);
    const ProgramModal modal;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), owner, dialogProc<OTReminderDialog>,
                            reinterpret_cast<LPARAM>(&dialog));
}

} // namespace davrin
