// The delete-occurrence question as a real dialog: three buttons and a prompt.
#include "reminder/editing/editing_dialogs_win32.h"
#include "reminder/editing/editor_ids_win32.h"

#include "reminder/editing/frm_msgbox.h"
#include "reminder/ui/dialog_host_win32.h"
#include "reminder/ui/text_win32.h"

namespace davrin::editing {
namespace {

using namespace editor_ids;

enum : WORD {
    IdPrompt = 100,
    IdCommand1 = IdFrmMsgboxCommand1,
    IdCommand2 = IdFrmMsgboxCommand2,
    IdCommand3 = IdFrmMsgboxCommand3
};

class FrmMsgboxDialog final : public FrmMsgboxView {
public:
    HWND hwnd = nullptr;

    void setCaption(const std::string& text) override { ui::setWindowText(hwnd, text); }
    void setPrompt(const std::string& text) override { ui::setControlText(hwnd, IdPrompt, text); }
    void setButtonTexts(const std::string& one, const std::string& all,
                        const std::string& none) override {
        ui::setControlText(hwnd, IdCommand1, one);
        ui::setControlText(hwnd, IdCommand2, all);
        ui::setControlText(hwnd, IdCommand3, none);
    }
    void close() override { EndDialog(hwnd, IDOK); }
    const std::optional<DeleteAnswer>& answer() const { return form_.answer(); }

    INT_PTR handle(UINT msg, WPARAM wp, LPARAM) {
        if (msg == WM_INITDIALOG) {
            form_.Form_Load();
            return TRUE;
        }
        if (msg != WM_COMMAND)
            return FALSE;
        switch (LOWORD(wp)) {
        case IdCommand1:
            form_.Command1_Click();
            return TRUE;
        case IdCommand2:
            form_.Command2_Click();
            return TRUE;
        case IdCommand3:
            form_.Command3_Click();
            return TRUE;
        case IDCANCEL:
            EndDialog(hwnd, IDCANCEL);
            return TRUE; // Esc: no answer
        default:
            return FALSE;
        }
    }

private:
    FrmMsgbox form_{*this};
};

} // namespace

std::optional<DeleteAnswer> showFrmMsgbox(HWND owner) {
    ui::DialogTemplate t(L"", 190, 54, ui::kModalDialogStyle);
    t.add(L"STATIC", L"", IdPrompt, 10, 10, 170, 10, SS_CENTER);
    const DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
    t.add(L"BUTTON", L"", IdCommand1, 10, 30, 52, 14, button | BS_DEFPUSHBUTTON | WS_GROUP);
    t.add(L"BUTTON", L"", IdCommand2, 69, 30, 52, 14, button);
    t.add(L"BUTTON", L"", IdCommand3, 128, 30, 52, 14, button);
    FrmMsgboxDialog dialog;
    ui::showModalDialog(owner, t, dialog);
    return dialog.answer();
}

} // namespace davrin::editing
