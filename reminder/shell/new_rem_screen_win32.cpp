// NewRemScreen's dialog: black, topmost, captionless; turns button clicks into handler calls.
#include "new_rem_screen_win32.h"

#include "gdi_win32.h"
#include "message_box_win32.h"
#include "mod_top_most_win32.h"
#include "new_rem_screen.h"
#include "program_modal_win32.h"
#include "resource_ids.h"
#include "text_win32.h"

#include <commctrl.h>

namespace davrin {

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

SYSTEMTIME pickerTime(HWND dialog, int id) {
    SYSTEMTIME t{};
    SendDlgItemMessageW(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t));
    return t;
}

} // namespace

class NewRemScreenDialog final : public NewRemScreenView {
public:
    NewRemScreenDialog(Win32AlertWindow& owner, const AlertLabels& labels)
        : owner_(owner), labels_(labels), form_(*this, owner.clock_) {}

    static INT_PTR CALLBACK proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG)
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto* self = reinterpret_cast<NewRemScreenDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        return self ? self->handle(dialog, message, wParam, lParam) : FALSE;
    }

    void setLabel(AlertLabel label, const std::string& text) override {
        setWindowTextUtf8(GetDlgItem(dialog_, controlId(label)), text);
    }
    void setTopMost() override { SetTopMost(dialog_, true); }
    void setDTPicker1(std::chrono::year_month_day date) override {
        SYSTEMTIME t{};
        t.wYear = static_cast<WORD>(static_cast<int>(date.year()));
        t.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
        t.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
        SendDlgItemMessageW(dialog_, IDC_DTPICKER1, DTM_SETSYSTEMTIME, GDT_VALID,
                            reinterpret_cast<LPARAM>(&t));
    }
    void setDTPicker2(std::chrono::minutes timeOfDay) override {
        SYSTEMTIME t = pickerTime(dialog_, IDC_DTPICKER1); // any valid date will do
        t.wHour = static_cast<WORD>(timeOfDay.count() / 60);
        t.wMinute = static_cast<WORD>(timeOfDay.count() % 60);
        t.wSecond = 0;
        t.wMilliseconds = 0;
        SendDlgItemMessageW(dialog_, IDC_DTPICKER2, DTM_SETSYSTEMTIME, GDT_VALID,
                            reinterpret_cast<LPARAM>(&t));
    }
    std::chrono::year_month_day DTPicker1() const override {
        const SYSTEMTIME t = pickerTime(dialog_, IDC_DTPICKER1);
        return {std::chrono::year(t.wYear), std::chrono::month(t.wMonth), std::chrono::day(t.wDay)};
    }
    std::chrono::minutes DTPicker2() const override {
        const SYSTEMTIME t = pickerTime(dialog_, IDC_DTPICKER2);
        return std::chrono::hours(t.wHour) + std::chrono::minutes(t.wMinute);
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
            owner_.window_ = dialog;
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
            switch (LOWORD(wParam)) {
            case IDC_BTNDISMISS:
                form_.btnDismiss_Click();
                return TRUE;
            case IDC_BTNSNOOZE:
                form_.btnSnooze_Click();
                return TRUE;
            case IDC_BTNMODIFY:
                form_.btnModify_Click();
                return TRUE;
            case IDCANCEL: // Escape: only the three buttons answer an alert
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE: // Alt+F4, for the same reason
            return TRUE;
        case WM_DESTROY:
            owner_.window_ = nullptr;
            return FALSE;
        }
        return FALSE;
    }

    void init() {
        heading_ = scaledFont(dialog_, 2, true);
        bold_ = scaledFont(dialog_, 1, true);
        SendDlgItemMessageW(dialog_, IDC_LABEL11, WM_SETFONT,
                            reinterpret_cast<WPARAM>(heading_.get()), FALSE);
        for (int id : {IDC_LABEL7, IDC_LABEL1, IDC_LABEL6})
            SendDlgItemMessageW(dialog_, id, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()),
                                FALSE);
        // Day first, as every other date the program shows; then hours and minutes with the half
        // of the day to go with them.
        SendDlgItemMessageW(dialog_, IDC_DTPICKER1, DTM_SETFORMATW, 0,
                            reinterpret_cast<LPARAM>(L"dd/MM/yyyy"));
        SendDlgItemMessageW(dialog_, IDC_DTPICKER2, DTM_SETFORMATW, 0,
                            reinterpret_cast<LPARAM>(L"hh:mm tt"));
        form_.Form_Load(labels_);
        // A reminder that pops up behind other windows is no reminder.
        SetForegroundWindow(dialog_);
    }

    Win32AlertWindow& owner_;
    const AlertLabels& labels_;
    NewRemScreen form_;
    HWND dialog_ = nullptr;
    UniqueFont heading_;
    UniqueFont bold_;
};

void Win32AlertWindow::showModal(const AlertLabels& labels) {
    NewRemScreenDialog dialog(*this, labels);
    const ProgramModal modal;
    DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_NEWREMSCREEN), owner_,
                    &NewRemScreenDialog::proc, reinterpret_cast<LPARAM>(&dialog));
    window_ = nullptr;
}

} // namespace davrin
