// The COM objects KELVOR hands its tray control: client site, property bag, event sink.
#include "reminder/shell/tray_site_win32.h"

#include "common/win32/com_object.h"
#include "reminder/ui/guarded_win32.h"

#include <ocidl.h>

#include <string_view>

namespace davrin::shell {

namespace {

using win32::ComPtr;

// A dispatch interface that is only ever called by number: no type information, no names. Like
// every COM interface it is released, never deleted through, so its destructor stays non-virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class LateBoundDispatch : public IDispatch {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
};
#pragma GCC diagnostic pop

class TraySite final
    : public win32::ComObject<IOleClientSite, IOleInPlaceSite, IOleControlSite, LateBoundDispatch> {
public:
    explicit TraySite(HWND window) : window_(window) {}

    // IOleClientSite: the control is never saved into a document.
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow / IOleInPlaceSite: the host window is hidden; there is no frame or document.
    STDMETHODIMP GetWindow(HWND* window) override {
        *window = window_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* info) override {
        *frame = nullptr;
        *document = nullptr;
        SetRectEmpty(position);
        SetRectEmpty(clip);
        if (info) {
            info->fMDIApp = FALSE;
            info->hwndFrame = window_;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** extended) override {
        *extended = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // IDispatch: the ambient properties of a program that is running, not being designed.
    STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                        EXCEPINFO*, UINT*) override {
        if (!(flags & DISPATCH_PROPERTYGET) || !result)
            return DISP_E_MEMBERNOTFOUND;
        VariantInit(result);
        switch (member) {
        case DISPID_AMBIENT_USERMODE:
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_TRUE;
            return S_OK;
        case DISPID_AMBIENT_UIDEAD:
        case DISPID_AMBIENT_SHOWGRABHANDLES:
        case DISPID_AMBIENT_SHOWHATCHING:
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_FALSE;
            return S_OK;
        case DISPID_AMBIENT_DISPLAYNAME:
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(L"ctlSysTray1");
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    void* interfaceFor(REFIID iid) override {
        if (iid == IID_IOleClientSite)
            return static_cast<IOleClientSite*>(this);
        if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            return static_cast<IOleInPlaceSite*>(this);
        if (iid == IID_IOleControlSite)
            return static_cast<IOleControlSite*>(this);
        return iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    }

    HWND window_;
};

class TrayPropertyBag final : public win32::ComObject<IPropertyBag> {
public:
    TrayPropertyBag() = default;

    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        if (!name || !value)
            return E_POINTER;
        const VARTYPE wanted = value->vt;
        VARIANT saved;
        VariantInit(&saved);
        // Names are compared without regard to case, as the control persists them.
        if (_wcsicmp(name, L"TrayTitle") == 0) {
            saved.vt = VT_BSTR;
            saved.bstrVal = SysAllocString(L"Davrin");
        } else if (_wcsicmp(name, L"TrayMode") == 0) {
            saved.vt = VT_I2;
            saved.iVal = 2;
        } else {
            return E_INVALIDARG; // not saved: the control keeps its default
        }
        VariantInit(value);
        const HRESULT hr = wanted == VT_EMPTY ? VariantCopy(value, &saved)
                                              : VariantChangeType(value, &saved, 0, wanted);
        VariantClear(&saved);
        return hr;
    }
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }

private:
    void* interfaceFor(REFIID iid) override {
        return iid == IID_IPropertyBag ? static_cast<IPropertyBag*>(this) : nullptr;
    }
};

class TrayEventSink final : public win32::ComObject<LateBoundDispatch> {
public:
    TrayEventSink(const IID& events, std::function<void(std::int32_t)> onEvent)
        : events_(events), onEvent_(std::move(onEvent)) {}

    STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        // Keep this sink alive even if the handler ends the program's tray control.
        ComPtr<IDispatch> self(this);
        if (!onEvent_)
            return S_OK;
        return ui::guarded(nullptr, E_FAIL, [&] {
            onEvent_(static_cast<std::int32_t>(member));
            return S_OK;
        });
    }

private:
    void* interfaceFor(REFIID iid) override {
        return iid == IID_IDispatch || iid == events_ ? static_cast<IDispatch*>(this) : nullptr;
    }

    IID events_;
    std::function<void(std::int32_t)> onEvent_;
};

} // namespace

ComPtr<IOleClientSite> makeTraySite(HWND window) {
    ComPtr<IOleClientSite> site;
    site.Attach(new TraySite(window));
    return site;
}

ComPtr<IPropertyBag> makeTrayPropertyBag() {
    ComPtr<IPropertyBag> bag;
    bag.Attach(new TrayPropertyBag());
    return bag;
}

ComPtr<IDispatch> makeTrayEventSink(const IID& eventInterface,
                                    std::function<void(std::int32_t)> onEvent) {
    ComPtr<IDispatch> sink;
    sink.Attach(new TrayEventSink(eventInterface, std::move(onEvent)));
    return sink;
}

} // namespace davrin::shell
