// ctlSysTray's COM identity, dispatch and members: each member hands over to SysTray.
#include "traycontrol/control/com/sys_tray_control_win32.h"

#include "traycontrol/control/com/go_web_win32.h"
#include "traycontrol/control/com/pictures_win32.h"
#include "traycontrol/control/module/norvane_module_win32.h"

#include <new>

namespace norvane::com {

namespace {
VARIANT_BOOL toVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

} // namespace

HRESULT raiseError(HRESULT code, const wchar_t* description) {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        create->SetGUID(IID__ctlSysTray);
        create->SetSource(const_cast<LPOLESTR>(L"Norvane.ctlSysTray"));
        create->SetDescription(const_cast<LPOLESTR>(description));
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(&info)))
            SetErrorInfo(0, info.Get());
    }
    return code;
}

namespace {
// Keeps the object alive while a host handler runs inside one of its calls.
class SelfRef {
public:
    explicit SelfRef(IUnknown* self) : self_(self) { self_->AddRef(); }
    SelfRef(const SelfRef&) = delete;
    SelfRef& operator=(const SelfRef&) = delete;
    ~SelfRef() { self_->Release(); }

private:
    IUnknown* self_;
};
} // namespace

HRESULT createSysTrayControl(REFIID riid, void** out) {
    auto* control = new (std::nothrow) SysTrayControl();
    if (!control)
        return E_OUTOFMEMORY;
    HRESULT hr = control->init();
    if (SUCCEEDED(hr))
        hr = control->QueryInterface(riid, out);
    control->Release();
    return hr;
}

SysTrayControl::SysTrayControl()
    : events_(*this, DIID___ctlSysTray), propertyNotify_(*this, IID_IPropertyNotifySink) {
    module::lock();
}

HRESULT SysTrayControl::init() {
    return win32::guarded([this] {
        HRESULT hr = module::typeInfo(IID__ctlSysTray, &dispatchInfo_);
        if (FAILED(hr))
            return hr;
        HREFTYPE vtable = 0;
        hr = dispatchInfo_->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable);
        if (SUCCEEDED(hr))
            hr = dispatchInfo_->GetRefTypeInfo(vtable, &vtableInfo_);
        if (FAILED(hr))
            return hr;
        const win32::WindowDc screen;
        if (const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX); dpi > 0)
            twipsPerPixel_ = 1440.0 / dpi;
        window_ = std::make_unique<TrayWindow>(static_cast<TrayWindow::Handler&>(*this));
        tray_ = std::make_unique<SysTray>(*window_, *window_, static_cast<TraySite&>(*this),
                                          loadBuiltInPictures());
        // A host that neither loads nor initialises the control still gets its default pictures.
        tray_->UserControl_InitProperties();
        return S_OK;
    });
}

SysTrayControl::~SysTrayControl() {
    if (tray_)
        tray_->UserControl_Terminate();
    tray_.reset();
    window_.reset();
    module::unlock();
}

void* SysTrayControl::interfaceFor(REFIID riid) {
    void* found = nullptr;
    if (riid == IID_IDispatch || riid == IID__ctlSysTray)
        found = static_cast<_ctlSysTray*>(this);
    else if (riid == IID_IConnectionPointContainer)
        found = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_IPersistStreamInit)
        found = static_cast<IPersistStreamInit*>(this);
    else if (riid == IID_IPersist || riid == IID_IPersistPropertyBag)
        found = static_cast<IPersistPropertyBag*>(this);
    else if (riid == IID_IOleObject)
        found = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleControl)
        found = static_cast<IOleControl*>(this);
    else if (riid == IID_IViewObject || riid == IID_IViewObject2)
        found = static_cast<IViewObject2*>(this);
    else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2)
        found = static_cast<IProvideClassInfo2*>(this);
    else if (riid == IID_ISpecifyPropertyPages)
        found = static_cast<ISpecifyPropertyPages*>(this);
    else if (riid == IID_ISupportErrorInfo)
        found = static_cast<ISupportErrorInfo*>(this);
    return found;
}

