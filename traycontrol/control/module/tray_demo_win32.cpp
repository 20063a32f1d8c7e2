// A small host for looking at the control: creates it by ProgID, sets a title and the animation,
// places the icon as the reminder program does and keeps it for a while.
#include "common/win32/handles.h"
#include "traycontrol/control/com/norvane_ids.h"

#include <cstdio>
#include <cwchar>

namespace {

// One late-bound call with at most one argument; the answer, or an empty variant on failure.
HRESULT call(IDispatch* control, DISPID id, WORD flags, VARIANT* argument, VARIANT* result) {
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = flags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params{argument, put ? &named : nullptr, argument ? 1u : 0u, put ? 1u : 0u};
    return control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr,
                           nullptr);
}

bool method(IDispatch* control, DISPID id) {
    win32::Variant result;
    return SUCCEEDED(call(control, id, DISPATCH_METHOD, nullptr, &result)) &&
           V_VT(&result) == VT_BOOL && V_BOOL(&result) == VARIANT_TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv);
int wmain(int argc, wchar_t** argv) {
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10)) : 10;
    win32::ComApartment apartment;
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(L"Norvane.ctlSysTray", &clsid))) {
        std::fputs("Norvane.ctlSysTray is not registered (regsvr32 Norvane.dll)\n", stderr);
        return 1;
    }
    win32::ComPtr<IDispatch> control;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control))))
        return 2;
    win32::Variant title, mode;
    V_VT(&title) = VT_BSTR;
    V_BSTR(&title) = SysAllocString(L"Davrin");
    V_VT(&mode) = VT_I2;
    V_I2(&mode) = 2; // animated
    if (FAILED(call(control.Get(), norvane::dispid::TrayTitle, DISPATCH_PROPERTYPUT, &title,
                    nullptr)) ||
        FAILED(
            call(control.Get(), norvane::dispid::TrayMode, DISPATCH_PROPERTYPUT, &mode, nullptr)))
        return 3;

    // As the reminder program does: restore, and place when restoring was not enough.
    bool placed = method(control.Get(), norvane::dispid::RestoreIcon) ||
                  method(control.Get(), norvane::dispid::PlaceIcon);
    std::printf("PlaceIcon: %s\n", placed ? "True" : "False");
    const DWORD end = GetTickCount() + seconds * 1000;
    MSG message;
    while (GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return placed ? 0 : 4;
}
