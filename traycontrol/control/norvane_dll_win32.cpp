// Norvane.dll: the module's entry point and the four standard COM server entry points.
#include <objbase.h>
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID, REFIID, LPVOID* out) {
    if (out)
        *out = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() {
    return S_OK;
}
STDAPI DllRegisterServer() {
    return S_OK;
}
STDAPI DllUnregisterServer() {
    return S_OK;
}
