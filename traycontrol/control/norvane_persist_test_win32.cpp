// Wine tests of ctlSysTray's persistence through a host's property bag and through a stream.
#include "com_test_support_win32.h"
#include "registration_win32.h"

#include <gtest/gtest.h>

namespace norvane::test {
namespace {

ComPtr<IDispatch> createControl() {
    ComPtr<IDispatch> control;
    EXPECT_EQ(CoCreateInstance(guid(kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&control)),
              S_OK);
    return control;
}

void put(IDispatch* control, DISPID id, VARIANT value) {
    Call call;
    const bool object = V_VT(&value) == VT_DISPATCH;
    invoke(control, id, object ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT, {value}, call);
    ASSERT_EQ(call.hr, S_OK);
}

double number(IDispatch* control, DISPID id) {
    Call call;
    invoke(control, id, DISPATCH_PROPERTYGET, {}, call);
    Variant n;
    VariantChangeType(&n, &call.result, 0, VT_R8);
    return V_R8(&n);
}

OLE_HANDLE pictureHandle(IDispatch* control, DISPID id) {
    Call call;
    invoke(control, id, DISPATCH_PROPERTYGET, {}, call);
    ComPtr<IPicture> picture;
    OLE_HANDLE handle = 0;
    if (V_VT(&call.result) == VT_DISPATCH && V_DISPATCH(&call.result) &&
        SUCCEEDED(V_DISPATCH(&call.result)->QueryInterface(IID_PPV_ARGS(&picture))))
        picture->get_Handle(&handle);
    return handle;
}

// The host program's settings, plus a moved picture so that a picture travels too.
void configure(IDispatch* control) {
    VARIANT title;
    V_VT(&title) = VT_BSTR;
    V_BSTR(&title) = SysAllocString(L"Davrin");
    put(control, dispid::TrayTitle, title);
    VariantClear(&title);
    put(control, dispid::TrayMode, vI2(2));
    put(control, dispid::FrameCount, vI2(4));
    put(control, dispid::FlashCycle, vR8(0.75));
    Call spare;
    invoke(control, dispid::Pic10, DISPATCH_PROPERTYGET, {}, spare);
    put(control, dispid::Pic02, spare.result);
}

void expectConfigured(IDispatch* loaded) {
    Call title;
    invoke(loaded, dispid::TrayTitle, DISPATCH_PROPERTYGET, {}, title);
    EXPECT_STREQ(V_BSTR(&title.result), L"Davrin");
    EXPECT_EQ(number(loaded, dispid::TrayMode), 2);
    EXPECT_EQ(number(loaded, dispid::FrameCount), 4);
    EXPECT_EQ(number(loaded, dispid::FlashCycle), 0.75);
    EXPECT_EQ(number(loaded, dispid::AnimCycle), 0.5);
    EXPECT_EQ(number(loaded, dispid::swTrayMouse), -1);
    EXPECT_NE(pictureHandle(loaded, dispid::Pic02), 0u);
    EXPECT_NE(pictureHandle(loaded, dispid::Pic02), pictureHandle(loaded, dispid::Pic03));
}

TEST(Persistence, PropertyBagGetsOnlyChangedValuesInOrderAndLoadsThemBack) {
    const auto control = createControl();
    ComPtr<IPersistPropertyBag> persist;
    ASSERT_EQ(control.As(&persist), S_OK);
    ASSERT_EQ(persist->InitNew(), S_OK);
    MemoryPropertyBag untouched;
    ASSERT_EQ(persist->Save(&untouched, TRUE, FALSE), S_OK);
    EXPECT_TRUE(untouched.items.empty());

    configure(control.Get());
    MemoryPropertyBag bag;
    ASSERT_EQ(persist->Save(&bag, TRUE, FALSE), S_OK);
    EXPECT_EQ(bag.names(), (std::vector<std::wstring>{L"TrayTitle", L"Pic02", L"FlashCycle",
                                                      L"FrameCount", L"TrayMode"}));
    EXPECT_EQ(V_VT(&bag.items[0].value), VT_BSTR);
    EXPECT_EQ(V_VT(&bag.items[4].value), VT_I2);

    const auto loaded = createControl();
    ComPtr<IPersistPropertyBag> reader;
    ASSERT_EQ(loaded.As(&reader), S_OK);
    ASSERT_EQ(reader->Load(&bag, nullptr), S_OK);
    expectConfigured(loaded.Get());

    // The host program's own form: two keys, in whatever case, the rest defaults.
    MemoryPropertyBag host;
    host.items.resize(2);
    host.items[0].name = L"traytitle";
    V_VT(&host.items[0].value) = VT_BSTR;
    V_BSTR(&host.items[0].value) = SysAllocString(L"Davrin");
    host.items[1].name = L"TrayMode";
    V_VT(&host.items[1].value) = VT_I4; // a bag may answer in another numeric kind
    V_I4(&host.items[1].value) = 2;
    const auto shell = createControl();
    ComPtr<IPersistPropertyBag> shellReader;
    shell.As(&shellReader);
    ASSERT_EQ(shellReader->Load(&host, nullptr), S_OK);
    EXPECT_EQ(number(shell.Get(), dispid::TrayMode), 2);
    EXPECT_EQ(number(shell.Get(), dispid::FrameCount), 10);
    EXPECT_NE(pictureHandle(shell.Get(), dispid::Image), 0u);
}

TEST(Persistence, StreamRoundTripsAndDamagedStreamsAreRefused) {
    const auto control = createControl();
    configure(control.Get());
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(control.As(&persist), S_OK);
    CLSID clsid{};
    persist->GetClassID(&clsid);
    EXPECT_EQ(clsid, guid(kClsidCtlSysTray));
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    const auto loaded = createControl();
    ComPtr<IPersistStreamInit> reader;
    ASSERT_EQ(loaded.As(&reader), S_OK);
    ASSERT_EQ(reader->Load(stream.Get()), S_OK);
    expectConfigured(loaded.Get());

    // A stream cut short, and one that claims an absurdly long text.
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const auto size = static_cast<ULONG>(stat.cbSize.QuadPart);
    std::vector<std::uint8_t> bytes(size);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    stream->Read(bytes.data(), size, nullptr);
    auto loadBytes = [&](const std::vector<std::uint8_t>& data) {
        ComPtr<IStream> s;
        CreateStreamOnHGlobal(nullptr, TRUE, &s);
        s->Write(data.data(), static_cast<ULONG>(data.size()), nullptr);
        s->Seek(start, STREAM_SEEK_SET, nullptr);
        return createControl().As(&reader) == S_OK ? reader->Load(s.Get()) : E_FAIL;
    };
    EXPECT_TRUE(FAILED(loadBytes({bytes.begin(), bytes.begin() + size / 2})));
    auto huge = bytes;
    huge[8] = huge[9] = huge[10] = huge[11] = 0x7F; // the first key's length
    EXPECT_TRUE(FAILED(loadBytes(huge)));
    auto wrongTag = bytes;
    wrongTag[0] ^= 0xFF;
    EXPECT_EQ(loadBytes(wrongTag), STG_E_INVALIDHEADER);
}

// Per-user registration writes its keys under a Classes key; the layout is checked under a
// scratch key so the machine's own registration is not touched.
TEST(Registration, KeyLayoutUnderAClassesRootAndCompleteRemoval) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\DavrinTest\\Classes", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    UniqueHkey root(raw);
    const std::wstring dll = L"C:\\Programs\\Davrin\\Norvane.dll";
    ASSERT_EQ(registerServer(root.get(), dll), S_OK);