STDMETHODIMP SysTrayControl::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP SysTrayControl::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return dispatchInfo_.CopyTo(out);
}

STDMETHODIMP SysTrayControl::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                           DISPID* ids) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    return DispGetIDsOfNames(vtableInfo_.Get(), names, count, ids);
}

STDMETHODIMP SysTrayControl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                    VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    SelfRef keep(static_cast<_ctlSysTray*>(this));
    return win32::guarded(
        [&] { return invokeMember(*this, id, flags, params, result, exception, argError); },
        E_UNEXPECTED);
}

STDMETHODIMP SysTrayControl::PlaceIcon(VARIANT_BOOL* result) {
    if (!result)
        return E_POINTER;
    return guardedCall([&] { *result = toVariantBool(tray_->PlaceIcon()); });
}

STDMETHODIMP SysTrayControl::RestoreIcon(VARIANT_BOOL* result) {
    if (!result)
        return E_POINTER;
    return guardedCall([&] { *result = toVariantBool(tray_->RestoreIcon()); });
}

STDMETHODIMP SysTrayControl::EliminateIcon(VARIANT_BOOL* result) {
    if (!result)
        return E_POINTER;
    return guardedCall([&] { *result = toVariantBool(tray_->EliminateIcon()); });
}

STDMETHODIMP SysTrayControl::RefreshIcon(IPictureDisp** IconImage, BSTR* New_ToolTip,
                                         VARIANT_BOOL* result) {
    if (!result)
        return E_POINTER;
    return guardedCall([&] {
        const auto picture = wrapPicture(IconImage ? *IconImage : nullptr);
        const auto tip = New_ToolTip ? win32::textOf(*New_ToolTip) : std::u16string{};
        *result = toVariantBool(tray_->RefreshIcon(picture, tip));
    });
}

