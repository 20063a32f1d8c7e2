// The recurring editor as a real dialog: repeat options, a digits-only count, an end date.
#include "reminder/editing/editing_dialogs_win32.h"
#include "reminder/editing/editor_ids_win32.h"
#include "reminder/editing/rec_reminder.h"
#include "reminder/ui/date_picker_win32.h"
#include "reminder/ui/dialog_host_win32.h"
#include "reminder/ui/message_box_win32.h"
#include "reminder/ui/text_win32.h"

#include <commctrl.h>

namespace davrin::editing {
namespace {

using namespace editor_ids;

constexpr UINT_PTR kCountFilterId = 1;

class RecReminderDialog final : public RecReminderView {
public:
    explicit RecReminderDialog(const EditorServices& services) : form_(*this, services) {}

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
    void setDTPicker3(std::optional<std::chrono::year_month_day> date) override {
        if (date)
            ui::setPickerDate(item(IdDTPicker3), *date);
        else
            ui::clearPickerDate(item(IdDTPicker3));
    }
    std::optional<std::chrono::year_month_day> DTPicker3() const override {
        return ui::pickerDate(item(IdDTPicker3));
    }
    void setDTPicker3TabStop(bool tabStop) override {
        HWND picker = item(IdDTPicker3);
        const LONG_PTR style = GetWindowLongPtrW(picker, GWL_STYLE);
        SetWindowLongPtrW(picker, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
    std::string Text4() const override { return ui::controlText(hwnd, IdText4); }
    void setText5(const std::string& text) override { ui::setControlText(hwnd, IdText5, text); }
    std::string Text5() const override { return ui::controlText(hwnd, IdText5); }
    void enableText5(bool enabled) override {
        HWND box = item(IdText5);
        // A focused control that is disabled leaves the keyboard nowhere: pass the focus on
        // to the end date that made the count unavailable.
        if (!enabled && GetFocus() == box)
            SendMessageW(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IdDTPicker3)), TRUE);
        EnableWindow(box, enabled);
    }
    void setCheck1(bool checked) override {
        CheckDlgButton(hwnd, IdCheck1, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    bool Check1() const override { return IsDlgButtonChecked(hwnd, IdCheck1) == BST_CHECKED; }
    void enableCheck1(bool enabled) override { EnableWindow(item(IdCheck1), enabled); }
    std::optional<store::RepeatKind> selectedRepeat() const override {
        for (int i = 0; i < 6; ++i)
            if (IsDlgButtonChecked(hwnd, IdOption1 + i) == BST_CHECKED)
                return static_cast<store::RepeatKind>(i);
        return std::nullopt;
    }
    void showMessage(const std::string& text, ui::MessageIcon icon) override {
        ui::showMessageBox(hwnd, text, icon);
    }
    void unload() override { EndDialog(hwnd, IDOK); }

    INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
        case WM_INITDIALOG:
            init();
            return TRUE;
        case WM_COMMAND:
            return command(LOWORD(wp), HIWORD(wp));
        case WM_NOTIFY: {
            const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
            if (hdr->idFrom == IdDTPicker3 && hdr->code == DTN_DATETIMECHANGE)
                form_.DTPicker3_Change();
            return FALSE;
        }
        case WM_DESTROY:
            RemoveWindowSubclass(item(IdText5), countFilter, kCountFilterId);
            return FALSE;
        default:
            return FALSE;
        }
    }

private:
    HWND item(int id) const { return GetDlgItem(hwnd, id); }

    void init() {
        ui::showDatesDayFirst(item(IdDTPicker1));
        ui::showDatesDayFirst(item(IdDTPicker3));
        ui::showTimesWithHalfOfDay(item(IdDTPicker2));
        SendDlgItemMessageW(hwnd, IdText4, EM_LIMITTEXT, 255, 0);
        SendDlgItemMessageW(hwnd, IdText5, EM_LIMITTEXT, 3, 0);
        SetWindowSubclass(item(IdText5), countFilter, kCountFilterId,
                          reinterpret_cast<DWORD_PTR>(this));
        form_.Form_Load();
    }

