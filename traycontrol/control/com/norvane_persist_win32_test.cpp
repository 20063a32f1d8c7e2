// Wine tests of ctlSysTray's persistence through a host's property bag and through a stream.
#include "traycontrol/control/com/com_support_win32_test.h"

namespace norvane::com {
namespace {

// The host program's settings, plus a moved picture so that a picture travels too.
ComPtr<IDispatch> configured() {
    auto control = createControl();
    put(control.Get(), dispid::TrayTitle, text(L"Davrin"));
    put(control.Get(), dispid::TrayMode, arg(VT_I2, 2));
    put(control.Get(), dispid::FrameCount, arg(VT_I2, 4));
    put(control.Get(), dispid::FlashCycle, arg(VT_R8, 0.75));
    EXPECT_EQ(put(control.Get(), dispid::Pic02, get(control.Get(), dispid::Pic10)), S_OK);
    return control;
}

void expectConfigured(IDispatch* loaded) {
    const Variant title = get(loaded, dispid::TrayTitle);
    EXPECT_STREQ(V_BSTR(&title), L"Davrin");
    EXPECT_EQ(number(loaded, dispid::TrayMode), 2);
    EXPECT_EQ(number(loaded, dispid::FrameCount), 4);
    EXPECT_EQ(number(loaded, dispid::FlashCycle), 0.75);
    EXPECT_NE(number(loaded, dispid::Pic02), 0);
    EXPECT_NE(number(loaded, dispid::Pic02), number(loaded, dispid::Pic03));
}

HRESULT loadBag(IDispatch* control, MemoryPropertyBag& bag) {
    ComPtr<IPersistPropertyBag> reader;
    EXPECT_EQ(control->QueryInterface(IID_PPV_ARGS(&reader)), S_OK);
    return reader ? reader->Load(&bag, nullptr) : E_NOINTERFACE;
}

TEST(Persistence, PropertyBagGetsOnlyChangedValuesInOrderAndLoadsThemBack) {
    ComPtr<IPersistPropertyBag> fresh;
    ASSERT_EQ(createControl().As(&fresh), S_OK);
    EXPECT_EQ(fresh->InitNew(), S_OK);
    ComPtr<IPersistPropertyBag> persist;
    ASSERT_EQ(configured().As(&persist), S_OK);
    MemoryPropertyBag bag;
    ASSERT_EQ(persist->Save(&bag, TRUE, FALSE), S_OK);
    EXPECT_EQ(bag.names(), (std::vector<std::wstring>{L"TrayTitle", L"Pic02", L"FlashCycle",
                                                      L"FrameCount", L"TrayMode"}));
    EXPECT_EQ(V_VT(&bag.items[0].value), VT_BSTR);
    EXPECT_EQ(V_VT(&bag.items[4].value), VT_I2);
    const auto loaded = createControl();
    ASSERT_EQ(loadBag(loaded.Get(), bag), S_OK);
    expectConfigured(loaded.Get());

    // The host program's own form: two keys, in whatever case, the rest defaults.
    MemoryPropertyBag host;
    host.items.push_back({L"traytitle", text(L"Davrin"), nullptr});
    host.items.push_back({L"TrayMode", arg(VT_I4, 2), nullptr}); // another numeric kind
    const auto shell = createControl();
    ASSERT_EQ(loadBag(shell.Get(), host), S_OK);
    EXPECT_EQ(number(shell.Get(), dispid::TrayMode), 2);
    EXPECT_EQ(number(shell.Get(), dispid::FrameCount), 10);
    EXPECT_NE(number(shell.Get(), dispid::Image), 0);

    // A picture kept as Nothing, in any of the forms hosts write it, loads as a picture without
    // an image, and that saves and loads again through a bag and through a stream.
    for (const VARTYPE nothing : {VT_EMPTY, VT_NULL, VT_DISPATCH, VT_UNKNOWN}) {
        MemoryPropertyBag empty;
        for (const auto* key : {L"Image", L"Pic01"}) {
            Variant value;
            V_VT(&value) = nothing;
            V_UNKNOWN(&value) = nullptr;
            empty.items.push_back({key, std::move(value), nullptr});
        }
        auto control = createControl();
        ASSERT_EQ(loadBag(control.Get(), empty), S_OK) << nothing;
        for (int round = 0; round < 3; ++round) {
            for (const DISPID id : {dispid::Image, dispid::Pic01}) {
                const Variant value = get(control.Get(), id);
                ComPtr<IPicture> picture;
                ASSERT_EQ(V_VT(&value), VT_DISPATCH);
                ASSERT_TRUE(V_DISPATCH(&value)) << nothing << " round " << round;
                ASSERT_EQ(V_DISPATCH(&value)->QueryInterface(IID_PPV_ARGS(&picture)), S_OK);
                short type = -1;
                picture->get_Type(&type);
                EXPECT_EQ(type, PICTYPE_NONE) << nothing << " round " << round;
            }
            ComPtr<IPersistStreamInit> saver, reader;
            ComPtr<IStream> stream;
            ASSERT_EQ(control.As(&saver), S_OK);
            ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
            ASSERT_EQ(saver->Save(stream.Get(), TRUE), S_OK) << nothing << " round " << round;
            MemoryPropertyBag saved;
            ComPtr<IPersistPropertyBag> bagSaver;
            ASSERT_EQ(control.As(&bagSaver), S_OK);
            ASSERT_EQ(bagSaver->Save(&saved, TRUE, FALSE), S_OK);
            control = createControl();
            if (round == 0) { // the next round reads the stream, the last one the bag
                stream->Seek({}, STREAM_SEEK_SET, nullptr);
                ASSERT_EQ(control.As(&reader), S_OK);
                ASSERT_EQ(reader->Load(stream.Get()), S_OK);
            } else {
                ASSERT_EQ(loadBag(control.Get(), saved), S_OK);
            }
        }
    }
}

TEST(Persistence, StreamRoundTripsAndDamagedStreamsAreRefused) {
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(configured().As(&persist), S_OK);
    CLSID clsid{};
    persist->GetClassID(&clsid);
    EXPECT_EQ(clsid, guid(kClsidCtlSysTray));
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);

    const auto loaded = createControl();
    auto load = [&](const std::vector<std::uint8_t>& data) {
        ComPtr<IStream> s;
        CreateStreamOnHGlobal(nullptr, TRUE, &s);
        s->Write(data.data(), static_cast<ULONG>(data.size()), nullptr);
        s->Seek({}, STREAM_SEEK_SET, nullptr);
        ComPtr<IPersistStreamInit> reader;
        return loaded.As(&reader) == S_OK ? reader->Load(s.Get()) : E_FAIL;
    };
    ASSERT_EQ(load(bytes), S_OK);
    // A stream cut short, one that claims an absurdly long first key, one with a wrong tag: each
    // is refused whole, leaving the control as it was.
    EXPECT_TRUE(FAILED(load({bytes.begin(), bytes.begin() + std::ssize(bytes) / 2})));
    auto huge = bytes;
    huge[8] = huge[9] = huge[10] = huge[11] = 0x7F;
    EXPECT_TRUE(FAILED(load(huge)));
    auto wrongTag = bytes;
    wrongTag[0] ^= 0xFF;
    EXPECT_EQ(load(wrongTag), STG_E_INVALIDHEADER);
    expectConfigured(loaded.Get());
}

} // namespace
} // namespace norvane::com