    auto read = [&](const std::wstring& key, const wchar_t* name) {
        wchar_t value[512] = {};
        DWORD size = sizeof value;
        const LONG status =
            RegGetValueW(root.get(), key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size);
        return status == ERROR_SUCCESS ? std::wstring(value) : L"<missing>";
    };
    const std::wstring clsid = L"CLSID\\{58C21921-3704-4395-9C49-DC50E48B82C8}";
    const std::wstring lib = L"TypeLib\\{DBA3605D-0AD1-4E06-9F27-2EC580769350}\\1.0";
    const std::pair<std::wstring, const wchar_t*> keys[] = {
        {clsid + L"\\InprocServer32", nullptr},
        {clsid + L"\\InprocServer32", L"ThreadingModel"},
        {clsid + L"\\ProgID", nullptr},
        {clsid + L"\\TypeLib", nullptr},
        {L"Norvane.ctlSysTray\\CLSID", nullptr},
        {lib + L"\\0\\win32", nullptr},
        {lib, nullptr},
        {L"Interface\\{EA88E587-14D5-405C-A026-70FE424283E8}\\ProxyStubClsid32", nullptr},
        {L"Interface\\{56A670CB-A594-4CDD-B29B-7C8003FAF11C}\\TypeLib", nullptr}};
    const std::wstring expected[] = {dll,
                                     L"Apartment",
                                     L"Norvane.ctlSysTray",
                                     L"{DBA3605D-0AD1-4E06-9F27-2EC580769350}",
                                     L"{58C21921-3704-4395-9C49-DC50E48B82C8}",
                                     dll,
                                     L"Utility to place Programms on the Taskbar",
                                     L"{00020424-0000-0000-C000-000000000046}",
                                     L"{DBA3605D-0AD1-4E06-9F27-2EC580769350}"};
    for (std::size_t i = 0; i < std::size(keys); ++i)
        EXPECT_EQ(read(keys[i].first, keys[i].second), expected[i]) << i;
    EXPECT_TRUE(read(clsid + L"\\Control", nullptr).empty());

    ASSERT_EQ(unregisterServer(root.get()), S_OK);
    // Only the shared folders of every Classes key remain, and they are empty.
    auto subkeys = [](HKEY key) {
        std::vector<std::wstring> names;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                return names;
            names.emplace_back(name, length);
        }
    };
    EXPECT_EQ(subkeys(root.get()), (std::vector<std::wstring>{L"CLSID", L"Interface", L"TypeLib"}));
    for (const auto* shared : {L"CLSID", L"Interface", L"TypeLib"}) {
        HKEY folder = nullptr;
        RegOpenKeyExW(root.get(), shared, 0, KEY_READ, &folder);
        UniqueHkey closer(folder);
        EXPECT_TRUE(subkeys(folder).empty()) << "left behind under a shared folder";
    }
    EXPECT_EQ(unregisterServer(root.get()), S_OK); // twice is harmless
    root.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\DavrinTest");
}

} // namespace
} // namespace norvane::test
