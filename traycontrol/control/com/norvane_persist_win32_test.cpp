// Wine tests of ctlSysTray's persistence through a host's property bag and through a stream.
#include "traycontrol/control/com/com_support_win32_test.h"

namespace norvane::com {
namespace {

using Persistence = Registered;

// A host's property bag, read only: what a control writes into a bag is checked on the design
// host's bag file.
class HostBag final : public IPropertyBag {
public:
    std::vector<std::pair<std::wstring, Variant>> items;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        const bool known = riid == IID_IUnknown || riid == IID_IPropertyBag;
        *out = known ? static_cast<IPropertyBag*>(this) : nullptr;
        return known ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        for (auto& [key, held] : items)
            if (key == name)
                return VariantCopy(value, &held);
        return E_INVALIDARG;
    }
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }
};

// Loads `control` from a stream holding `bytes`.
HRESULT load(IDispatch* control, const std::vector<std::uint8_t>& bytes) {
    ComPtr<IPersistStreamInit> reader;
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    const HRESULT hr = control->QueryInterface(IID_PPV_ARGS(&reader));
    return SUCCEEDED(hr) ? reader->Load(stream.Get()) : hr;
}

// A host's bag may hold a number in another kind, a picture, and a picture kept as Nothing in
// either form hosts write it (no value, or a null object), which loads as one without an image.
// All of it, and values set since, travels through a stream; damaged streams are refused whole.
TEST_F(Persistence, BagThenStreamKeepEveryKindOfValueAndDamagedStreamsAreRefusedWhole) {
    const auto other = createControl();
    HostBag host;
    host.items.emplace_back(L"TrayMode", arg(VT_I4, 2));
    host.items.emplace_back(L"Pic02", get(other.Get(), dispid::Pic10));
    host.items.emplace_back(L"Image", Variant{});
    V_VT(&host.items.back().second) = VT_NULL;
    host.items.emplace_back(L"Pic01", Variant{});
    V_VT(&host.items.back().second) = VT_DISPATCH;
    V_DISPATCH(&host.items.back().second) = nullptr;
    const auto control = createControl();
    IDispatch* c = control.Get();
    ComPtr<IPersistPropertyBag> reader;
    ASSERT_EQ(control.As(&reader), S_OK);
    ASSERT_EQ(reader->Load(&host, nullptr), S_OK);
    EXPECT_EQ(number(c, dispid::Pic02), number(other.Get(), dispid::Pic10));
    put(c, dispid::TrayTitle, text(L"Davrin"));
    put(c, dispid::swTrayText, arg(VT_BOOL, 0));
    put(c, dispid::FlashCycle, arg(VT_R8, 0.75));
    ComPtr<IPersistStreamInit> persist;
    ComPtr<IStream> stream;
    ASSERT_EQ(control.As(&persist), S_OK);
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);

    const auto loaded = createControl();
    IDispatch* l = loaded.Get();
    ASSERT_EQ(load(l, bytes), S_OK);
    // A stream cut short, one that claims an absurdly long first key, one with a wrong tag: each
    // is refused whole, leaving the control as it was.
    EXPECT_TRUE(FAILED(load(l, {bytes.begin(), bytes.begin() + std::ssize(bytes) / 2})));
    auto huge = bytes;
    huge[8] = huge[9] = huge[10] = huge[11] = 0x7F;
    EXPECT_TRUE(FAILED(load(l, huge)));
    auto wrongTag = bytes;
    wrongTag[0] ^= 0xFF;
    EXPECT_EQ(load(l, wrongTag), STG_E_INVALIDHEADER);
    const Variant title = get(l, dispid::TrayTitle);
    EXPECT_STREQ(V_BSTR(&title), L"Davrin");
    EXPECT_EQ(number(l, dispid::swTrayText), 0);
    EXPECT_EQ(number(l, dispid::FlashCycle), 0.75);
    EXPECT_EQ(number(l, dispid::TrayMode), 2);
    for (const DISPID id : {dispid::Image, dispid::Pic01}) {
        const Variant value = get(l, id);
        ComPtr<IPicture> picture;
        ASSERT_EQ(V_VT(&value), VT_DISPATCH);
        ASSERT_TRUE(V_DISPATCH(&value)) << std::hex << id;
        ASSERT_EQ(V_DISPATCH(&value)->QueryInterface(IID_PPV_ARGS(&picture)), S_OK);
        short type = -1;
        picture->get_Type(&type);
        EXPECT_EQ(type, PICTYPE_NONE) << std::hex << id;
    }
}

} // namespace
} // namespace norvane::com
