// Norvane.dll: the module's entry point, its class factory and the COM server entry points.
#include "traycontrol/control/module/norvane_module_win32.h"

#include "common/win32/com_object.h"
#include "common/win32/guarded.h"
#include "traycontrol/control/com/norvane_h.h"
#include "traycontrol/control/com/sys_tray_control_win32.h"
#include "traycontrol/control/com/tray_window_win32.h"
#include "traycontrol/control/module/registration_win32.h"

#include <olectl.h>

#include <atomic>

namespace norvane::module {

namespace {
HINSTANCE g_instance = nullptr;
std::atomic<long> g_locks{0};

// A live factory keeps the module loaded, as a server lock does.
class ClassFactory final : public win32::ComObject<IClassFactory> {
public:
    ClassFactory() { lock(); }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return win32::guarded([&] { return com::createSysTrayControl(riid, out); });
    }
    STDMETHODIMP LockServer(BOOL fLock) override {
        fLock ? lock() : unlock();
        return S_OK;
    }

private:
    ~ClassFactory() override { unlock(); }
    void* interfaceFor(REFIID riid) override {
        return riid == IID_IClassFactory ? static_cast<IClassFactory*>(this) : nullptr;
    }
};
} // namespace

HINSTANCE instance() {
    return g_instance;
}

std::wstring path() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(g_instance, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

void lock() {
    ++g_locks;
}
void unlock() {
    --g_locks;
}

HRESULT typeInfo(REFGUID guid, ITypeInfo** out) {
    // oleaut32 keeps loaded libraries cached by path, so loading per call is cheap.
    win32::ComPtr<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(path().c_str(), REGKIND_NONE, &library);
    if (FAILED(hr))
        return hr;
    return library->GetTypeInfoOfGuid(guid, out);
}

namespace {
HRESULT classObject(REFCLSID clsid, REFIID riid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_ctlSysTray)
        return CLASS_E_CLASSNOTAVAILABLE;
    win32::ComPtr<ClassFactory> factory;
    factory.Attach(new ClassFactory);
    return factory->QueryInterface(riid, out);
}
} // namespace

} // namespace norvane::module

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        norvane::module::g_instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded while the process goes on: a class left registered would point into freed code.
        norvane::com::unregisterTrayWindowClass();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* out) {
    return win32::guarded([&] { return norvane::module::classObject(clsid, riid, out); });
}

STDAPI DllCanUnloadNow() {
    return norvane::module::g_locks == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    return win32::guarded(
        [] { return norvane::module::registerForCaller(norvane::module::path()); },
        SELFREG_E_CLASS);
}

STDAPI DllUnregisterServer() {
    return win32::guarded([] { return norvane::module::unregisterForCaller(); }, SELFREG_E_CLASS);
}
