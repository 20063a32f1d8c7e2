// ctlSysTray as an in-process COM control: the object that translates between COM and SysTray.
#pragma once

#include "common/win32/com_object.h"
#include "common/win32/guarded.h"
#include "common/win32/handles.h"
#include "traycontrol/control/com/connection_point_win32.h"
#include "traycontrol/control/com/norvane_h.h"
#include "traycontrol/control/com/tray_window_win32.h"
#include "traycontrol/control/logic/sys_tray.h"

#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <new>

namespace norvane::com {

using logic::MouseArgs;
using logic::SysTray;
using logic::TimerIntervalError;
using logic::TraySite;
using win32::Bstr;
using win32::ComPtr;
using win32::Variant;

class SysTrayControl final
    : public win32::ComObject<_ctlSysTray, IConnectionPointContainer, IPersistStreamInit,
                              IPersistPropertyBag, IOleObject, IOleControl, IViewObject2,
                              IProvideClassInfo2, ISpecifyPropertyPages, ISupportErrorInfo>,
      private TraySite,
      private TrayWindow::Handler {
public:
    SysTrayControl();
    HRESULT init();

    // IDispatch, served from the type library
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    // _ctlSysTray
    STDMETHODIMP PlaceIcon(VARIANT_BOOL* result) override;
    STDMETHODIMP RestoreIcon(VARIANT_BOOL* result) override;
    STDMETHODIMP EliminateIcon(VARIANT_BOOL* result) override;
    STDMETHODIMP RefreshIcon(IPictureDisp** IconImage, BSTR* New_ToolTip,
                             VARIANT_BOOL* result) override;
    STDMETHODIMP get_TrayTitle(BSTR* value) override;
    STDMETHODIMP put_TrayTitle(BSTR value) override;
    STDMETHODIMP get_swTrayMouse(VARIANT_BOOL* value) override;
    STDMETHODIMP put_swTrayMouse(VARIANT_BOOL value) override;
    STDMETHODIMP get_swTrayText(VARIANT_BOOL* value) override;
    STDMETHODIMP put_swTrayText(VARIANT_BOOL value) override;
    STDMETHODIMP get_Image(IPictureDisp** value) override;
    STDMETHODIMP putref_Image(IPictureDisp* value) override;
    STDMETHODIMP get_FlashCycle(double* value) override;
    STDMETHODIMP put_FlashCycle(double value) override;
    STDMETHODIMP get_AnimCycle(double* value) override;
    STDMETHODIMP put_AnimCycle(double value) override;
    STDMETHODIMP get_FrameCount(short* value) override;
    STDMETHODIMP put_FrameCount(short value) override;
#define NORVANE_PIC(nn, n)                                                                         \
    STDMETHODIMP get_Pic##nn(IPictureDisp** value) override {                                      \
        return getPic(n, value);                                                                   \
    }                                                                                              \
    STDMETHODIMP putref_Pic##nn(IPictureDisp* value) override {                                    \
        return setPic(n, value);                                                                   \
    }
    NORVANE_PIC(01, 1)
    NORVANE_PIC(02, 2)
    NORVANE_PIC(03, 3)
    NORVANE_PIC(04, 4)
    NORVANE_PIC(05, 5)
    NORVANE_PIC(06, 6)
    NORVANE_PIC(07, 7)
    NORVANE_PIC(08, 8)
    NORVANE_PIC(09, 9)
    NORVANE_PIC(10, 10)
#undef NORVANE_PIC
    STDMETHODIMP get_TrayMode(short* value) override;
    STDMETHODIMP put_TrayMode(short value) override;
    STDMETHODIMP get_GoWeb(VARIANT_BOOL* value) override;
    STDMETHODIMP put_GoWeb(VARIANT_BOOL value) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** out) override;

    // IPersist, IPersistStreamInit, IPersistPropertyBag
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override {
        return S_OK;
    }
    STDMETHODIMP Close(DWORD) override {
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override {
        return OLE_S_USEREG;
    }
    STDMETHODIMP Update() override {
        return S_OK;
    }
    STDMETHODIMP IsUpToDate() override {
        return S_OK;
    }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override {
        return GetClassID(clsid);
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override {
        return OLE_S_USEREG;
    }
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** out) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override {
        return E_NOTIMPL;
    }

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP OnAmbientPropertyChange(DISPID) override {
        return S_OK;
    }
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

    // IViewObject2
    STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                      HDC targetDc, HDC drawDc, LPCRECTL bounds, LPCRECTL metafileBounds,
                      BOOL(STDMETHODCALLTYPE* proceed)(ULONG_PTR), ULONG_PTR proceedArg) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override {
        return S_FALSE;
    }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Unfreeze(DWORD) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** out) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

private:
    ~SysTrayControl() override;
    void* interfaceFor(REFIID riid) override;

    HRESULT getPic(int n, IPictureDisp** value);
    HRESULT setPic(int n, IPictureDisp* value);

    // TraySite
    std::uint32_t windowHandle() const override;
    void propertyChanged(std::int32_t dispid) override;
    void raiseEvent(std::int32_t eventId, MouseArgs& args) override;
    void repaint() override;
    bool pumpMessage() override;
    double twipsPerPixelX() const override {
        return twipsPerPixel_;
    }
    void visitWebSite() override;

    // TrayWindow::Handler
    void onTick() override;
    void onTrayMouse(WPARAM wParam, LPARAM lParam) override;
    void onTaskbarCreated() override;

    double twipsPerPixel_ = 15;
    std::unique_ptr<TrayWindow> window_;
    std::unique_ptr<SysTray> tray_;
    ComPtr<ITypeInfo> vtableInfo_;
    ComPtr<ITypeInfo> dispatchInfo_;
    ConnectionPoint events_;
    ConnectionPoint propertyNotify_;
    ComPtr<IOleClientSite> clientSite_;
    ComPtr<IOleAdviseHolder> oleAdvise_;
    ComPtr<IAdviseSink> viewSink_;
    DWORD viewAspects_ = 0;
    DWORD viewFlags_ = 0;
    bool dirty_ = false;
    long freezeCount_ = 0;
};

// Creates a ctlSysTray object and answers its interface `riid`.
HRESULT createSysTrayControl(REFIID riid, void** out);

// Carries out a late-bound call on `target`'s members by number; no argument a host passes can
// crash it. Wine's standard dispatcher faults on missing DISPPARAMS and mishandles left-out
// optional arguments, so the control does not use it.
HRESULT invokeMember(_ctlSysTray& target, DISPID id, WORD flags, DISPPARAMS* params,
                     VARIANT* result, EXCEPINFO* exception, UINT* argError);

// Sets the thread's error information for automation clients and answers `code`.
HRESULT raiseError(HRESULT code, const wchar_t* description);

// Runs `f` behind the barrier, answering a refused property value as automation clients expect.
template <typename F> HRESULT guardedCall(F&& f) {
    return win32::guarded(
        [&] {
            try {
                f();
                return S_OK;
            } catch (const TimerIntervalError&) {
                return raiseError(CTL_E_INVALIDPROPERTYVALUE, L"Invalid property value");
            }
        },
        E_UNEXPECTED);
}

} // namespace norvane::com
