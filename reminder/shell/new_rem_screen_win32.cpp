// NewRemScreen's dialog: black, topmost, captionless; turns button clicks into handler calls.
#include "reminder/shell/new_rem_screen_win32.h"

#include "reminder/shell/mod_top_most_win32.h"
#include "reminder/shell/new_rem_screen.h"
#include "reminder/shell/resource_ids.h"
#include "reminder/ui/date_picker_win32.h"
#include "reminder/ui/dialog_host_win32.h"
#include "reminder/ui/message_box_win32.h"
#include "reminder/ui/text_win32.h"

#include <commctrl.h>

namespace davrin::shell {

namespace {

constexpr COLORREF kLightYellow = RGB(255, 255, 160);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLightGreen = RGB(150, 240, 150);
constexpr COLORREF kGrey = RGB(190, 190, 190);

int controlId(AlertLabel label) {
    switch (label) {
    case AlertLabel::Label7:
        return IDC_LABEL7;
    case AlertLabel::Label1:
        return IDC_LABEL1;
    case AlertLabel::Label2:
        return IDC_LABEL2;
    case AlertLabel::Label3:
        return IDC_LABEL3;
    case AlertLabel::Label9:
        return IDC_LABEL9;
    }
    return 0;
}

COLORREF textColour(int id) {
    switch (id) {
    case IDC_LABEL7:
    case IDC_LABEL6:
    case IDC_LABEL11:
        return kLightYellow;
    case IDC_LABEL1:
    case IDC_LABEL2:
        return kWhite;
    case IDC_LABEL3:
        return kLightGreen;
    default:
        return kGrey;
    }
}

ui::DialogTemplate layout() {
    ui::DialogTemplate t(L"", 300, 222, DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_BORDER,
                         WS_EX_TOPMOST);
    const DWORD label = SS_LEFT | SS_NOPREFIX | WS_GROUP;
    // As an edit box does, the texts break inside a run too long for a line (a web address, a
    // path) instead of cutting it.
    const DWORD wrapped = label | SS_EDITCONTROL;
    t.add(L"STATIC", L"Davrin", IDC_LABEL11, 10, 6, 150, 16, label);
    t.add(L"STATIC", L"Date :", IDC_LABEL8, 190, 10, 40, 10, SS_RIGHT | WS_GROUP);
    t.add(L"STATIC", L"", IDC_LABEL9, 234, 10, 60, 10, label);
    t.add(L"STATIC", L"", IDC_LABEL7, 10, 26, 280, 10, label);
    t.add(L"STATIC", L"", IDC_LABEL1, 10, 40, 280, 40, wrapped);
    t.add(L"STATIC", L"Thought for the Day", IDC_LABEL6, 10, 86, 280, 10, SS_LEFT | WS_GROUP);
    t.add(L"STATIC", L"", IDC_LABEL2, 10, 98, 280, 30, wrapped);
    t.add(L"STATIC", L"", IDC_LABEL3, 10, 132, 280, 20, wrapped);
    t.add(L"STATIC", L"Date", IDC_LABEL13, 10, 162, 24, 10, SS_LEFT | WS_GROUP);
    t.add(DATETIMEPICK_CLASSW, L"", IDC_DTPICKER1, 36, 159, 84, 14,
          DTS_SHORTDATEFORMAT | WS_TABSTOP);
    t.add(L"STATIC", L"Time", IDC_LABEL12, 132, 162, 24, 10, SS_LEFT | WS_GROUP);
    t.add(DATETIMEPICK_CLASSW, L"", IDC_DTPICKER2, 158, 159, 72, 14,
          DTS_TIMEFORMAT | DTS_UPDOWN | WS_TABSTOP);
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    t.add(L"BUTTON", L"&Delete", IDC_BTNDISMISS, 54, 182, 60, 16, button);
    t.add(L"BUTTON", L"&Snooze", IDC_BTNSNOOZE, 120, 182, 60, 16, button);
    t.add(L"BUTTON", L"&Modify", IDC_BTNMODIFY, 186, 182, 60, 16, button);
    const DWORD footer = SS_CENTER | SS_NOPREFIX | WS_GROUP;
    t.add(L"STATIC", L"Davrin Software", IDC_FOOTER1, 10, 204, 280, 8, footer);
    t.add(L"STATIC", L"support@example.com", IDC_FOOTER2, 10, 212, 280, 8, footer);
    return t;
}

} // namespace

class NewRemScreenDialog final : public NewRemScreenView {
public:
    NewRemScreenDialog(NewRemScreenWindow& owner, const AlertLabels& labels)
        : owner_(owner), labels_(labels), form_(*this, owner.clock_) {}