STDMETHODIMP SysTrayControl::get_TrayTitle(BSTR* value) {
    if (!value)
        return E_POINTER;
    *value = Bstr(tray_->TrayTitle()).release();
    return *value ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP SysTrayControl::put_TrayTitle(BSTR value) {
    return guardedCall([&] { tray_->setTrayTitle(win32::textOf(value)); });
}

STDMETHODIMP SysTrayControl::get_swTrayMouse(VARIANT_BOOL* value) {
    if (!value)
        return E_POINTER;
    *value = toVariantBool(tray_->swTrayMouse());
    return S_OK;
}

STDMETHODIMP SysTrayControl::put_swTrayMouse(VARIANT_BOOL value) {
    return guardedCall([&] { tray_->setswTrayMouse(value != VARIANT_FALSE); });
}

STDMETHODIMP SysTrayControl::get_swTrayText(VARIANT_BOOL* value) {
    if (!value)
        return E_POINTER;
    *value = toVariantBool(tray_->swTrayText());
    return S_OK;
}

STDMETHODIMP SysTrayControl::put_swTrayText(VARIANT_BOOL value) {
    return guardedCall([&] { tray_->setswTrayText(value != VARIANT_FALSE); });
}

STDMETHODIMP SysTrayControl::get_Image(IPictureDisp** value) {
    if (!value)
        return E_POINTER;
    *value = unwrapPicture(tray_->Image());
    return S_OK;
}

STDMETHODIMP SysTrayControl::putref_Image(IPictureDisp* value) {
    return guardedCall([&] { tray_->setImage(wrapPicture(value)); });
}

STDMETHODIMP SysTrayControl::get_FlashCycle(double* value) {
    if (!value)
        return E_POINTER;
    *value = tray_->FlashCycle();
    return S_OK;
}

STDMETHODIMP SysTrayControl::put_FlashCycle(double value) {
    return guardedCall([&] { tray_->setFlashCycle(value); });
}

STDMETHODIMP SysTrayControl::get_AnimCycle(double* value) {
    if (!value)
        return E_POINTER;
    *value = tray_->AnimCycle();
    return S_OK;
}

STDMETHODIMP SysTrayControl::put_AnimCycle(double value) {
    return guardedCall([&] { tray_->setAnimCycle(value); });
}

STDMETHODIMP SysTrayControl::get_FrameCount(short* value) {
    if (!value)
        return E_POINTER;
    *value = tray_->FrameCount();
    return S_OK;
}

STDMETHODIMP SysTrayControl::put_FrameCount(short value) {
    return guardedCall([&] { tray_->setFrameCount(value); });
}

HRESULT SysTrayControl::getPic(int n, IPictureDisp** value) {
    if (!value)
        return E_POINTER;
    *value = unwrapPicture(tray_->Pic(n));
    return S_OK;
}

HRESULT SysTrayControl::setPic(int n, IPictureDisp* value) {
    return guardedCall([&] { tray_->setPic(n, wrapPicture(value)); });
}

STDMETHODIMP SysTrayControl::get_TrayMode(short* value) {
    if (!value)
        return E_POINTER;
    *value = tray_->TrayMode();
    return S_OK;
}

STDMETHODIMP SysTrayControl::put_TrayMode(short value) {
    return guardedCall([&] { tray_->setTrayMode(value); });
}

STDMETHODIMP SysTrayControl::get_GoWeb(VARIANT_BOOL* value) {
    if (!value)
        return E_POINTER;
    *value = toVariantBool(tray_->GoWeb());
    return S_OK;
}

STDMETHODIMP SysTrayControl::put_GoWeb(VARIANT_BOOL value) {
    return guardedCall([&] { tray_->setGoWeb(value != VARIANT_FALSE); });
}

STDMETHODIMP SysTrayControl::InterfaceSupportsErrorInfo(REFIID riid) {
    return riid == IID__ctlSysTray ? S_OK : S_FALSE;
}

std::uint32_t SysTrayControl::windowHandle() const {
    return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window_->handle()));
}

void SysTrayControl::propertyChanged(std::int32_t dispid) {
    dirty_ = true;
    firePropertyChanged(propertyNotify_, dispid);
}

void SysTrayControl::raiseEvent(std::int32_t eventId, MouseArgs& args) {
    if (freezeCount_ > 0)
        return; // a frozen container does not take events
    fireMouseEvent(events_, eventId, args.Button, args.Shift, args.X, args.y);
}

bool SysTrayControl::pumpMessage() {
    return TrayWindow::pumpOne();
}

void SysTrayControl::visitWebSite() {
    visitMakerWebSite(window_->handle());
}

void SysTrayControl::onTick() {
    SelfRef keep(static_cast<_ctlSysTray*>(this));
    tray_->ctltimer_Timer();
}

void SysTrayControl::onTrayMouse(WPARAM wParam, LPARAM lParam) {
    SelfRef keep(static_cast<_ctlSysTray*>(this));
    // The ordinary mouse-move decoding. The shell's first parameter holds the icon's id, not
    // key flags, so Button and Shift carry no meaning; hosts look at X, which holds the code.
    const auto button = static_cast<std::int16_t>(((wParam & MK_LBUTTON) ? 1 : 0) |
                                                  ((wParam & MK_RBUTTON) ? 2 : 0) |
                                                  ((wParam & MK_MBUTTON) ? 4 : 0));
    const auto shift =
        static_cast<std::int16_t>(((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) |
                                  (GetKeyState(VK_MENU) < 0 ? 4 : 0));
    const auto x = static_cast<float>(LOWORD(lParam) * twipsPerPixel_);
    const auto y = static_cast<float>(HIWORD(lParam) * twipsPerPixel_);
    tray_->UserControl_MouseMove(button, shift, x, y);
}

void SysTrayControl::onTaskbarCreated() {
    tray_->TaskbarCreated();
}

} // namespace norvane::com
