// The one-time editor as a real dialog: two pickers, the message box, the SMS check box.
#include "reminder/editing/editing_dialogs_win32.h"
#include "reminder/editing/editor_ids_win32.h"
#include "reminder/editing/ot_reminder.h"
#include "reminder/ui/date_picker_win32.h"
#include "reminder/ui/dialog_host_win32.h"
#include "reminder/ui/message_box_win32.h"
#include "reminder/ui/text_win32.h"

#include <commctrl.h>

namespace davrin::editing {
namespace {

using namespace editor_ids;

class OTReminderDialog final : public OTReminderView {
public:
    explicit OTReminderDialog(const EditorServices& services) : form_(*this, services) {}

    HWND hwnd = nullptr;

    void setCaption(const std::string& text) override { ui::setWindowText(hwnd, text); }
    void setDTPicker1(std::chrono::year_month_day date) override {
        ui::setPickerDate(item(IdDTPicker1), date);
    }
    std::chrono::year_month_day DTPicker1() const override {
        return ui::pickerDate(item(IdDTPicker1)).value_or(std::chrono::year_month_day{});
    }
    void setDTPicker2(std::chrono::minutes t) override { ui::setPickerTime(item(IdDTPicker2), t); }
    std::chrono::minutes DTPicker2() const override { return ui::pickerTime(item(IdDTPicker2)); }
    void setText4(const std::string& text) override { ui::setControlText(hwnd, IdText4, text); }
    std::string Text4() const override { return ui::controlText(hwnd, IdText4); }
    void setCheck1(bool checked) override {
        CheckDlgButton(hwnd, IdCheck1, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    bool Check1() const override { return IsDlgButtonChecked(hwnd, IdCheck1) == BST_CHECKED; }
    void enableCheck1(bool enabled) override { EnableWindow(item(IdCheck1), enabled); }
    void showMessage(const std::string& text, ui::MessageIcon icon) override {
        ui::showMessageBox(hwnd, text, icon);
    }
    void unload() override { EndDialog(hwnd, IDOK); }

    INT_PTR handle(UINT msg, WPARAM wp, LPARAM) {
        if (msg == WM_INITDIALOG) {
            ui::showDatesDayFirst(item(IdDTPicker1));
            ui::showTimesWithHalfOfDay(item(IdDTPicker2));
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
    ui::DialogTemplate t(L"One Time Reminder", 232, 156, ui::kModalDialogStyle);
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
    ui::showModalDialog(owner, t, dialog);
}

} // namespace davrin::editing
