// SysTrayTest as a COM property page: its dialog implements the view and wires its messages.
#include "traycontrol/pages/property_page_win32.h"

#include "common/win32/guarded.h"
#include "traycontrol/control/module/norvane_module_win32.h"
#include "traycontrol/pages/icon_animation_page.h"
#include "traycontrol/pages/page_services_win32.h"
#include "traycontrol/pages/page_text_win32.h"
#include "traycontrol/pages/picture_drawing_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <optional>

namespace norvane::pages {

namespace {
using C = SysTrayTestControl;

constexpr UINT_PTR kPreviewTimer = 1;
constexpr int kZoom = 3;

constexpr WORD idOf(C c) {
    return static_cast<WORD>(2000 + static_cast<int>(c));
}

win32::DialogTemplate layout() {
    win32::DialogTemplate t = pageTemplate(290, 160);
    const auto add = [&](const wchar_t* cls, C c, short x, short y, short cx, short cy,
                         DWORD style) {
        t.add(cls, wide(controlText(c).caption), idOf(c), x, y, cx, cy, style);
    };
    constexpr DWORD option = BS_AUTORADIOBUTTON;
    constexpr DWORD box = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
    constexpr DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    constexpr DWORD image = SS_OWNERDRAW | SS_NOTIFY;
    add(L"BUTTON", C::fraOperationMode, 7, 7, 160, 62, BS_GROUPBOX);
    add(L"BUTTON", C::chkNoFlashOption, 15, 20, 50, 10, option | WS_GROUP | WS_TABSTOP);
    add(L"BUTTON", C::chkFlashOption, 15, 35, 45, 10, option);
    add(L"BUTTON", C::chkAnimationOption, 15, 50, 45, 10, option);
    add(L"STATIC", C::lblFlashCycleTime, 64, 36, 58, 8, SS_LEFT | WS_GROUP);
    add(L"EDIT", C::datFlashCycleTime, 122, 34, 38, 12, box);
    add(L"STATIC", C::lblAnimationCycleTime, 64, 51, 58, 8, SS_LEFT);
    add(L"EDIT", C::datAnimationCycleTime, 122, 49, 38, 12, box);
    add(L"STATIC", C::lblCount, 15, 78, 58, 8, SS_LEFT);
    add(L"EDIT", C::datCount, 122, 76, 38, 12, box | ES_NUMBER);
    add(L"BUTTON", C::cmdSelectIcon, 7, 96, 160, 14, button);
    add(L"BUTTON", C::cmdSelectAni, 7, 114, 112, 14, button);
    add(L"BUTTON", C::cmdPlayPreview, 123, 114, 44, 14, button);
    add(L"STATIC", C::lblIconIndex, 7, 137, 40, 8, SS_LEFT);
    add(L"EDIT", C::datIconIndexNumber, 50, 135, 22, 12, ES_READONLY | ES_CENTER | WS_BORDER);
    add(L"SCROLLBAR", C::Hscroll1, 78, 136, 89, 10, SBS_HORZ | WS_TABSTOP);
    add(L"BUTTON", C::fraIconPreview, 174, 7, 109, 146, BS_GROUPBOX);
    add(L"STATIC", C::PreviewImage, 189, 20, 80, 74, image);
    add(L"STATIC", C::lblZoom, 189, 97, 80, 8, SS_CENTER);
    add(L"STATIC", C::PreviewImage2, 189, 115, 32, 30, image);
    add(L"STATIC", C::Picture1, 237, 115, 32, 30, image);
    return t;
}

std::string folderOf(const std::wstring& path) {
    return utf8(path.substr(0, path.find_last_of(L"\\/")));
}

class SysTrayTestDialog final : public PageOf<SysTrayTest>, private SysTrayTestView {
public:
    SysTrayTestDialog() : PageOf(L"SysTrayTest", layout()) {}

private:
    // SysTrayTestView
    std::string text(C box) const override { return utf8(windowText(item(box))); }
    void setText(C control, const std::string& text) override {
        const Quiet quiet(*this);
        SetWindowTextW(item(control), wide(text).c_str());
    }
    void checkOption(C option) override {
        CheckRadioButton(window(), idOf(C::chkNoFlashOption), idOf(C::chkAnimationOption),
                         idOf(option));
    }
    void setEnabled(C control, bool enabled) override { EnableWindow(item(control), enabled); }
    void setVisible(C control, bool visible) override {
        ShowWindow(item(control), visible ? SW_SHOWNA : SW_HIDE);
    }
    void setPicture(C image, const PictureRef& picture) override {
        pictures_[image] = picture;
        InvalidateRect(item(image), nullptr, FALSE);
    }
    void setScrollBar(int value, int maximum) override {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE, 1, maximum, 1, value, 0};
        SetScrollInfo(item(C::Hscroll1), SB_CTL, &info, TRUE);
    }
    void setPreviewInterval(std::uint32_t milliseconds) override {
        interval_ = milliseconds;
        restartTimer();
    }
    void setPreviewRunning(bool running) override {
        running_ = running;
        restartTimer();
    }
    void moveToNextField() override { PostMessageW(window(), WM_NEXTDLGCTL, 0, FALSE); }

    void restartTimer() {
        KillTimer(window(), kPreviewTimer);
        if (running_ && interval_ > 0)
            SetTimer(window(), kPreviewTimer, interval_, nullptr);
    }
    HWND item(C c) const { return GetDlgItem(window(), idOf(c)); }

