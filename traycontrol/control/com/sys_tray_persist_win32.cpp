// ctlSysTray's persistence: the host's property bag, and a stream for hosts that save streams.
#include "traycontrol/control/com/sys_tray_control_win32.h"

#include "traycontrol/control/com/pictures_win32.h"

#include <cwctype>
#include <string>
#include <vector>

namespace norvane::com {

using logic::PropertyBagPort;
using logic::PropertyValue;

namespace {
std::wstring wide(std::string_view key) {
    return {key.begin(), key.end()};
}

VARTYPE kindOf(const PropertyValue& value) {
    constexpr VARTYPE kinds[] = {VT_BOOL, VT_I2, VT_R8, VT_BSTR, VT_DISPATCH};
    return kinds[value.index()];
}

// A VARIANT read from a bag or stream, as a value of the same kind as `like`.
std::optional<PropertyValue> fromVariant(VARIANT& v, const PropertyValue& like) {
    if (std::holds_alternative<PicturePtr>(like)) {
        // A picture stored as Nothing comes back as a picture without an image, as a host's own
        // picture properties do, so that it shows as nothing and saves and loads again.
        if (V_VT(&v) == VT_EMPTY || V_VT(&v) == VT_NULL)
            return PropertyValue{emptyPicture()};
        if (V_VT(&v) == VT_DISPATCH || V_VT(&v) == VT_UNKNOWN) {
            auto picture = wrapPicture(V_UNKNOWN(&v));
            return PropertyValue{picture ? picture : emptyPicture()};
        }
        return std::nullopt;
    }
    Variant converted;
    if (FAILED(VariantChangeType(&converted, &v, 0, kindOf(like))))
        return std::nullopt;
    switch (V_VT(&converted)) {
    case VT_BOOL:
        return PropertyValue{V_BOOL(&converted) != VARIANT_FALSE};
    case VT_I2:
        return PropertyValue{static_cast<std::int16_t>(V_I2(&converted))};
    case VT_R8:
        return PropertyValue{V_R8(&converted)};
    default:
        return PropertyValue{win32::textOf(V_BSTR(&converted))};
    }
}

void toVariant(const PropertyValue& value, VARIANT& v) {
    VariantClear(&v);
    V_VT(&v) = kindOf(value);
    if (const auto* b = std::get_if<bool>(&value))
        V_BOOL(&v) = *b ? VARIANT_TRUE : VARIANT_FALSE;
    else if (const auto* i = std::get_if<std::int16_t>(&value))
        V_I2(&v) = *i;
    else if (const auto* d = std::get_if<double>(&value))
        V_R8(&v) = *d;
    else if (const auto* s = std::get_if<std::u16string>(&value))
        V_BSTR(&v) = Bstr(*s).release();
    else
        V_DISPATCH(&v) = unwrapPicture(std::get<PicturePtr>(value));
}

class HostBag final : public PropertyBagPort {
public:
    HostBag(IPropertyBag* bag, IErrorLog* log) : bag_(bag), log_(log) {}
    std::optional<PropertyValue> read(std::string_view name, const PropertyValue& like) override {
        Variant v; // VT_EMPTY: the bag answers in whatever kind it stored
        if (FAILED(bag_->Read(wide(name).c_str(), &v, log_)))
            return std::nullopt;
        return fromVariant(v, like);
    }
    void write(std::string_view name, const PropertyValue& value) override {
        Variant v;
        toVariant(value, v);
        failed_ = failed_ || FAILED(bag_->Write(wide(name).c_str(), &v));
    }
    bool failed() const { return failed_; }

private:
    IPropertyBag* bag_;
    IErrorLog* log_;
    bool failed_ = false;
};

// The stream form: a tag, the number of entries, then per entry its key, its kind and value.
// Only non-default properties are in it, exactly as in a property bag.
constexpr DWORD kStreamTag = 0x314E564E; // "NVN1"
constexpr DWORD kMaxChars = 1u << 20;    // a longer text can only come from a damaged stream

struct StreamEntry {
    std::wstring key;
    Variant value;
};

HRESULT writeBytes(IStream* s, const void* data, ULONG size) {
    return s->Write(data, size, nullptr);
}

HRESULT readBytes(IStream* s, void* data, ULONG size) {
    ULONG got = 0;
    const HRESULT hr = s->Read(data, size, &got);
    return FAILED(hr) ? hr : (got == size ? S_OK : STG_E_READFAULT);
}

HRESULT writeText(IStream* s, const wchar_t* text, DWORD chars) {
    HRESULT hr = writeBytes(s, &chars, sizeof chars);
    return SUCCEEDED(hr) ? writeBytes(s, text, chars * sizeof(wchar_t)) : hr;
}

HRESULT readText(IStream* s, std::wstring& text) {
    DWORD chars = 0;
    HRESULT hr = readBytes(s, &chars, sizeof chars);
    if (FAILED(hr))
        return hr;
    if (chars > kMaxChars)
        return STG_E_INVALIDHEADER;
    text.assign(chars, L'\0');
    return readBytes(s, text.data(), chars * sizeof(wchar_t));
}

class StreamBag final : public PropertyBagPort {
public:
    std::vector<StreamEntry> entries;

    std::optional<PropertyValue> read(std::string_view name, const PropertyValue& like) override {
        const auto key = wide(name);
        for (auto& e : entries)
            if (_wcsicmp(e.key.c_str(), key.c_str()) == 0)
                return fromVariant(e.value, like);
        return std::nullopt;
    }
    void write(std::string_view name, const PropertyValue& value) override {
        entries.emplace_back();
        entries.back().key = wide(name);
        toVariant(value, entries.back().value);
    }

