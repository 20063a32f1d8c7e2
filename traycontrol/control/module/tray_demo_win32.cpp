// A small host for looking at the control: creates it by ProgID as the reminder program would,
// loads its settings from a property bag, places the animated icon and keeps it for a while.
#include "traycontrol/control/com/com_support_win32_test.h"

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    using namespace norvane;
    using namespace norvane::com;
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10)) : 10;
    win32::ComApartment apartment;
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(L"Norvane.ctlSysTray", &clsid))) {
        std::fputs("Norvane.ctlSysTray is not registered (regsvr32 Norvane.dll)\n", stderr);
        return 1;
    }
    ComPtr<IDispatch> control;
    ComPtr<IPersistPropertyBag> persist;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control))) ||
        FAILED(control.As(&persist)))
        return 2;
    MemoryPropertyBag bag;
    bag.items.resize(2);
    bag.items[0].name = L"TrayTitle";
    V_VT(&bag.items[0].value) = VT_BSTR;
    V_BSTR(&bag.items[0].value) = SysAllocString(L"Davrin");
    bag.items[1].name = L"TrayMode";
    V_VT(&bag.items[1].value) = VT_I2;
    V_I2(&bag.items[1].value) = 2;
    if (FAILED(persist->Load(&bag, nullptr)))
        return 3;

    // As the reminder program does: restore, and place when restoring was not enough.
    VARIANT_BOOL placed = method(control.Get(), dispid::RestoreIcon);
    if (placed != VARIANT_TRUE)
        placed = method(control.Get(), dispid::PlaceIcon);
    std::printf("PlaceIcon: %d\n", placed);
    const DWORD end = GetTickCount() + seconds * 1000;
    while (GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        pumpMessages();
    }
    return placed == VARIANT_TRUE ? 0 : 4;
}