    void created() override {
        dialog_.emplace(window());
        page_.emplace(static_cast<SysTrayTestView&>(*this), static_cast<PageSite&>(*this),
                      SysTrayTestServices{numbers_, *this, *dialog_, files_},
                      folderOf(module::path()));
        for (const auto& c : kSysTrayTestControls)
            addTip(idOf(c.id), c.tip);
        for (C box : {C::datFlashCycleTime, C::datAnimationCycleTime})
            SetWindowSubclass(item(box), cycleKeys, idOf(box), reinterpret_cast<DWORD_PTR>(this));
        setScrollBar(1, kMaxFrames);
        page_->PropertyPage_Initialize();
    }
    void destroying() override {
        if (page_)
            page_->PropertyPage_Terminate();
        for (C box : {C::datFlashCycleTime, C::datAnimationCycleTime})
            RemoveWindowSubclass(item(box), cycleKeys, idOf(box));
        page_.reset();
        pictures_.clear();
    }
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
        if (!page_)
            return false;
        switch (msg) {
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const auto id = static_cast<C>(item->CtlID - 2000);
            const auto picture = pictures_.find(id);
            drawPicture(item->hDC, item->rcItem,
                        picture == pictures_.end() ? nullptr : pictureOf(picture->second),
                        id == C::PreviewImage ? kZoom : 1);
            result = TRUE;
            return true;
        }
        case WM_TIMER:
            if (wParam != kPreviewTimer)
                return false;
            page_->Timer1_Timer();
            return true;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) != item(C::Hscroll1))
                return false;
            scrolled(LOWORD(wParam));
            return true;
        case WM_COMMAND:
            return !quiet_ && command(static_cast<C>(LOWORD(wParam) - 2000), HIWORD(wParam));
        default:
            return false;
        }
    }

    bool command(C id, WORD code) {
        if (code == EN_CHANGE) {
            if (id == C::datFlashCycleTime)
                page_->datFlashCycleTime_Change();
            else if (id == C::datAnimationCycleTime)
                page_->datAnimationCycleTime_Change();
            else if (id == C::datCount)
                page_->datCount_Change();
            return true;
        }
        if (code == STN_CLICKED && id == C::PreviewImage)
            page_->PreviewImage_Click();
        else if (code == STN_CLICKED && id == C::Picture1)
            page_->Picture1_Click();
        else if (code != BN_CLICKED)
            return false;
        else if (id == C::chkNoFlashOption)
            page_->chkNoFlashOption_Click();
        else if (id == C::chkFlashOption)
            page_->chkFlashOption_Click();
        else if (id == C::chkAnimationOption)
            page_->chkAnimationOption_Click();
        else if (id == C::cmdSelectIcon)
            page_->cmdSelectIcon_Click();
        else if (id == C::cmdSelectAni)
            page_->cmdSelectAni_Click();
        else if (id == C::cmdPlayPreview)
            page_->cmdPlayPreview_Click();
        else
            return false;
        return true;
    }

    void scrolled(WORD code) {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(item(C::Hscroll1), SB_CTL, &info);
        int position = info.nPos;
        if (code == SB_LINELEFT || code == SB_PAGELEFT)
            --position;
        else if (code == SB_LINERIGHT || code == SB_PAGERIGHT)
            ++position;
        else if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION)
            position = info.nTrackPos;
        else
            return;
        position = std::clamp(position, info.nMin, info.nMax);
        SetScrollPos(item(C::Hscroll1), SB_CTL, position, TRUE);
        page_->Hscroll1_Change(position);
    }

    // The cycle boxes see each key first: the numeric pad's decimal key, and Enter, which a
    // dialog would otherwise give to its default button.
    static LRESULT CALLBACK cycleKeys(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self) {
        auto& dialog = *reinterpret_cast<SysTrayTestDialog*>(self);
        auto& page = *dialog.page_;
        const bool flash = id == idOf(C::datFlashCycleTime);
        if (msg == WM_GETDLGCODE && wParam == VK_RETURN)
            return DLGC_WANTALLKEYS | DefSubclassProc(box, msg, wParam, lParam);
        if (msg == WM_KEYDOWN) {
            const int key = static_cast<int>(wParam);
            win32::guarded([&] {
                flash ? page.datFlashCycleTime_KeyDown(key)
                      : page.datAnimationCycleTime_KeyDown(key);
            });
        } else if (msg == WM_CHAR) {
            char32_t typed = 0;
            const auto key = static_cast<char32_t>(wParam);
            win32::guarded([&] {
                typed = flash ? page.datFlashCycleTime_KeyPress(key)
                              : page.datAnimationCycleTime_KeyPress(key);
            });
            if (typed == 0)
                return 0;
            wParam = typed;
        }
        return DefSubclassProc(box, msg, wParam, lParam);
    }

    UserLocaleNumbers numbers_;
    OlePictureFiles files_;
    std::optional<CommonOpenFileDialog> dialog_;
    std::map<C, PictureRef> pictures_;
    std::uint32_t interval_ = 0;
    bool running_ = false;
};
} // namespace

HRESULT createSysTrayTest(REFIID riid, void** out) {
    win32::ComPtr<SysTrayTestDialog> page;
    page.Attach(new SysTrayTestDialog);
    return page->QueryInterface(riid, out);
}

} // namespace norvane::pages