    HRESULT save(IStream* s) const {
        const DWORD count = static_cast<DWORD>(entries.size());
        HRESULT hr = writeBytes(s, &kStreamTag, sizeof kStreamTag);
        if (SUCCEEDED(hr))
            hr = writeBytes(s, &count, sizeof count);
        for (const auto& e : entries) {
            const VARTYPE kind = V_VT(&e.value);
            if (SUCCEEDED(hr))
                hr = writeText(s, e.key.c_str(), static_cast<DWORD>(e.key.size()));
            if (SUCCEEDED(hr))
                hr = writeBytes(s, &kind, sizeof kind);
            if (FAILED(hr))
                return hr;
            switch (kind) {
            case VT_BOOL:
                hr = writeBytes(s, &V_BOOL(&e.value), sizeof(VARIANT_BOOL));
                break;
            case VT_I2:
                hr = writeBytes(s, &V_I2(&e.value), sizeof(SHORT));
                break;
            case VT_R8:
                hr = writeBytes(s, &V_R8(&e.value), sizeof(DOUBLE));
                break;
            case VT_BSTR:
                hr = writeText(s, V_BSTR(&e.value), SysStringLen(V_BSTR(&e.value)));
                break;
            default: {
                ComPtr<IPersistStream> persist;
                hr = V_DISPATCH(&e.value)
                         ? V_DISPATCH(&e.value)->QueryInterface(IID_PPV_ARGS(&persist))
                         : E_POINTER;
                if (SUCCEEDED(hr))
                    hr = OleSaveToStream(persist.Get(), s);
            }
            }
        }
        return hr;
    }

    HRESULT load(IStream* s) {
        DWORD tag = 0, count = 0;
        HRESULT hr = readBytes(s, &tag, sizeof tag);
        if (SUCCEEDED(hr) && tag != kStreamTag)
            return STG_E_INVALIDHEADER;
        if (SUCCEEDED(hr))
            hr = readBytes(s, &count, sizeof count);
        for (DWORD i = 0; SUCCEEDED(hr) && i < count; ++i) {
            StreamEntry e;
            VARTYPE kind = VT_EMPTY;
            hr = readText(s, e.key);
            if (SUCCEEDED(hr))
                hr = readBytes(s, &kind, sizeof kind);
            if (FAILED(hr))
                return hr;
            V_VT(&e.value) = kind;
            switch (kind) {
            case VT_BOOL:
                hr = readBytes(s, &V_BOOL(&e.value), sizeof(VARIANT_BOOL));
                break;
            case VT_I2:
                hr = readBytes(s, &V_I2(&e.value), sizeof(SHORT));
                break;
            case VT_R8:
                hr = readBytes(s, &V_R8(&e.value), sizeof(DOUBLE));
                break;
            case VT_BSTR: {
                std::wstring text;
                V_VT(&e.value) = VT_EMPTY;
                hr = readText(s, text);
                if (SUCCEEDED(hr)) {
                    V_VT(&e.value) = VT_BSTR;
                    V_BSTR(&e.value) =
                        SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
                }
                break;
            }
            case VT_DISPATCH:
                V_DISPATCH(&e.value) = nullptr;
                hr = OleLoadFromStream(s, IID_IDispatch,
                                       reinterpret_cast<void**>(&V_DISPATCH(&e.value)));
                break;
            default:
                V_VT(&e.value) = VT_EMPTY;
                return STG_E_INVALIDHEADER;
            }
            if (SUCCEEDED(hr))
                entries.push_back(std::move(e));
        }
        return hr;
    }
};
} // namespace

STDMETHODIMP SysTrayControl::GetClassID(CLSID* clsid) {
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_ctlSysTray;
    return S_OK;
}

STDMETHODIMP SysTrayControl::IsDirty() {
    return dirty_ ? S_OK : S_FALSE;
}

STDMETHODIMP SysTrayControl::InitNew() {
    return guardedCall([&] {
        tray_->UserControl_InitProperties();
        dirty_ = false;
    });
}

STDMETHODIMP SysTrayControl::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag)
        return E_POINTER;
    return guardedCall([&] {
        HostBag port(bag, log);
        tray_->UserControl_ReadProperties(port);
        dirty_ = false;
    });
}

STDMETHODIMP SysTrayControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag)
        return E_POINTER;
    bool refused = false;
    const HRESULT hr = guardedCall([&] {
        HostBag port(bag, nullptr);
        tray_->UserControl_WriteProperties(port);
        refused = port.failed();
    });
    if (FAILED(hr) || refused)
        return FAILED(hr) ? hr : E_FAIL;
    if (clearDirty)
        dirty_ = false;
    return S_OK;
}

STDMETHODIMP SysTrayControl::Load(IStream* stream) {
    if (!stream)
        return E_POINTER;
    return win32::guarded([&] {
        StreamBag bag;
        const HRESULT hr = bag.load(stream);
        if (FAILED(hr))
            return hr;
        return guardedCall([&] {
            tray_->UserControl_ReadProperties(bag);
            dirty_ = false;
        });
    });
}

STDMETHODIMP SysTrayControl::Save(IStream* stream, BOOL clearDirty) {
    if (!stream)
        return E_POINTER;
    return win32::guarded([&] {
        StreamBag bag;
        HRESULT hr = guardedCall([&] { tray_->UserControl_WriteProperties(bag); });
        if (SUCCEEDED(hr))
            hr = bag.save(stream);
        if (SUCCEEDED(hr) && clearDirty)
            dirty_ = false;
        return hr;
    });
}

STDMETHODIMP SysTrayControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (size)
        size->QuadPart = 0;
    return E_NOTIMPL;
}

} // namespace norvane::com
