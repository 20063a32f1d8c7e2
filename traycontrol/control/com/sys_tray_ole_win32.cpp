// What a container needs to site ctlSysTray: OLE object, control, view, class info, pages.
#include "traycontrol/control/com/sys_tray_control_win32.h"

#include "common/win32/guarded.h"

#include "traycontrol/control/com/pictures_win32.h"
#include "traycontrol/control/module/norvane_module_win32.h"

namespace norvane::com {

namespace {
// The control always shows itself as 32 x 32 pixels; HIMETRIC at the screen's resolution.
SIZEL controlExtent() {
    const win32::WindowDc screen;
    const int dpiX = GetDeviceCaps(screen.get(), LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return {MulDiv(32, 2540, dpiX > 0 ? dpiX : 96), MulDiv(32, 2540, dpiY > 0 ? dpiY : 96)};
}

constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_SETCLIENTSITEFIRST;
} // namespace

STDMETHODIMP SysTrayControl::EnumConnectionPoints(IEnumConnectionPoints** out) {
    // Hosts that find the event interface by walking the points need this; it may not be left
    // unimplemented.
    return win32::guarded([&] {
        return enumerateConnectionPoints({&events_, &propertyNotify_}, out);
    });
}

STDMETHODIMP SysTrayControl::FindConnectionPoint(REFIID riid, IConnectionPoint** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    ConnectionPoint* point = riid == events_.iid()           ? &events_
                             : riid == propertyNotify_.iid() ? &propertyNotify_
                                                             : nullptr;
    if (!point)
        return CONNECT_E_NOCONNECTION;
    point->AddRef();
    *out = point;
    return S_OK;
}

STDMETHODIMP SysTrayControl::SetClientSite(IOleClientSite* site) {
    clientSite_ = site;
    return S_OK;
}

STDMETHODIMP SysTrayControl::GetClientSite(IOleClientSite** site) {
    if (!site)
        return E_POINTER;
    return clientSite_.CopyTo(site);
}

STDMETHODIMP SysTrayControl::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
    // The control draws through IViewObject and has no window of its own on the form, so
    // showing and activating need nothing more than the container already does.
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
    case OLEIVERB_HIDE:
        return S_OK;
    default:
        return OLEOBJ_E_INVALIDVERB;
    }
}

STDMETHODIMP SysTrayControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    // The control is always 32 x 32 pixels. Refusing another size makes the container ask
    // GetExtent instead of laying the control out, and painting it, at a size it does not have.
    const SIZEL fixed = controlExtent();
    return size->cx == fixed.cx && size->cy == fixed.cy ? S_OK : E_FAIL;
}

STDMETHODIMP SysTrayControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    *size = controlExtent();
    return S_OK;
}

STDMETHODIMP SysTrayControl::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!oleAdvise_) {
        const HRESULT hr = CreateOleAdviseHolder(&oleAdvise_);
        if (FAILED(hr))
            return hr;
    }
    return oleAdvise_->Advise(sink, cookie);
}

STDMETHODIMP SysTrayControl::Unadvise(DWORD cookie) {
    return oleAdvise_ ? oleAdvise_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP SysTrayControl::EnumAdvise(IEnumSTATDATA** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return oleAdvise_ ? oleAdvise_->EnumAdvise(out) : E_FAIL;
}

STDMETHODIMP SysTrayControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status)
        return E_POINTER;
    *status = kMiscStatus;
    return S_OK;
}

STDMETHODIMP SysTrayControl::GetControlInfo(CONTROLINFO* info) {
    if (!info)
        return E_POINTER;
    info->cb = sizeof *info;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP SysTrayControl::FreezeEvents(BOOL freeze) {
    freezeCount_ += freeze ? 1 : (freezeCount_ > 0 ? -1 : 0);
    return S_OK;
}

STDMETHODIMP SysTrayControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDc,
                                  LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                  ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!drawDc || !bounds)
        return E_INVALIDARG;
    ComPtr<IPictureDisp> image;
    image.Attach(unwrapPicture(tray_->Image()));
    ComPtr<IPicture> picture;
    if (!image || FAILED(image.As(&picture)))
        return S_OK; // no picture: nothing to paint, the background stays clear
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    // The static picture, stretched over the control's whole surface.
    return picture->Render(drawDc, bounds->left, bounds->top, bounds->right - bounds->left,
                           bounds->bottom - bounds->top, 0, height, width, -height, nullptr);
}

STDMETHODIMP SysTrayControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewAspects_ = aspects;
    viewFlags_ = flags;
    viewSink_ = sink;
    return S_OK;
}

STDMETHODIMP SysTrayControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects)
        *aspects = viewAspects_;
    if (flags)
        *flags = viewFlags_;
    if (sink)
        viewSink_.CopyTo(sink);
    return S_OK;
}

STDMETHODIMP SysTrayControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

void SysTrayControl::repaint() {
    if (viewSink_ && (viewAspects_ & DVASPECT_CONTENT))
        viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}

STDMETHODIMP SysTrayControl::GetClassInfo(ITypeInfo** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return module::typeInfo(CLSID_ctlSysTray, out);
}

STDMETHODIMP SysTrayControl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID___ctlSysTray;
    return S_OK;
}

STDMETHODIMP SysTrayControl::GetPages(CAUUID* pages) {
    if (!pages)
        return E_POINTER;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(2 * sizeof(GUID)));
    if (!pages->pElems) {
        pages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    pages->cElems = 2;
    pages->pElems[0] = CLSID_SysTrayText;
    pages->pElems[1] = CLSID_SysTrayTest;
    return S_OK;
}

} // namespace norvane::com
