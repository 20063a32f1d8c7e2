// Norvane.dll: the module's entry point, its class factory and the COM server entry points.
#include "norvane_module_win32.h"

#include "norvane_h.h"
#include "registration_win32.h"
#include "tray_window_win32.h"

#include <atomic>

namespace norvane::module {

namespace {
HINSTANCE g_instance = nullptr;
std::atomic<long> g_locks{0};

// Static, so its reference count only tracks server locks through the module count.
class ClassFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override {
        lock();
        return 2;
    }
    STDMETHODIMP_(ULONG) Release() override {
        unlock();
        return 1;
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return createSysTrayControl(riid, out);
    }
    STDMETHODIMP LockServer(BOOL fLock) override {
        fLock ? lock() : unlock();
        return S_OK;
    }
};
ClassFactory g_factory;
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
long lockCount() {
    return g_locks;
}

HRESULT typeInfo(REFGUID guid, ITypeInfo** out) {
    // oleaut32 keeps loaded libraries cached by path, so loading per call is cheap.
    ComPtr<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(path().c_str(), REGKIND_NONE, &library);
    if (FAILED(hr))
        return hr;
    return library->GetTypeInfoOfGuid(guid, out);
}

} // namespace norvane::module

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        norvane::module::g_instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded while the process goes on: a class left registered would point into freed code.
        norvane::unregisterTrayWindowClass();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_ctlSysTray)
        return CLASS_E_CLASSNOTAVAILABLE;
    return norvane::module::g_factory.QueryInterface(riid, out);
}

STDAPI DllCanUnloadNow() {
    return norvane::module::lockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    return norvane::registerForCaller(norvane::module::path());
}
STDAPI DllUnregisterServer() {
    return norvane::unregisterForCaller();
}
