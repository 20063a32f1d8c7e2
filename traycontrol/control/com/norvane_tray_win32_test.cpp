// Wine tests of ctlSysTray as hosts meet it: events and property notifications.
#include "traycontrol/control/com/com_support_win32_test.h"

#include <tuple>

namespace norvane::com {
namespace {

using Events = Registered;

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The control's hidden window: the one of its class that belongs to this thread.
HWND controlWindow() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"NorvaneTrayWindow", nullptr)) &&
           GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
    }
    return window;
}

// Records the events of __ctlSysTray (refusing arguments of other kinds than a host's handler
// takes) and the property changes the control reports. Like many event sinks, it answers IDispatch
// but not the events' own interface.
class RecordingSink final : public IDispatch, public IPropertyNotifySink {
public:
    std::vector<std::tuple<DISPID, float, float>> events; // with X and y
    std::vector<DISPID> changed;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch)
            *out = static_cast<IDispatch*>(this);
        else
            *out =
                riid == IID_IPropertyNotifySink ? static_cast<IPropertyNotifySink*>(this) : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        const VARTYPE kinds[] = {VT_R4, VT_R4, VT_I2, VT_I2}; // y, X, Shift, Button
        for (UINT i = 0; i < 4; ++i)
            if (p->cArgs != 4 || V_VT(&p->rgvarg[i]) != (kinds[i] | VT_BYREF))
                return DISP_E_BADPARAMCOUNT;
        events.emplace_back(id, *V_R4REF(&p->rgvarg[1]), *V_R4REF(&p->rgvarg[0]));
        return S_OK;
    }
    STDMETHODIMP OnChanged(DISPID id) override {
        changed.push_back(id);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }
};

// Placing, animating and removing the icon in the real tray, and the host's handler being
// called, show in KELVOR's own tests; which code raises which event, and which setter reports
// which number, and when the mouse switch silences them, is the logic's and tested natively. Here
// a host walks the connection points, the window's notification reaches the sink in twips, and
// setters by value and by reference reach the property notify sink.
TEST_F(Events, NotificationsAndPropertyChangesReachTheSinksOfEveryConnectionPoint) {
    const auto control = createControl();
    IDispatch* c = control.Get();
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(control.As(&container), S_OK);
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    IConnectionPoint* found[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(3, found, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    RecordingSink sink;
    IID iids[2] = {};
    DWORD cookies[2] = {};
    for (ULONG i = 0; i < fetched; ++i) {
        found[i]->GetConnectionInterface(&iids[i]);
        EXPECT_EQ(found[i]->Advise(static_cast<IDispatch*>(&sink), &cookies[i]), S_OK);
    }
    EXPECT_EQ(iids[0], guid(kDiidCtlSysTrayEvents));
    EXPECT_EQ(iids[1], IID_IPropertyNotifySink);

    const HWND window = controlWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_MOUSEMOVE, 0, WM_RBUTTONUP);
    pumpMessages();
    const win32::WindowDc screen;
    const auto x =
        static_cast<float>(WM_RBUTTONUP * 1440.0 / GetDeviceCaps(screen.get(), LOGPIXELSX));
    EXPECT_EQ(sink.events,
              (std::vector{std::tuple<DISPID, float, float>{eventid::TrMouseRightUp, x, 0.0f}}));
    EXPECT_EQ(put(c, dispid::swTrayMouse, arg(VT_BOOL, 0)), S_OK);
    EXPECT_EQ(put(c, dispid::Pic01, get(c, dispid::Pic05)), S_OK);
    EXPECT_EQ(sink.changed, (std::vector<DISPID>{dispid::swTrayMouse, dispid::Pic01}));
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(control.As(&persist), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    for (ULONG i = 0; i < fetched; ++i) {
        EXPECT_EQ(found[i]->Unadvise(cookies[i]), S_OK);
        found[i]->Release();
    }
}

} // namespace
} // namespace norvane::com
