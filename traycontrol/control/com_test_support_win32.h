// Helpers for the Wine tests of Norvane.dll: late-bound calls, a property bag and event sinks.
#pragma once

#include "com_raii_win32.h"
#include "norvane_ids.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace norvane::test {

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

// Runs the thread's messages until the queue is empty.
inline void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The result of a late-bound call.
struct Call {
    HRESULT hr = E_FAIL;
    Variant result;
    EXCEPINFO exception{};
    ~Call() {
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }
};

// Invokes `id` with the arguments in natural order (the last one is rgvarg[0]).
inline void invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> args,
                   Call& call) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    UINT argError = 0;
    call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                             (flags & DISPATCH_PROPERTYPUT) ? nullptr : &call.result,
                             &call.exception, &argError);
}

inline VARIANT vBool(bool b) {
    VARIANT v;
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = b ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}
inline VARIANT vI2(short i) {
    VARIANT v;
    V_VT(&v) = VT_I2;
    V_I2(&v) = i;
    return v;
}
inline VARIANT vR8(double d) {
    VARIANT v;
    V_VT(&v) = VT_R8;
    V_R8(&v) = d;
    return v;
}
inline VARIANT vDispatch(IDispatch* d) {
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = d;
    return v;
}

// A host's property bag: scalars kept as they are, objects saved to and loaded from streams the
// way a form file keeps them.
class MemoryPropertyBag final : public IPropertyBag {
public:
    struct Item {
        std::wstring name;
        Variant value;          // scalars
        ComPtr<IStream> object; // objects, saved
    };
    std::vector<Item> items;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IPropertyBag) {
            *out = static_cast<IPropertyBag*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        for (auto& item : items) {
            if (_wcsicmp(item.name.c_str(), name) != 0)
                continue;
            if (!item.object)
                return VariantCopy(value, &item.value);
            LARGE_INTEGER start{};
            item.object->Seek(start, STREAM_SEEK_SET, nullptr);
            IDispatch* object = nullptr;
            const HRESULT hr = OleLoadFromStream(item.object.Get(), IID_IDispatch,
                                                 reinterpret_cast<void**>(&object));
            if (SUCCEEDED(hr)) {
                V_VT(value) = VT_DISPATCH;
                V_DISPATCH(value) = object;
            }
            return hr;
        }
        return E_INVALIDARG;
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override {
        items.emplace_back();
        auto& item = items.back();
        item.name = name;
        if ((V_VT(value) != VT_DISPATCH && V_VT(value) != VT_UNKNOWN) || !V_UNKNOWN(value))
            return VariantCopy(&item.value, value);
        ComPtr<IPersistStream> persist;
        HRESULT hr = V_UNKNOWN(value)->QueryInterface(IID_PPV_ARGS(&persist));
        if (SUCCEEDED(hr))
            hr = CreateStreamOnHGlobal(nullptr, TRUE, &item.object);
        if (SUCCEEDED(hr))
            hr = OleSaveToStream(persist.Get(), item.object.Get());
        return hr;
    }
    std::vector<std::wstring> names() const {
        std::vector<std::wstring> out;
        for (const auto& item : items)
            out.push_back(item.name);
        return out;
    }
};

// Records the events of __ctlSysTray and the property changes the control reports.
class RecordingSink final : public IDispatch, public IPropertyNotifySink {
public:
    struct Event {
        DISPID id;
        short Button, Shift;
        float X, y;
    };
    std::vector<Event> events;
    std::vector<DISPID> changed;
    bool changeArguments = false;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == guid(kDiidCtlSysTrayEvents))
            *out = static_cast<IDispatch*>(this);
        else if (riid == IID_IPropertyNotifySink)
            *out = static_cast<IPropertyNotifySink*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        if (p->cArgs != 4 || V_VT(&p->rgvarg[3]) != (VT_I2 | VT_BYREF) ||
            V_VT(&p->rgvarg[2]) != (VT_I2 | VT_BYREF) ||
            V_VT(&p->rgvarg[1]) != (VT_R4 | VT_BYREF) || V_VT(&p->rgvarg[0]) != (VT_R4 | VT_BYREF))
            return DISP_E_BADPARAMCOUNT;
        events.push_back({id, *V_I2REF(&p->rgvarg[3]), *V_I2REF(&p->rgvarg[2]),
                          *V_R4REF(&p->rgvarg[1]), *V_R4REF(&p->rgvarg[0])});
        if (changeArguments)
            *V_R4REF(&p->rgvarg[1]) = -1;
        return S_OK;
    }
    STDMETHODIMP OnChanged(DISPID id) override {
        changed.push_back(id);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }
};

} // namespace norvane::test
