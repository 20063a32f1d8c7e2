// What both property pages share as COM objects: the frame's calls, the page window, its site.
#pragma once

#include "common/win32/com_object.h"
#include "common/win32/dialog_template.h"
#include "common/win32/handles.h"
#include "traycontrol/pages/dispatch_control_win32.h"
#include "traycontrol/pages/page_changes.h"
#include "traycontrol/pages/page_message_boxes.h"

#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <optional>
#include <string>

namespace norvane::pages {

// A page derives from this, builds its template and turns its window's messages into handler
// calls; the frame's protocol (site, objects, activation, Apply, dirty state) lives here.
class PropertyPage : public win32::ComObject<IPropertyPage>,
                     protected PageSite,
                     protected PageMessageBoxes {
public:
    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT cmdShow) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG* message) override;

protected:
    PropertyPage(std::wstring title, win32::DialogTemplate layout);
    ~PropertyPage() override;

    HWND window() const { return window_; }
    // The first selected control, or null when the frame has given none.
    SelectedControl* control() { return control_.get(); }

    // The page window exists: build the page class on it and show the selection.
    virtual void created() = 0;
    virtual void destroying() = 0;
    virtual void selectionChanged(SelectedControl& control) = 0;
    virtual bool applyChanges(SelectedControl& control) = 0;
    virtual bool changed() const = 0;
    // A message of the page window; true when handled (the answer then goes in `result`).
    virtual bool message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) = 0;

    // PageMessageBoxes: modal to the frame, with the library's title.
    MessageAnswer show(const std::string& text, MessageButtons buttons, MessageIcon icon) override;
    // Tips for the page's controls, shown when the mouse rests on them.
    void addTip(WORD id, std::string_view tip);

private:
    void* interfaceFor(REFIID riid) override;
    void pageChanged() override;
    static INT_PTR CALLBACK dialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK frameNotices(HWND holder, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    HWND sheet() const;

    std::wstring title_;
    win32::DialogTemplate layout_;
    win32::ComPtr<IPropertyPageSite> site_;
    std::unique_ptr<DispatchControl> control_;
    HWND window_ = nullptr;
    HWND holder_ = nullptr; // the frame's window the page sits in
    HWND tips_ = nullptr;
};

// A page whose logic is the portable class `Page`: holds it while the window exists and hands it
// the frame's selection and Apply.
template <class Page> class PageOf : public PropertyPage {
protected:
    using PropertyPage::PropertyPage;

    // Values the page window puts up itself raise no handler while a Quiet lives.
    struct Quiet {
        explicit Quiet(PageOf& p) : page(p), was(p.quiet_) { p.quiet_ = true; }
        ~Quiet() { page.quiet_ = was; }
        PageOf& page;
        bool was;
    };

    void selectionChanged(SelectedControl& control) override {
        const Quiet quiet(*this);
        page_->PropertyPage_SelectionChanged(control);
    }
    bool applyChanges(SelectedControl& control) override {
        return page_->PropertyPage_ApplyChanges(control);
    }
    bool changed() const override { return page_ && page_->changed(); }

    std::optional<Page> page_;
    bool quiet_ = false;
};

// A page's template: a child window with no caption or border, `cx` by `cy` dialog units.
win32::DialogTemplate pageTemplate(short cx, short cy);

// The page objects the class factory makes.
HRESULT createSysTrayText(REFIID riid, void** out);
HRESULT createSysTrayTest(REFIID riid, void** out);

} // namespace norvane::pages