    INT_PTR command(WORD id, WORD code) {
        if (id == IdCmdOk)
            form_.CmdOk_Click();
        else if (id == IdCmdCancel)
            form_.CmdCancel_Click();
        else if (id == IdText5 && code == EN_SETFOCUS)
            form_.Text5_GotFocus();
        else
            return FALSE;
        return TRUE;
    }

    // Typed characters reach the count box only when the window's logic lets them.
    static LRESULT CALLBACK countFilter(HWND box, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                        DWORD_PTR self) {
        return ui::guarded(box, LRESULT{0}, [&]() -> LRESULT {
            if (msg == WM_CHAR) {
                auto* dialog = reinterpret_cast<RecReminderDialog*>(self);
                if (!dialog->form_.Text5_KeyPress(static_cast<char32_t>(wp)))
                    return 0;
            }
            if (msg == WM_PASTE)
                return 0; // a pasted text would bypass the key filter
            return DefSubclassProc(box, msg, wp, lp);
        });
    }

    RecReminder form_;
};

} // namespace

void showRecReminder(HWND owner, const EditorServices& services) {
    ui::DialogTemplate t(L" ", 262, 222, ui::kModalDialogStyle);
    t.add(L"STATIC", L"Date", 0, 10, 10, 80, 9, SS_LEFT);
    t.add(DATETIMEPICK_CLASSW, L"", IdDTPicker1, 10, 20, 90, 14, WS_TABSTOP | WS_GROUP);
    t.add(L"STATIC", L"Time", 0, 112, 10, 60, 9, SS_LEFT);
    t.add(DATETIMEPICK_CLASSW, L"", IdDTPicker2, 112, 20, 64, 14,
          WS_TABSTOP | DTS_TIMEFORMAT | DTS_UPDOWN);
    t.add(L"STATIC", L"Reminder Message", 0, 10, 42, 150, 9, SS_LEFT);
    t.add(L"EDIT", L"", IdText4, 10, 52, 242, 46,
          WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN);
    t.add(L"BUTTON", L"SMS", IdCheck1, 10, 103, 60, 10, WS_TABSTOP | BS_AUTOCHECKBOX);

    t.add(L"BUTTON", L"", 0, 10, 117, 242, 40, BS_GROUPBOX);
    const wchar_t* const kinds[] = {L"Daily",     L"Weekly",      L"Monthly",
                                    L"Quarterly", L"Half Yearly", L"Yearly"};
    for (int i = 0; i < 6; ++i) {
        const auto x = static_cast<short>(20 + (i % 3) * 78);
        const auto y = static_cast<short>(127 + (i / 3) * 14);
        t.add(L"BUTTON", kinds[i], static_cast<WORD>(IdOption1 + i), x, y, 70, 10,
              BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0));
    }

    t.add(L"BUTTON", L"Range of reccurence", 0, 10, 161, 242, 36, BS_GROUPBOX | WS_GROUP);
    t.add(L"STATIC", L"End After", 0, 18, 177, 36, 9, SS_LEFT);
    t.add(L"EDIT", L"", IdText5, 56, 175, 22, 13,
          WS_TABSTOP | WS_BORDER | ES_NUMBER | ES_CENTER | WS_GROUP);
    t.add(L"STATIC", L" times", 0, 80, 177, 26, 9, SS_LEFT);
    t.add(L"STATIC", L"OR", 0, 108, 177, 14, 9, SS_CENTER);
    t.add(L"STATIC", L"End by", 0, 126, 177, 28, 9, SS_LEFT);
    t.add(DATETIMEPICK_CLASSW, L"", IdDTPicker3, 156, 175, 88, 14, WS_TABSTOP | DTS_SHOWNONE);

    t.add(L"BUTTON", L"&Ok", IdCmdOk, 142, 202, 52, 14, WS_TABSTOP | BS_DEFPUSHBUTTON | WS_GROUP);
    t.add(L"BUTTON", L"&Cancel", IdCmdCancel, 200, 202, 52, 14, WS_TABSTOP | BS_PUSHBUTTON);
    RecReminderDialog dialog(services);
    ui::showModalDialog(owner, t, dialog);
}

} // namespace davrin::editing
