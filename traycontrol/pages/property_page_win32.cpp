// The property-page protocol around a page window: site, selection, activation, Apply, tips.
#include "traycontrol/pages/property_page_win32.h"

#include "common/win32/guarded.h"
#include "traycontrol/control/module/norvane_module_win32.h"
#include "traycontrol/pages/page_text_win32.h"

#include <commctrl.h>
#include <prsht.h>

#include <string_view>

namespace norvane::pages {

namespace {
constexpr int kSheetTabsId = 0x3020; // a property sheet's tab control
}

win32::DialogTemplate pageTemplate(short cx, short cy) {
    return win32::DialogTemplate(L"", cx, cy, DS_CONTROL | WS_CHILD | DS_3DLOOK,
                                 WS_EX_CONTROLPARENT);
}

PropertyPage::PropertyPage(std::wstring title, win32::DialogTemplate layout)
    : title_(std::move(title)), layout_(std::move(layout)) {
    module::lock();
}

PropertyPage::~PropertyPage() {
    if (holder_)
        RemoveWindowSubclass(holder_, frameNotices, 0);
    if (tips_)
        DestroyWindow(tips_);
    if (window_) {
        // The page class is gone already: the window's last messages must not reach it.
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        DestroyWindow(window_);
    }
    module::unlock();
}

void* PropertyPage::interfaceFor(REFIID riid) {
    return riid == IID_IPropertyPage ? static_cast<IPropertyPage*>(this) : nullptr;
}

STDMETHODIMP PropertyPage::SetPageSite(IPropertyPageSite* site) {
    if (site && site_)
        return E_UNEXPECTED;
    site_ = site;
    return S_OK;
}

STDMETHODIMP PropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    if (!rect)
        return E_POINTER;
    if (window_)
        return E_UNEXPECTED;
    return win32::guarded([&] {
        CreateDialogIndirectParamW(module::instance(), layout_.get(), parent, dialogProc,
                                   reinterpret_cast<LPARAM>(this));
        if (!window_)
            return HRESULT_FROM_WIN32(GetLastError());
        tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                0, 0, 0, 0, window_, nullptr, module::instance(), nullptr);
        MoveWindow(window_, rect->left, rect->top, rect->right - rect->left,
                   rect->bottom - rect->top, FALSE);
        holder_ = parent;
        SetWindowSubclass(holder_, frameNotices, 0, reinterpret_cast<DWORD_PTR>(this));
        created();
        if (control_)
            selectionChanged(*control_);
        return S_OK;
    });
}

STDMETHODIMP PropertyPage::Deactivate() {
    return win32::guarded([&] {
        if (holder_)
            RemoveWindowSubclass(holder_, frameNotices, 0);
        if (tips_)
            DestroyWindow(tips_); // owned by the frame, which outlives the page
        if (window_) {
            destroying();
            DestroyWindow(window_);
        }
        window_ = holder_ = tips_ = nullptr;
    });
}

STDMETHODIMP PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info)
        return E_POINTER;
    return win32::guarded([&] {
        const std::size_t bytes = (title_.size() + 1) * sizeof(wchar_t);
        auto* title = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
        if (!title)
            return E_OUTOFMEMORY;
        std::copy(title_.c_str(), title_.c_str() + title_.size() + 1, title);
        info->cb = sizeof *info;
        info->pszTitle = title;
        info->size = win32::dialogPixels(layout_);
        info->pszDocString = nullptr;
        info->pszHelpFile = nullptr;
        info->dwHelpContext = 0;
        return S_OK;
    });
}

STDMETHODIMP PropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    if (count && !objects)
        return E_POINTER;
    return win32::guarded([&] {
        control_.reset();
        // The pages work on the first selected control only.
        win32::ComPtr<IDispatch> first;
        if (count && objects[0] && FAILED(objects[0]->QueryInterface(IID_PPV_ARGS(&first))))
            return E_NOINTERFACE;
        if (first)
            control_ = std::make_unique<DispatchControl>(std::move(first));
        if (control_ && window_)
            selectionChanged(*control_);
        return S_OK;
    });
}

STDMETHODIMP PropertyPage::Show(UINT cmdShow) {
    if (!window_)
        return E_UNEXPECTED;
    ShowWindow(window_, static_cast<int>(cmdShow));
    return S_OK;
}

STDMETHODIMP PropertyPage::Move(LPCRECT rect) {
    if (!rect)
        return E_POINTER;
    if (!window_)
        return E_UNEXPECTED;
    MoveWindow(window_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
               TRUE);
    return S_OK;
}

STDMETHODIMP PropertyPage::IsPageDirty() {
    return window_ && changed() ? S_OK : S_FALSE;
}

STDMETHODIMP PropertyPage::Apply() {
    return win32::guarded([&] {
        if (!window_ || !control_ || !changed())
            return S_OK;
        // A refusal was reported by the page and stays to be applied again.
        return applyChanges(*control_) ? S_OK : E_FAIL;
    });
}

STDMETHODIMP PropertyPage::TranslateAccelerator(MSG* message) {
    if (!message)
        return E_POINTER;
    return window_ && IsDialogMessageW(window_, message) ? S_OK : S_FALSE;
}

void PropertyPage::pageChanged() {
    if (site_)
        site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
    if (const HWND frame = sheet())
        PostMessageW(frame, PSM_CHANGED, reinterpret_cast<WPARAM>(holder_), 0);
}

// A frame built as a property sheet (Wine's is one) that neither enables Apply on the site's
// notice nor applies its pages on OK: the page then tells the sheet and answers PSN_APPLY itself.
// A frame that does both costs nothing more: a page applied once has nothing left to apply.
HWND PropertyPage::sheet() const {
    const HWND frame = holder_ ? GetParent(holder_) : nullptr;
    const HWND tabs = frame ? GetDlgItem(frame, kSheetTabsId) : nullptr;
    wchar_t kind[32] = {};
    return tabs && GetClassNameW(tabs, kind, 32) && std::wstring_view(kind) == WC_TABCONTROLW
               ? frame
               : nullptr;
}

LRESULT CALLBACK PropertyPage::frameNotices(HWND holder, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR self) {
    auto* page = reinterpret_cast<PropertyPage*>(self);
    if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY &&
        page->sheet())
        page->Apply();
    return DefSubclassProc(holder, msg, wParam, lParam);
}

MessageAnswer PropertyPage::show(const std::string& text, MessageButtons buttons,
                                 MessageIcon icon) {
    UINT style = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    style |= icon == MessageIcon::Question      ? MB_ICONQUESTION
             : icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION
                                                : 0;
    const HWND owner = window_ ? GetAncestor(window_, GA_ROOT) : nullptr;
    const int answer = MessageBoxW(owner, wide(text).c_str(), wide(kMessageTitle).c_str(), style);
    return answer == IDYES  ? MessageAnswer::Yes
           : answer == IDNO ? MessageAnswer::No
                            : MessageAnswer::Ok;
}

void PropertyPage::addTip(WORD id, std::string_view tip) {
    if (!tips_ || tip.empty())
        return;
    std::wstring text = wide(tip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window_, id));
    tool.lpszText = text.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

INT_PTR CALLBACK PropertyPage::dialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* page = reinterpret_cast<PropertyPage*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        page->window_ = window;
        return FALSE; // the frame gives the focus
    }
    auto* page = reinterpret_cast<PropertyPage*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!page || page->window_ != window)
        return FALSE;
    INT_PTR result = FALSE;
    bool handled = false;
    win32::guarded([&] { handled = page->message(msg, wParam, lParam, result); });
    if (!handled)
        return FALSE;
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC)
        return result; // the brush itself
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace norvane::pages
