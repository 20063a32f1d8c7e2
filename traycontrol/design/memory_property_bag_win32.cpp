// Bag values as VARIANTs: text, Booleans and numbers as they are, pictures through their bytes.
#include "traycontrol/design/memory_property_bag_win32.h"

#include "common/win32/guarded.h"
#include "common/win32/handles.h"

#include <olectl.h>

#include <algorithm>

namespace norvane::design {

namespace {
std::string utf8(const wchar_t* text, int length) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

BSTR bstr(const std::string& text) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(n));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out, n);
    return out;
}

// Nothing when there are no bytes; an error when they hold no picture.
HRESULT loadPicture(const PictureBytes& picture, VARIANT* out) {
    if (picture.bytes.empty())
        return S_OK; // VT_EMPTY: Nothing
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, picture.bytes.size());
    if (!memory)
        return E_OUTOFMEMORY;
    std::copy(picture.bytes.begin(), picture.bytes.end(),
              static_cast<std::uint8_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    win32::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return E_OUTOFMEMORY;
    }
    IDispatch* disp = nullptr;
    const HRESULT hr = OleLoadPicture(stream.Get(), static_cast<LONG>(picture.bytes.size()), FALSE,
                                      IID_IPictureDisp, reinterpret_cast<void**>(&disp));
    if (FAILED(hr))
        return hr;
    V_VT(out) = VT_DISPATCH;
    V_DISPATCH(out) = disp;
    return S_OK;
}

// A picture with no image saves nothing, and comes back as Nothing.
PictureBytes savePicture(IUnknown* object) {
    win32::ComPtr<IPicture> picture;
    PictureBytes out;
    OLE_HANDLE handle = 0;
    if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(&picture))) ||
        FAILED(picture->get_Handle(&handle)) || !handle)
        return out;
    win32::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        throw std::bad_alloc();
    LONG size = 0;
    if (FAILED(picture->SaveAsFile(stream.Get(), TRUE, &size)))
        return out;
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream.Get(), &memory);
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
    out.bytes.assign(bytes, bytes + size);
    GlobalUnlock(memory);
    return out;
}
} // namespace

STDMETHODIMP MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value)
        return E_POINTER;
    return win32::guarded([&] {
        const std::string key = utf8(name, -1).c_str();
        const auto found = std::find_if(entries_.begin(), entries_.end(),
                                        [&](const BagEntry& e) { return e.name == key; });
        if (found == entries_.end())
            return E_INVALIDARG;
        VariantClear(value);
        const BagValue& v = found->value;
        if (const auto* text = std::get_if<std::string>(&v)) {
            V_VT(value) = VT_BSTR;
            V_BSTR(value) = bstr(*text);
        } else if (const auto* flag = std::get_if<bool>(&v)) {
            V_VT(value) = VT_BOOL;
            V_BOOL(value) = *flag ? VARIANT_TRUE : VARIANT_FALSE;
        } else if (const auto* i = std::get_if<std::int16_t>(&v)) {
            V_VT(value) = VT_I2;
            V_I2(value) = *i;
        } else if (const auto* d = std::get_if<double>(&v)) {
            V_VT(value) = VT_R8;
            V_R8(value) = *d;
        } else {
            return loadPicture(std::get<PictureBytes>(v), value);
        }
        return S_OK;
    });
}

STDMETHODIMP MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value)
        return E_POINTER;
    return win32::guarded([&] {
        BagValue v;
        switch (V_VT(value)) {
        case VT_BSTR:
            v = utf8(V_BSTR(value) ? V_BSTR(value) : L"",
                     static_cast<int>(SysStringLen(V_BSTR(value))));
            break;
        case VT_BOOL:
            v = V_BOOL(value) != VARIANT_FALSE;
            break;
        case VT_I2:
            v = static_cast<std::int16_t>(V_I2(value));
            break;
        case VT_R8:
            v = V_R8(value);
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
        case VT_EMPTY:
            v = savePicture(V_VT(value) == VT_EMPTY ? nullptr : V_UNKNOWN(value));
            break;
        default:
            return DISP_E_TYPEMISMATCH;
        }
        const std::string key = utf8(name, -1).c_str();
        const auto found = std::find_if(entries_.begin(), entries_.end(),
                                        [&](const BagEntry& e) { return e.name == key; });
        if (found == entries_.end())
            entries_.push_back({key, std::move(v)});
        else
            found->value = std::move(v);
        return S_OK;
    });
}

} // namespace norvane::design
