// Creating, siting, loading and wiring ctlSysTray1, and calling its methods by DISPID.
#include "reminder/shell/tray_host_win32.h"

#include "reminder/shell/tray_site_win32.h"
#include "traycontrol/control/com/norvane_ids.h"

#include <ocidl.h>

#include <cstring>
#include <stdexcept>

namespace davrin::shell {

namespace {

GUID toGuid(const norvane::Guid& g) {
    static_assert(sizeof(GUID) == sizeof(norvane::Guid));
    GUID guid;
    std::memcpy(&guid, &g, sizeof guid);
    return guid;
}

void check(HRESULT hr, const char* step) {
    if (FAILED(hr)) {
        char code[16];
        wsprintfA(code, "%08lX", static_cast<unsigned long>(hr));
        throw std::runtime_error(std::string("The tray icon control could not be ") + step +
                                 " (error 0x" + code + "). Norvane.dll must be beside KELVOR.exe.");
    }
}

} // namespace

TrayControlHost::TrayControlHost(HWND window) : site_(makeTraySite(window)) {
    check(CoCreateInstance(toGuid(norvane::kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                           IID_PPV_ARGS(&object_)),
          "created");
    DWORD misc = 0;
    object_->GetMiscStatus(DVASPECT_CONTENT, &misc);
    const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (siteFirst)
        check(object_->SetClientSite(site_.Get()), "sited");

    win32::ComPtr<IPersistPropertyBag> persist;
    check(object_.As(&persist), "loaded");
    check(persist->Load(makeTrayPropertyBag().Get(), nullptr), "loaded");
    if (!siteFirst)
        check(object_->SetClientSite(site_.Get()), "sited");
    object_->SetHostNames(L"KELVOR", L"Main");
    // Invisible at run time; activation only lets a control that wants its window create it.
    RECT none{};
    object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, window, &none);

    check(object_.As(&dispatch_), "bound");
}

void TrayControlHost::connect(EventHandler onEvent) {
    win32::ComPtr<IConnectionPointContainer> points;
    check(object_.As(&points), "connected");
    const IID eventsIid = toGuid(norvane::kDiidCtlSysTrayEvents);
    check(points->FindConnectionPoint(eventsIid, &events_), "connected");
    sink_ = makeTrayEventSink(eventsIid, std::move(onEvent));
    check(events_->Advise(sink_.Get(), &cookie_), "connected");
}

TrayControlHost::~TrayControlHost() {
    if (events_ && cookie_)
        events_->Unadvise(cookie_);
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
}

bool TrayControlHost::RestoreIcon() {
    return callBoolMethod(norvane::dispid::RestoreIcon);
}

bool TrayControlHost::PlaceIcon() {
    return callBoolMethod(norvane::dispid::PlaceIcon);
}

bool TrayControlHost::callBoolMethod(DISPID dispid) {
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = dispatch_->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                         &none, &result, nullptr, nullptr);
    const bool ok = SUCCEEDED(hr) && result.vt == VT_BOOL && result.boolVal != VARIANT_FALSE;
    VariantClear(&result);
    return ok;
}

} // namespace davrin::shell