    HWND hwnd = nullptr;

    void setLabel(AlertLabel label, const std::string& text) override {
        ui::setControlText(hwnd, controlId(label), text);
    }
    void setTopMost() override { SetTopMost(hwnd, true); }
    void setDTPicker1(std::chrono::year_month_day date) override {
        ui::setPickerDate(item(IDC_DTPICKER1), date);
    }
    void setDTPicker2(std::chrono::minutes timeOfDay) override {
        ui::setPickerTime(item(IDC_DTPICKER2), timeOfDay);
    }
    std::chrono::year_month_day DTPicker1() const override {
        return ui::pickerDate(item(IDC_DTPICKER1)).value_or(std::chrono::year_month_day{});
    }
    std::chrono::minutes DTPicker2() const override { return ui::pickerTime(item(IDC_DTPICKER2)); }
    void showMessage(const std::string& text, const std::string& title,
                     ui::MessageIcon icon) override {
        ui::showMessageBox(hwnd, text, title, icon);
    }
    void unload() override { EndDialog(hwnd, IDOK); }
    const std::optional<AlertResult>& answer() const { return form_.answer(); }

    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG:
            owner_.window_ = hwnd;
            init();
            return TRUE;
        case WM_CTLCOLORDLG:
            return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
        case WM_CTLCOLORSTATIC: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, textColour(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))));
            SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
        }
        case WM_COMMAND:
            return command(LOWORD(wParam));
        case WM_CLOSE: // Alt+F4: only the three buttons answer an alert
            return TRUE;
        case WM_DESTROY:
            owner_.window_ = nullptr;
            return FALSE;
        }
        return FALSE;
    }

private:
    HWND item(int id) const { return GetDlgItem(hwnd, id); }

    INT_PTR command(WORD id) {
        switch (id) {
        case IDC_BTNDISMISS:
            form_.btnDismiss_Click();
            return TRUE;
        case IDC_BTNSNOOZE:
            form_.btnSnooze_Click();
            return TRUE;
        case IDC_BTNMODIFY:
            form_.btnModify_Click();
            return TRUE;
        case IDCANCEL: // Escape, for the same reason
            return TRUE;
        }
        return FALSE;
    }

    void init() {
        heading_ = ui::scaledDialogFont(hwnd, 2, true);
        bold_ = ui::scaledDialogFont(hwnd, 1, true);
        SendDlgItemMessageW(hwnd, IDC_LABEL11, WM_SETFONT, reinterpret_cast<WPARAM>(heading_.get()),
                            FALSE);
        for (int id : {IDC_LABEL7, IDC_LABEL1, IDC_LABEL6})
            SendDlgItemMessageW(hwnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);
        ui::showDatesDayFirst(item(IDC_DTPICKER1));
        ui::showTimesWithHalfOfDay(item(IDC_DTPICKER2));
        form_.Form_Load(labels_);
        // A reminder that pops up behind other windows is no reminder.
        SetForegroundWindow(hwnd);
    }

    NewRemScreenWindow& owner_;
    const AlertLabels& labels_;
    NewRemScreen form_;
    win32::UniqueFont heading_;
    win32::UniqueFont bold_;
};

std::optional<AlertResult> NewRemScreenWindow::showModal(const AlertLabels& labels) {
    NewRemScreenDialog dialog(*this, labels);
    ui::showModalDialog(owner_, layout(), dialog);
    window_ = nullptr;
    return dialog.answer();
}

} // namespace davrin::shell
