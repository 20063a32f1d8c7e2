// ReminderQuery as a modeless dialog with a virtual report list; the modal windows it opens.
#include "reminder/editing/reminder_query_win32.h"

#include "common/win32/handles.h"
#include "reminder/editing/editing_dialogs_win32.h"
#include "reminder/editing/reminder_query.h"
#include "reminder/editing/reminder_query_ids_win32.h"
#include "reminder/ui/dialog_host_win32.h"
#include "reminder/ui/message_box_win32.h"
#include "reminder/ui/program_modal_win32.h"
#include "reminder/ui/text_win32.h"

#include <commctrl.h>

#include <array>
#include <utility>
#include <vector>

namespace davrin::editing {
namespace {

using namespace list_ids;

ProgramVersion versionOfThisProgram() {
    wchar_t path[MAX_PATH];
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0)
        return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0)
        return {};
    std::vector<BYTE> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoW(path, 0, size, data.data()) ||
        !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) ||
        length < sizeof(VS_FIXEDFILEINFO))
        return {};
    return {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
            HIWORD(info->dwFileVersionLS)};
}

// Column widths in twips, the unit the layout was drawn in; scaled to the screen's DPI.
constexpr std::array<int, 3> kColumnTwips{1, 2000, 4150};
// The header reads "&" as an access-key prefix; doubled, it shows "Date & Time".
constexpr std::array<const wchar_t*, 3> kColumnHeaders{L"", L"Date && Time", L"Message"};

} // namespace

class ReminderQueryWindow::Dialog final : public ReminderQueryView, public ReminderQueryWindows {
public:
    Dialog(const EditingWindowServices& services)
        : services_(services), editors_{services.conn, services.clock, services.mobileNumber},
          form_(*this, *this,
                {services.conn, services.clock, versionOfThisProgram(), services.newsLine}) {}

    HWND hwnd = nullptr;
    ReminderQuery& form() { return form_; }

