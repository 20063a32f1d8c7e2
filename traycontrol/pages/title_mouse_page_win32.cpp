// SysTrayText as a COM property page: its dialog implements the view and wires its messages.
#include "traycontrol/pages/property_page_win32.h"

#include "common/win32/handles.h"

#include "traycontrol/control/icons/icon_ids.h"
#include "traycontrol/control/module/norvane_module_win32.h"
#include "traycontrol/pages/page_text_win32.h"
#include "traycontrol/pages/title_mouse_page.h"

#include <optional>

namespace norvane::pages {

namespace {
using C = SysTrayTextControl;

// The blue links are shown in everywhere; some themes make the hot-light colour pale.
constexpr COLORREF kLinkColor = RGB(0, 0, 204);

constexpr WORD idOf(C c) {
    return static_cast<WORD>(1000 + static_cast<int>(c));
}

win32::DialogTemplate layout() {
    win32::DialogTemplate t =
        pageTemplate(290, 160); // as wide as SysTrayTest, so both fill the frame
    const auto add = [&](const wchar_t* cls, C c, short x, short y, short cx, short cy,
                         DWORD style) {
        t.add(cls, wide(controlText(c).caption), idOf(c), x, y, cx, cy, style);
    };
    add(L"BUTTON", C::fraAppearance, 7, 7, 276, 56, BS_GROUPBOX);
    add(L"BUTTON", C::chkswTrayText, 15, 20, 120, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
    add(L"STATIC", C::lblTrayTitle, 15, 40, 40, 8, SS_LEFT);
    t.add(L"EDIT", L"", idOf(C::txtTrayTitle), 58, 38, 217, 13,
          ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
    add(L"BUTTON", C::fraOtherOptions, 7, 68, 276, 30, BS_GROUPBOX);
    add(L"BUTTON", C::chkswTrayMouse, 15, 81, 120, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
    add(L"BUTTON", C::fraMaker, 7, 103, 276, 40, BS_GROUPBOX);
    add(L"STATIC", C::imgMakerLogo, 15, 114, 20, 20, SS_ICON | SS_CENTERIMAGE);
    add(L"STATIC", C::lblMakerName, 42, 114, 230, 8, SS_LEFT);
    add(L"STATIC", C::Label1, 42, 127, 230, 9, SS_LEFT | SS_NOTIFY);
    return t;
}

class SysTrayTextDialog final : public PageOf<SysTrayText>, private SysTrayTextView {
public:
    SysTrayTextDialog() : PageOf(L"SysTrayText", layout()) {}

private:
    // SysTrayTextView
    std::string text(C box) const override {
        return utf8(windowText(GetDlgItem(window(), idOf(box))));
    }
    void setText(C box, const std::string& text) override {
        const Quiet quiet(*this);
        SetDlgItemTextW(window(), idOf(box), wide(text).c_str());
    }
    bool checked(C box) const override {
        return IsDlgButtonChecked(window(), idOf(box)) == BST_CHECKED;
    }
    void setChecked(C box, bool on) override {
        CheckDlgButton(window(), idOf(box), on ? BST_CHECKED : BST_UNCHECKED);
    }

    void created() override {
        page_.emplace(static_cast<SysTrayTextView&>(*this), static_cast<PageSite&>(*this),
                      static_cast<PageMessageBoxes&>(*this));
        for (const auto& c : kSysTrayTextControls)
            addTip(idOf(c.id), c.tip);
        logo_.reset(static_cast<HICON>(LoadImageW(module::instance(), MAKEINTRESOURCEW(IDI_STATIC),
                                                  IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
        SendDlgItemMessageW(window(), idOf(C::imgMakerLogo), STM_SETICON,
                            reinterpret_cast<WPARAM>(logo_.get()), 0);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window(), WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        font.lfUnderline = TRUE;
        link_.reset(CreateFontIndirectW(&font));
        SendDlgItemMessageW(window(), idOf(C::Label1), WM_SETFONT,
                            reinterpret_cast<WPARAM>(link_.get()), FALSE);
        font.lfUnderline = FALSE;
        font.lfWeight = FW_BOLD;
        bold_.reset(CreateFontIndirectW(&font));
        SendDlgItemMessageW(window(), idOf(C::lblMakerName), WM_SETFONT,
                            reinterpret_cast<WPARAM>(bold_.get()), FALSE);
    }
    void destroying() override {
        page_.reset();
        logo_.reset();
    }
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
        if (msg == WM_CTLCOLORSTATIC &&
            reinterpret_cast<HWND>(lParam) == GetDlgItem(window(), idOf(C::Label1))) {
            // The address reads as a link, on the page's own background.
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kLinkColor);
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
            return true;
        }
        if (msg == WM_SETCURSOR &&
            reinterpret_cast<HWND>(wParam) == GetDlgItem(window(), idOf(C::Label1))) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        }
        if (msg != WM_COMMAND || !page_ || quiet_)
            return false;
        const auto id = static_cast<C>(LOWORD(wParam) - 1000);
        const WORD code = HIWORD(wParam);
        if (id == C::chkswTrayText && code == BN_CLICKED)
            page_->chkswTrayText_Click();
        else if (id == C::chkswTrayMouse && code == BN_CLICKED)
            page_->chkswTrayMouse_Click();
        else if (id == C::txtTrayTitle && code == EN_CHANGE)
            page_->txtTrayTitle_Change();
        else if (id == C::Label1 && code == STN_CLICKED && control())
            page_->Label1_Click(*control());
        else
            return false;
        return true;
    }

    win32::UniqueIcon logo_;
    win32::UniqueFont link_, bold_;
};
} // namespace

HRESULT createSysTrayText(REFIID riid, void** out) {
    win32::ComPtr<SysTrayTextDialog> page;
    page.Attach(new SysTrayTextDialog);
    return page->QueryInterface(riid, out);
}

} // namespace norvane::pages
