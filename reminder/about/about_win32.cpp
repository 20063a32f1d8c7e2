// The about window as a real dialog: white, no caption, centred; labels as links, Ok and Esc.
#include "reminder/about/about_win32.h"

#include "common/win32/handles.h"
#include "reminder/about/about_ids_win32.h"
#include "reminder/ui/dialog_host_win32.h"
#include "reminder/ui/dialog_template_win32.h"
#include "reminder/ui/text_win32.h"

#include <windows.h>

#include <shellapi.h>

namespace davrin::about {

namespace {

// The program's icon (the tray bell) at the logo's size.
constexpr int kLogoPixels = 64;
constexpr WORD kProgramIcon = 1;

int controlId(AboutLabel label) {
    switch (label) {
    case AboutLabel::Label1:
        return IdLabel1;
    case AboutLabel::Label2:
        return IdLabel2;
    case AboutLabel::Label6:
        return IdLabel6;
    case AboutLabel::Label3:
        return IdLabel3;
    case AboutLabel::Label4:
        return IdLabel4;
    }
    return 0;
}

bool isLink(int id) {
    return id == IdLabel3 || id == IdLabel4;
}

class FrmAboutDialog final : public FrmAboutView {
public:
    FrmAboutDialog(LinkShell& shell, const store::FilePath& programFolder)
        : form_(*this, shell, programFolder) {}

    HWND hwnd = nullptr;
    static inline HWND open = nullptr;

    void setText(AboutLabel label, const std::string& text) override {
        ui::setControlText(hwnd, controlId(label), text);
    }
    void unload() override { EndDialog(hwnd, IDOK); }

    INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
        case WM_INITDIALOG:
            open = hwnd;
            setUpLook();
            form_.Form_Load();
            return TRUE;
        case WM_DESTROY:
            open = nullptr;
            return FALSE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
        case WM_CTLCOLORSTATIC: {
            const HDC dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, RGB(255, 255, 255));
            if (isLink(GetDlgCtrlID(reinterpret_cast<HWND>(lp))))
                SetTextColor(dc, RGB(0, 0, 204));
            return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
        }
        case WM_SETCURSOR:
            if (isLink(GetDlgCtrlID(reinterpret_cast<HWND>(wp)))) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        case WM_COMMAND:
            return command(LOWORD(wp), HIWORD(wp));
        }
        return FALSE;
    }

private:
    INT_PTR command(WORD id, WORD code) {
        if (id == IDOK || id == IDCANCEL) { // Esc closes it too
            form_.Command1_Click();
            return TRUE;
        }
        if (code != STN_CLICKED)
            return FALSE;
        if (id == IdLabel3)
            form_.Label3_Click();
        else if (id == IdLabel4)
            form_.Label4_Click();
        else
            return FALSE;
        return TRUE;
    }

    void setUpLook() {
        LOGFONTW look{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof look,
                   &look);
        look.lfUnderline = TRUE;
        linkFont_.reset(CreateFontIndirectW(&look));
        for (const int id : {IdLabel3, IdLabel4})
            SendDlgItemMessageW(hwnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()),
                                FALSE);
        logo_.reset(
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon),
                                          IMAGE_ICON, kLogoPixels, kLogoPixels, LR_DEFAULTCOLOR)));
        if (logo_)
            SendDlgItemMessageW(hwnd, IdPicture1, STM_SETICON,
                                reinterpret_cast<WPARAM>(logo_.get()), 0);
    }

    FrmAbout form_;
    win32::UniqueFont linkFont_;
    win32::UniqueIcon logo_;
};

} // namespace

void ShellExecuteLinks::execute(const ShellRequest& request) {
    const std::wstring verb = ui::toWide(request.verb);
    const std::wstring directory = ui::toWide(request.directory);
    ShellExecuteW(request.ownedByWindow ? GetActiveWindow() : nullptr,
                  verb.empty() ? nullptr : verb.c_str(), ui::toWide(request.file).c_str(), nullptr,
                  directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL);
}

void showFrmAbout(HWND owner, LinkShell& shell, const store::FilePath& programFolder) {
    if (FrmAboutDialog::open) {
        SetForegroundWindow(FrmAboutDialog::open);
        return;
    }
    // Dialog units; no caption and no close box: Ok and Esc close it.
    ui::DialogTemplate t(L"", 220, 116, WS_POPUP | WS_BORDER | DS_MODALFRAME | DS_CENTER);
    t.add(L"STATIC", L"", IdPicture1, 12, 14, 36, 36, SS_ICON | SS_CENTERIMAGE);
    t.add(L"BUTTON", L"Address", IdFrame1, 58, 8, 152, 50, BS_GROUPBOX);
    const DWORD text = SS_LEFT | SS_NOPREFIX;
    t.add(L"STATIC", L"", IdLabel1, 66, 20, 138, 9, text);
    t.add(L"STATIC", L"", IdLabel2, 66, 31, 138, 9, text);
    t.add(L"STATIC", L"", IdLabel6, 66, 42, 138, 9, text);
    t.add(L"STATIC", L"", IdLabel3, 58, 66, 152, 9, text | SS_NOTIFY);
    t.add(L"STATIC", L"", IdLabel4, 58, 78, 152, 9, text | SS_NOTIFY);
    t.add(L"BUTTON", L"&Ok", IdCommand1, 85, 95, 50, 14, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON);
    FrmAboutDialog dialog(shell, programFolder);
    ui::showModalDialog(owner, t, dialog);
}

} // namespace davrin::about