    // ReminderQueryView
    void setCaption(const std::string& text) override { ui::setWindowText(hwnd, text); }
    void setLabel1(const std::string& text) override { ui::setControlText(hwnd, IdLabel1, text); }
    void setLabel2(const std::string& text) override { ui::setControlText(hwnd, IdLabel2, text); }
    bool Option1() const override { return IsDlgButtonChecked(hwnd, IdOption1) == BST_CHECKED; }
    void setOption1(bool on) override {
        CheckRadioButton(hwnd, IdOption1, IdOption2, on ? IdOption1 : IdOption2);
    }
    void fillSortList(SortList list, const std::vector<std::string>& items) override {
        HWND combo = GetDlgItem(hwnd, comboId(list));
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const auto& text : items)
            SendMessageW(combo, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(ui::toWide(text).c_str()));
    }
    int sortIndex(SortList list) const override {
        return static_cast<int>(SendDlgItemMessageW(hwnd, comboId(list), CB_GETCURSEL, 0, 0));
    }
    void setSortIndex(SortList list, int index) override {
        SendDlgItemMessageW(hwnd, comboId(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    void showRows(const std::vector<GridRow>& rows) override {
        rows_ = &rows;
        HWND grid = GetDlgItem(hwnd, IdGrd1);
        ListView_SetItemState(grid, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        // A virtual list asks for the text of the rows it draws, so thousands cost nothing.
        ListView_SetItemCountEx(grid, static_cast<int>(rows.size()), 0);
        InvalidateRect(grid, nullptr, TRUE);
    }
    std::optional<std::size_t> currentRow() const override {
        const int row = ListView_GetNextItem(GetDlgItem(hwnd, IdGrd1), -1, LVNI_SELECTED);
        if (row < 0)
            return std::nullopt;
        return static_cast<std::size_t>(row);
    }
    void selectRow(std::size_t row) override {
        HWND grid = GetDlgItem(hwnd, IdGrd1);
        const auto item = static_cast<int>(row);
        ListView_SetItemState(grid, item, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(grid, item, FALSE);
    }
    void enableEditDelete(bool enabled) override {
        EnableWindow(GetDlgItem(hwnd, IdBtnEdit), enabled);
        EnableWindow(GetDlgItem(hwnd, IdBtnDelete), enabled);
    }
    bool askYesNo(const std::string& text) override { return ui::askYesNo(hwnd, text); }
    void showMessage(const std::string& text, ui::MessageIcon icon) override {
        ui::showMessageBox(hwnd, text, icon);
    }
    void unload() override { DestroyWindow(hwnd); }

    // ReminderQueryWindows
    void showOTReminder() override { editing::showOTReminder(hwnd, editors_); }
    void showRecReminder() override { editing::showRecReminder(hwnd, editors_); }
    std::optional<DeleteAnswer> showFrmMsgbox() override { return editing::showFrmMsgbox(hwnd); }
    void showReminderSettings() override {
        if (services_.showSettings)
            services_.showSettings(hwnd);
    }

    INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
        case WM_INITDIALOG:
            setUpGrid();
            form_.Form_Load();
            return TRUE;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE)
                form_.Form_Activate();
            return FALSE;
        case WM_COMMAND:
            return command(LOWORD(wp), HIWORD(wp));
        case WM_NOTIFY:
            return notify(*reinterpret_cast<NMHDR*>(lp));
        case WM_CLOSE:
            form_.cmd1_Click();
            return TRUE;
        default:
            return FALSE;
        }
    }

private:
    static int comboId(SortList list) { return list == SortList::Combo1 ? IdCombo1 : IdCombo2; }

    void setUpGrid() {
        HWND grid = GetDlgItem(hwnd, IdGrd1);
        ListView_SetExtendedListViewStyle(grid, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                                                    LVS_EX_DOUBLEBUFFER);
        const int dpi = GetDeviceCaps(win32::WindowDc(hwnd).get(), LOGPIXELSX);
        for (int i = 0; i < 3; ++i) {
            LVCOLUMNW column{};
            column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
            column.fmt = LVCFMT_LEFT;
            column.cx = MulDiv(kColumnTwips[static_cast<std::size_t>(i)], dpi, 1440);
            column.pszText = const_cast<wchar_t*>(kColumnHeaders[static_cast<std::size_t>(i)]);
            column.iSubItem = i;
            ListView_InsertColumn(grid, i, &column);
        }
    }

    INT_PTR command(WORD id, WORD code) {
        switch (id) {
        case IdOption1:
            if (code == BN_CLICKED)
                form_.Option1_Click();
            return TRUE;
        case IdOption2:
            if (code == BN_CLICKED)
                form_.Option2_Click();
            return TRUE;
        case IdCombo1:
            if (code == CBN_SELCHANGE)
                form_.Combo1_Click();
            return TRUE;
        case IdCombo2:
            if (code == CBN_SELCHANGE)
                form_.Combo2_Click();
            return TRUE;
        case IdBtnNew:
            form_.btnNew_Click();
            return TRUE;
        case IdBtnEdit:
            form_.btnEdit_Click();
            return TRUE;
        case IdBtnDelete:
            form_.btnDelete_Click();
            return TRUE;
        case IdBtnSetting:
            form_.btnSetting_Click();
            return TRUE;
        case IdCmd1:
        case IDCANCEL:
            form_.cmd1_Click();
            return TRUE;
        default:
            return FALSE;
        }
    }

    INT_PTR notify(NMHDR& hdr) {
        if (hdr.idFrom == IdGrd1 && hdr.code == LVN_GETDISPINFOW) {
            fillCell(reinterpret_cast<NMLVDISPINFOW&>(hdr).item);
            return TRUE;
        }
        // The id column stays hidden: its divider cannot be dragged open.
        if (hdr.code == HDN_BEGINTRACKW || hdr.code == HDN_DIVIDERDBLCLICKW) {
            if (reinterpret_cast<NMHEADERW&>(hdr).iItem == 0) {
                SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
        }
        return FALSE;
    }

    void fillCell(LVITEMW& item) const {
        if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0)
            return;
        item.pszText[0] = L'\0';
        if (rows_ == nullptr || item.iItem < 0 ||
            static_cast<std::size_t>(item.iItem) >= rows_->size())
            return;
        const GridRow& row = (*rows_)[static_cast<std::size_t>(item.iItem)];
        std::string id;
        const std::string* text = &row.message;
        if (item.iSubItem == 0) {
            id = std::to_string(row.remid);
            text = &id;
        } else if (item.iSubItem == 1) {
            text = &row.dateText;
        }
        const int n = MultiByteToWideChar(CP_UTF8, 0, text->data(), static_cast<int>(text->size()),
                                          item.pszText, item.cchTextMax - 1);
        if (n == 0 && !text->empty())
            // Longer than the caller's buffer: the conversion wrote nothing, so give it the start.
            lstrcpynW(item.pszText, ui::toWide(*text).c_str(), item.cchTextMax);
        else
            item.pszText[n] = L'\0';
    }

    EditingWindowServices services_;
    EditorServices editors_;
    ReminderQuery form_;
    const std::vector<GridRow>* rows_ = nullptr;
};

ReminderQueryWindow::ReminderQueryWindow(HINSTANCE instance, EditingWindowServices services)
    : instance_(instance), services_(std::move(services)) {
    // The list and the pickers need their classes registered, whatever the host did.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
}

ReminderQueryWindow::~ReminderQueryWindow() {
    if (dialog_ && dialog_->hwnd)
        DestroyWindow(dialog_->hwnd);
}

bool ReminderQueryWindow::isVisible() const {
    return dialog_ && dialog_->hwnd && IsWindowVisible(dialog_->hwnd);
}

HWND ReminderQueryWindow::handle() const {
    return dialog_ ? dialog_->hwnd : nullptr;
}

void ReminderQueryWindow::grd1add() {
    if (dialog_ && dialog_->hwnd)
        dialog_->form().grd1add();
}

bool ReminderQueryWindow::preTranslate(MSG& msg) {
    HWND window = handle();
    return window != nullptr && IsDialogMessageW(window, &msg);
}

void ReminderQueryWindow::showModeless() {
    // Not beside a modal window: the list would take the input that window keeps from the program.
    if (handle() != nullptr || ui::ProgramModal::open())
        return;
    ui::DialogTemplate t(L"", 330, 236,
                         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_CENTER);
    t.add(L"STATIC", L"", IdLabel2, 10, 8, 200, 9, SS_LEFT | SS_NOPREFIX);
    t.add(L"BUTTON", L"One Time", IdOption1, 10, 24, 56, 10,
          BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP);
    t.add(L"BUTTON", L"Recurrance", IdOption2, 70, 24, 60, 10, BS_AUTORADIOBUTTON);
    t.add(L"STATIC", L"Sort by", IdLabel3, 150, 25, 30, 9, SS_RIGHT | WS_GROUP);
    t.add(L"COMBOBOX", L"", IdCombo1, 184, 22, 70, 60, CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL);
    t.add(L"COMBOBOX", L"", IdCombo2, 258, 22, 62, 60, CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL);
    t.add(WC_LISTVIEWW, L"", IdGrd1, 10, 40, 310, 150,
          WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    const DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
    t.add(L"BUTTON", L"&New", IdBtnNew, 10, 196, 56, 14, button);
    t.add(L"BUTTON", L"&Edit", IdBtnEdit, 72, 196, 56, 14, button);
    t.add(L"BUTTON", L"&Delete", IdBtnDelete, 134, 196, 56, 14, button);
    t.add(L"BUTTON", L"&Setting", IdBtnSetting, 196, 196, 56, 14, button);
    t.add(L"BUTTON", L"&Close", IdCmd1, 264, 196, 56, 14, button);
    t.add(L"STATIC", L"", IdLabel1, 10, 218, 310, 9, SS_LEFT | SS_NOPREFIX);

    dialog_ = std::make_unique<Dialog>(services_);
    HWND window = CreateDialogIndirectParamW(instance_, t.get(), nullptr, ui::dialogProc<Dialog>,
                                             reinterpret_cast<LPARAM>(dialog_.get()));
    if (window == nullptr)
        return;
    // Its own taskbar button: this is the window the user works in.
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    // The program's own icon (resource 1 of the executable), on the caption and the taskbar.
    for (auto [kind, size] : {std::pair{ICON_SMALL, SM_CXSMICON}, std::pair{ICON_BIG, SM_CXICON}}) {
        const int px = GetSystemMetrics(size);
        if (HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, px,
                                     px, LR_SHARED))
            SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

} // namespace davrin::editing
