// Helpers for the Wine tests of Norvane.dll: the registered server, and late-bound calls.
#pragma once

#include "common/win32/handles.h"
#include "traycontrol/control/com/norvane_ids.h"

#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace norvane::com {

using win32::Bstr;
using win32::ComPtr;
using win32::Variant;

inline GUID guid(const Guid& g) {
    GUID out;
    static_assert(sizeof out == sizeof g);
    std::memcpy(&out, &g, sizeof out);
    return out;
}

inline std::wstring exeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// Suites that need Norvane.dll registered as regsvr32 registers it, for as long as they run;
// the design host's suite needs nothing registered, so registration is per suite. Unregistering
// leaves the classes root as it was.
class Registered : public ::testing::Test {
protected:
    using Entry = HRESULT(WINAPI*)();
    static Entry entry(const char* name) {
        const HMODULE module = LoadLibraryW((exeFolder() + L"Norvane.dll").c_str());
        return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    // The keys in each folder registration writes to, counting the folder itself.
    static std::vector<DWORD> classesRoot() {
        std::vector<DWORD> counts;
        for (const wchar_t* folder : {L"CLSID", L"Interface", L"TypeLib", L"Norvane.ctlSysTray"}) {
            HKEY key = nullptr;
            DWORD count = 0;
            if (RegOpenKeyExW(HKEY_CLASSES_ROOT, folder, 0, KEY_READ, &key) == ERROR_SUCCESS) {
                RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr);
                RegCloseKey(key);
                ++count;
            }
            counts.push_back(count);
        }
        return counts;
    }
    static inline std::vector<DWORD> unregistered;
    static void SetUpTestSuite() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        entry("DllUnregisterServer")(); // whatever an interrupted run left behind
        unregistered = classesRoot();
        ASSERT_EQ(entry("DllRegisterServer")(), S_OK);
    }
    static void TearDownTestSuite() {
        for (int twice = 0; twice < 2; ++twice)
            EXPECT_EQ(entry("DllUnregisterServer")(), S_OK);
        EXPECT_EQ(classesRoot(), unregistered) << "keys left behind";
        ComPtr<IDispatch> gone;
        EXPECT_EQ(CoCreateInstance(guid(kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&gone)),
                  REGDB_E_CLASSNOTREG);
        CoUninitialize();
    }
};

inline ComPtr<IDispatch> createControl() {
    ComPtr<IDispatch> control;
    EXPECT_EQ(CoCreateInstance(guid(kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&control)),
              S_OK);
    return control;
}

// Invokes `id` with the arguments in natural order (the last one is rgvarg[0]); `error` receives
// the code of an exception the call raised.
inline HRESULT invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> args,
                      VARIANT* result = nullptr, SCODE* error = nullptr) {
    std::reverse(args.begin(), args.end());
    DISPID named = DISPID_PROPERTYPUT;
    const bool isPut = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPPARAMS params{args.data(), isPut ? &named : nullptr, static_cast<UINT>(args.size()),
                      isPut ? 1u : 0u};
    EXCEPINFO exception{};
    const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                      &exception, nullptr);
    if (error)
        *error = exception.scode;
    for (BSTR text : {exception.bstrSource, exception.bstrDescription, exception.bstrHelpFile})
        SysFreeString(text);
    return hr;
}

// Objects are put by reference, everything else by value.
inline HRESULT put(IDispatch* control, DISPID id, VARIANT value) {
    const bool object = V_VT(&value) == VT_DISPATCH;
    return invoke(control, id, object ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT, {value});
}
inline Variant get(IDispatch* control, DISPID id) {
    Variant value;
    EXPECT_EQ(invoke(control, id, DISPATCH_PROPERTYGET, {}, &value), S_OK) << std::hex << id;
    return value;
}
// Numbers, Booleans, and pictures by their handle (their default property).
inline double number(IDispatch* control, DISPID id) {
    Variant value = get(control, id), n;
    EXPECT_EQ(VariantChangeType(&n, &value, 0, VT_R8), S_OK) << std::hex << id;
    return V_VT(&n) == VT_R8 ? V_R8(&n) : std::nan("");
}
// A method whose answer is a Boolean.
inline VARIANT_BOOL method(IDispatch* control, DISPID id) {
    Variant result;
    EXPECT_EQ(invoke(control, id, DISPATCH_METHOD, {}, &result), S_OK) << std::hex << id;
    EXPECT_EQ(V_VT(&result), VT_BOOL) << std::hex << id;
    return V_BOOL(&result);
}

// A scalar argument of the given kind (Booleans from any non-zero number are True).
inline Variant arg(VARTYPE type, double value) {
    Variant number, out;
    V_VT(&number) = VT_R8;
    V_R8(&number) = value;
    VariantChangeType(&out, &number, 0, type);
    return out;
}
inline Variant text(const wchar_t* value) {
    Variant v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(value);
    return v;
}

} // namespace norvane::com
