// Helpers for the Wine tests of Norvane.dll: late-bound calls, a property bag and event sinks.
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
#include <utility>
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

inline void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

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
    UINT argError = 0;
    const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                      &exception, &argError);
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
inline VARIANT_BOOL method(IDispatch* control, DISPID id, std::vector<VARIANT> args = {}) {
    Variant result;
    EXPECT_EQ(invoke(control, id, DISPATCH_METHOD, std::move(args), &result), S_OK)
        << std::hex << id;
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

// Keeps a sink advised on one of the control's connection points.
class Connection {
public:
    Connection(IDispatch* control, REFIID iid, IUnknown* sink) {
        ComPtr<IConnectionPointContainer> container;
        EXPECT_EQ(control->QueryInterface(IID_PPV_ARGS(&container)), S_OK);
        EXPECT_EQ(container->FindConnectionPoint(iid, &point_), S_OK);
        EXPECT_EQ(point_->Advise(sink, &cookie_), S_OK);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { EXPECT_EQ(point_->Unadvise(cookie_), S_OK); }

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

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
        const bool known = riid == IID_IUnknown || riid == IID_IPropertyBag;
        *out = known ? static_cast<IPropertyBag*>(this) : nullptr;
        return known ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        for (auto& item : items) {
            if (_wcsicmp(item.name.c_str(), name) != 0)
                continue;
            if (!item.object)
                return VariantCopy(value, &item.value);
            item.object->Seek({}, STREAM_SEEK_SET, nullptr);
            const HRESULT hr = OleLoadFromStream(item.object.Get(), IID_IDispatch,
                                                 reinterpret_cast<void**>(&V_DISPATCH(value)));
            if (SUCCEEDED(hr))
                V_VT(value) = VT_DISPATCH;
            return hr;
        }
        return E_INVALIDARG;
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override {
        auto& item = items.emplace_back();
        item.name = name;
        if ((V_VT(value) != VT_DISPATCH && V_VT(value) != VT_UNKNOWN) || !V_UNKNOWN(value))
            return VariantCopy(&item.value, value);
        ComPtr<IPersistStream> persist;
        HRESULT hr = V_UNKNOWN(value)->QueryInterface(IID_PPV_ARGS(&persist));
        if (SUCCEEDED(hr))
            hr = CreateStreamOnHGlobal(nullptr, TRUE, &item.object);
        return SUCCEEDED(hr) ? OleSaveToStream(persist.Get(), item.object.Get()) : hr;
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
        float X, y;
    };
    std::vector<Event> events;
    std::vector<DISPID> changed;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == guid(kDiidCtlSysTrayEvents))
            *out = static_cast<IDispatch*>(this);
        else if (riid == IID_IPropertyNotifySink)
            *out = static_cast<IPropertyNotifySink*>(this);
        else
            *out = nullptr;
        return *out ? S_OK : E_NOINTERFACE;
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
        const VARTYPE kinds[] = {VT_R4, VT_R4, VT_I2, VT_I2}; // y, X, Shift, Button
        for (UINT i = 0; i < 4; ++i)
            if (p->cArgs != 4 || V_VT(&p->rgvarg[i]) != (kinds[i] | VT_BYREF))
                return DISP_E_BADPARAMCOUNT;
        events.push_back({id, *V_R4REF(&p->rgvarg[1]), *V_R4REF(&p->rgvarg[0])});
        return S_OK;
    }
    STDMETHODIMP OnChanged(DISPID id) override {
        changed.push_back(id);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }
};

} // namespace norvane::com
