// Wine tests of Norvane.dll as a registered COM server: creation, type library, dispatch.
#include "com_test_support_win32.h"

#include <gtest/gtest.h>

#include <map>

namespace norvane::test {
namespace {

// Registers the DLL beside the test as regsvr32 would, and unregisters it at the end.
class RegisteredServer : public ::testing::Environment {
public:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        module_ = LoadLibraryW((exeFolder() + L"Norvane.dll").c_str());
        ASSERT_NE(module_, nullptr);
        auto reg = reinterpret_cast<HRESULT(WINAPI*)()>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllRegisterServer")));
        ASSERT_NE(reg, nullptr);
        ASSERT_EQ(reg(), S_OK);
    }
    void TearDown() override {
        auto unreg = reinterpret_cast<HRESULT(WINAPI*)()>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllUnregisterServer")));
        EXPECT_EQ(unreg(), S_OK);
        CLSID clsid;
        EXPECT_EQ(CLSIDFromProgID(L"Norvane.ctlSysTray", &clsid), CO_E_CLASSSTRING);
        ComPtr<IDispatch> gone;
        EXPECT_EQ(CoCreateInstance(guid(kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&gone)),
                  REGDB_E_CLASSNOTREG);
        CoUninitialize();
    }

private:
    HMODULE module_ = nullptr;
};
const auto* const registered = ::testing::AddGlobalTestEnvironment(new RegisteredServer);

ComPtr<IDispatch> createControl() {
    ComPtr<IDispatch> control;
    EXPECT_EQ(CoCreateInstance(guid(kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&control)),
              S_OK);
    return control;
}

TEST(Creation, ByProgIdAndByClsidWithRegistryEntriesOfTheServer) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"Norvane.ctlSysTray", &clsid), S_OK);
    EXPECT_EQ(clsid, guid(kClsidCtlSysTray));
    ComPtr<IUnknown> byProgId;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&byProgId)),
              S_OK);
    const auto byClsid = createControl();
    ASSERT_TRUE(byClsid);

    for (const IID& iid :
         {IID_IConnectionPointContainer, IID_IPersistStreamInit, IID_IPersistPropertyBag,
          IID_IOleObject, IID_IOleControl, IID_IViewObject2, IID_IProvideClassInfo2,
          IID_ISpecifyPropertyPages, guid(kIidCtlSysTray)}) {
        ComPtr<IUnknown> part;
        EXPECT_EQ(byClsid->QueryInterface(iid, reinterpret_cast<void**>(part.GetAddressOf())),
                  S_OK);
    }

    HKEY raw = nullptr;
    const std::wstring server =
        L"CLSID\\" +
        std::wstring(kClsidCtlSysTrayText, kClsidCtlSysTrayText + sizeof kClsidCtlSysTrayText - 1) +
        L"\\InprocServer32";
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, server.c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
    UniqueHkey key(raw);
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    ASSERT_EQ(RegQueryValueExW(key.get(), L"ThreadingModel", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(value), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(value, L"Apartment");
}

struct Member {
    const wchar_t* name;
    DISPID id;
    INVOKEKIND kind;
    std::wstring help;
    std::vector<std::wstring> args;
};

std::wstring pictureHelp(int n) {
    return L"Picture Number " + std::to_wstring(n) + L" for animated Icon";
}

TEST(TypeLibrary, ReadsBackAsTheControlsTablesSayAndIsRegistered) {
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(LoadRegTypeLib(guid(kLibId), 1, 0, 0x0409, &lib), S_OK);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->lcid, 0x0409u);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    lib->ReleaseTLibAttr(attr);
    Bstr name, help;
    ASSERT_EQ(lib->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr), S_OK);
    EXPECT_STREQ(name.get(), L"Norvane");
    EXPECT_STREQ(help.get(), L"Utility to place Programms on the Taskbar");

    const std::map<std::wstring, std::pair<Guid, TYPEKIND>> items = {
        {L"_ctlSysTray", {kIidCtlSysTray, TKIND_DISPATCH}},
        {L"ctlSysTray", {kClsidCtlSysTray, TKIND_COCLASS}},
        {L"__ctlSysTray", {kDiidCtlSysTrayEvents, TKIND_DISPATCH}},
        {L"_SysTrayTest", {kIidSysTrayTest, TKIND_DISPATCH}},
        {L"SysTrayTest", {kClsidSysTrayTest, TKIND_COCLASS}},
        {L"_SysTrayText", {kIidSysTrayText, TKIND_DISPATCH}},
        {L"SysTrayText", {kClsidSysTrayText, TKIND_COCLASS}}};
    EXPECT_EQ(lib->GetTypeInfoCount(), items.size());
    for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
        Bstr itemName;
        lib->GetDocumentation(static_cast<INT>(i), itemName.put(), nullptr, nullptr, nullptr);
        const auto found = items.find(itemName.get());
        ASSERT_NE(found, items.end()) << itemName.text().size();
        ComPtr<ITypeInfo> info;
        lib->GetTypeInfo(i, &info);
        TYPEATTR* type = nullptr;
        info->GetTypeAttr(&type);
        EXPECT_EQ(type->guid, guid(found->second.first));
        EXPECT_EQ(type->typekind, found->second.second);
        if (found->first == L"_ctlSysTray") {
            EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDUAL && type->wTypeFlags & TYPEFLAG_FHIDDEN);
        }
        if (found->first == L"ctlSysTray") {
            EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FCONTROL &&
                        type->wTypeFlags & TYPEFLAG_FCANCREATE);
        }
        info->ReleaseTypeAttr(type);
    }

    std::vector<Member> expected = {
        {L"PlaceIcon", 0x6003001A, INVOKE_FUNC, L"Place the Icon on the SysTray", {}},
        {L"RestoreIcon", 0x6003001B, INVOKE_FUNC, L"Restore Icon Parameters to default", {}},
        {L"EliminateIcon", 0x6003001C, INVOKE_FUNC, L"Eliminate Icon from SysTray", {}},
        {L"RefreshIcon",
         0x6003001D,
         INVOKE_FUNC,
         L"Refresh/set (new) Image and or Title of Icon ",
         {L"IconImage", L"New_ToolTip"}}};
    auto add = [&](const wchar_t* n, DISPID id, INVOKEKIND put, const std::wstring& h) {
        expected.push_back({n, id, INVOKE_PROPERTYGET, h, {}});
        expected.push_back({n, id, put, h, {L"New_" + std::wstring(n)}});
    };
    add(L"TrayTitle", 0x68030012, INVOKE_PROPERTYPUT,
        L"Returns or sets the Title of the Icon placed on the Tray");
    add(L"swTrayMouse", 0x68030011, INVOKE_PROPERTYPUT,
        L"Enables / Disables Mouse Events for the Icon on the Tray");
    add(L"swTrayText", 0x68030010, INVOKE_PROPERTYPUT,
        L"Enables / Disables Textdisplay for Icon on SysTray");
    add(L"Image", 0x6803000F, INVOKE_PROPERTYPUTREF,
        L"Returns/sets a graphic to be displayed as Icon in the SysTray (Static Mode)");
    add(L"FlashCycle", 0x6803000E, INVOKE_PROPERTYPUT,
        L"Cycle Time in seconds for flashing of the Icon");
    add(L"AnimCycle", 0x6803000D, INVOKE_PROPERTYPUT, L"Cycle Time in seconds for the Animation");
    add(L"FrameCount", 0x6803000C, INVOKE_PROPERTYPUT,
        L"Number of Frames used for an  animated Icon");
    const std::wstring picNames[] = {L"Pic01", L"Pic02", L"Pic03", L"Pic04", L"Pic05",
                                     L"Pic06", L"Pic07", L"Pic08", L"Pic09", L"Pic10"};
    for (int n = 1; n <= 10; ++n)
        add(picNames[n - 1].c_str(), dispid::pic(n), INVOKE_PROPERTYPUTREF, pictureHelp(n));
    add(L"TrayMode", 0x68030001, INVOKE_PROPERTYPUT,
        L"Modes of operation\r\n0 - Static; 1 -  Flash; 2 -  Animation");
    add(L"GoWeb", 0x68030000, INVOKE_PROPERTYPUT, L"");
    ComPtr<ITypeInfo> dispatch, vtable;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(guid(kIidCtlSysTray), &dispatch), S_OK);
    HREFTYPE ref = 0;
    ASSERT_EQ(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref), S_OK);
    ASSERT_EQ(dispatch->GetRefTypeInfo(ref, &vtable), S_OK);
    TYPEATTR* type = nullptr;
    vtable->GetTypeAttr(&type);
    const UINT functions = type->cFuncs;
    vtable->ReleaseTypeAttr(type);
    ASSERT_EQ(functions, expected.size());
    for (UINT i = 0; i < functions; ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_EQ(vtable->GetFuncDesc(i, &f), S_OK);
        const auto& m = expected[i];
        BSTR names[4] = {};
        UINT count = 0;
        vtable->GetNames(f->memid, names, 4, &count);
        Bstr fname, fhelp;
        vtable->GetDocumentation(f->memid, fname.put(), fhelp.put(), nullptr, nullptr);
        EXPECT_STREQ(fname.get(), m.name) << i;
        EXPECT_EQ(f->memid, m.id) << i;
        EXPECT_EQ(f->invkind, m.kind) << i;
        EXPECT_EQ(std::wstring(fhelp.get() ? fhelp.get() : L""), m.help) << i;
        const bool hidden = m.id == dispid::GoWeb;
        EXPECT_EQ((f->wFuncFlags & FUNCFLAG_FHIDDEN) != 0, hidden) << i;
        EXPECT_EQ((f->wFuncFlags & FUNCFLAG_FNONBROWSABLE) != 0, hidden) << i;
        // GetNames answers for the first member of a number, so only the getters' and the
        // methods' names can be read back; a put's argument name has no reader.
        if (m.kind != INVOKE_PROPERTYPUT && m.kind != INVOKE_PROPERTYPUTREF) {
            ASSERT_GE(count, m.args.size() + 1) << i;
            for (std::size_t a = 0; a < m.args.size(); ++a)
                EXPECT_STREQ(names[a + 1], m.args[a].c_str()) << i;
        }
        if (m.id == dispid::RefreshIcon) {
            EXPECT_TRUE(f->lprgelemdescParam[0].paramdesc.wParamFlags & PARAMFLAG_FOPT);
        }
        for (auto* n : names)
            SysFreeString(n);
        vtable->ReleaseFuncDesc(f);
    }
}

TEST(TypeLibrary, EventsCarryFourByReferenceArgumentsInTableOrder) {
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(LoadRegTypeLib(guid(kLibId), 1, 0, 0x0409, &lib), S_OK);
    ComPtr<ITypeInfo> events;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(guid(kDiidCtlSysTrayEvents), &events), S_OK);
    const std::pair<const wchar_t*, const wchar_t*> table[] = {
        {L"TrMouseLeftUp", L"MouseEvent  left Button up"},
        {L"TrMouseLeftDown", L"MouseEvent  left Button down"},
        {L"TrMouseLeftDblClk", L"MouseEvent Double click of left Button"},
        {L"TrMouseRightUp", L"MouseEvent right Button up"},
        {L"TrMouseRightDown", L"MouseEvent right Button down"},
        {L"TrMouseRighDblClk", L"MouseEvent Double click of right Button"},
        {L"TrMouseMidUp", L"MouseEvent middle Button up"},
        {L"TrMouseMidDown", L"MouseEvent middle Button down"},
        {L"TrMouseMidDblClk", L"MouseEvent Double click of middle Button"}};
    for (UINT i = 0; i < std::size(table); ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_EQ(events->GetFuncDesc(i, &f), S_OK);
        EXPECT_EQ(f->memid, static_cast<DISPID>(i + 1));
        ASSERT_EQ(f->cParams, 4);
        const VARTYPE kinds[] = {VT_I2, VT_I2, VT_R4, VT_R4};
        for (int p = 0; p < 4; ++p) {
            const auto& t = f->lprgelemdescParam[p].tdesc;
            ASSERT_EQ(t.vt, VT_PTR);
            EXPECT_EQ(t.lptdesc->vt, kinds[p]);
        }
        BSTR names[5] = {};
        UINT count = 0;
        events->GetNames(f->memid, names, 5, &count);
        ASSERT_EQ(count, 5u);
        EXPECT_STREQ(names[0], table[i].first);
        const wchar_t* args[] = {L"Button", L"Shift", L"X", L"y"};
        for (int p = 0; p < 4; ++p)
            EXPECT_STREQ(names[p + 1], args[p]);
        Bstr help;
        events->GetDocumentation(f->memid, nullptr, help.put(), nullptr, nullptr);
        EXPECT_STREQ(help.get(), table[i].second);
        for (auto* n : names)
            SysFreeString(n);
        events->ReleaseFuncDesc(f);
    }
}

TEST(Dispatch, EveryPropertyRoundTripsLateBoundWithItsCorrection) {
    const auto control = createControl();
    struct Case {
        DISPID id;
        VARIANT set;
        VARTYPE type;
        double expect; // numbers and Booleans as read back
    };
    // One case a property; the corrections themselves are the logic's and tested natively.
    const Case cases[] = {
        {dispid::swTrayMouse, vBool(false), VT_BOOL, 0},
        {dispid::swTrayText, vBool(true), VT_BOOL, -1},
        {dispid::FlashCycle, vR8(1.25), VT_R8, 1.25},
        {dispid::AnimCycle, vR8(0.25), VT_R8, 0.25},
        {dispid::FrameCount, vI2(25), VT_I2, 10},
        {dispid::TrayMode, vI2(7), VT_I2, 0},
        {dispid::GoWeb, vBool(false), VT_BOOL, 0},
    };
    for (const auto& c : cases) {
        Call put, get;
        invoke(control.Get(), c.id, DISPATCH_PROPERTYPUT, {c.set}, put);
        EXPECT_EQ(put.hr, S_OK) << std::hex << c.id;
        invoke(control.Get(), c.id, DISPATCH_PROPERTYGET, {}, get);
        ASSERT_EQ(get.hr, S_OK);
        ASSERT_EQ(V_VT(&get.result), c.type) << std::hex << c.id;
        Variant number;
        VariantChangeType(&number, &get.result, 0, VT_R8);
        EXPECT_EQ(V_R8(&number), c.expect) << std::hex << c.id;
    }

    Call title, read;
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"Davrin");
    invoke(control.Get(), dispid::TrayTitle, DISPATCH_PROPERTYPUT, {text}, title);
    VariantClear(&text);
    invoke(control.Get(), dispid::TrayTitle, DISPATCH_PROPERTYGET, {}, read);
    EXPECT_STREQ(V_BSTR(&read.result), L"Davrin");

    // Pictures: the built-in ones are real picture objects; a picture set by reference comes
    // back as the same object.
    Call pic1, image;
    invoke(control.Get(), dispid::Pic01, DISPATCH_PROPERTYGET, {}, pic1);
    ASSERT_EQ(V_VT(&pic1.result), VT_DISPATCH);
    ComPtr<IPicture> picture;
    ASSERT_EQ(V_DISPATCH(&pic1.result)->QueryInterface(IID_PPV_ARGS(&picture)), S_OK);
    short kind = 0;
    picture->get_Type(&kind);
    EXPECT_EQ(kind, PICTYPE_ICON);
    for (int n = 2; n <= 10; ++n) {
        Call set, get;
        invoke(control.Get(), dispid::pic(n), DISPATCH_PROPERTYPUTREF, {pic1.result}, set);
        EXPECT_EQ(set.hr, S_OK);
        invoke(control.Get(), dispid::pic(n), DISPATCH_PROPERTYGET, {}, get);
        EXPECT_EQ(V_DISPATCH(&get.result), V_DISPATCH(&pic1.result)) << n;
    }
    Call setImage;
    invoke(control.Get(), dispid::Image, DISPATCH_PROPERTYPUTREF, {pic1.result}, setImage);
    invoke(control.Get(), dispid::Image, DISPATCH_PROPERTYGET, {}, image);
    EXPECT_EQ(V_DISPATCH(&image.result), V_DISPATCH(&pic1.result));

    // An interval the timer cannot take comes back as an automation error; the value stays.
    Call tooLong, stored;
    invoke(control.Get(), dispid::AnimCycle, DISPATCH_PROPERTYPUT, {vR8(70)}, tooLong);
    EXPECT_EQ(tooLong.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(tooLong.exception.scode, CTL_E_INVALIDPROPERTYVALUE);
    invoke(control.Get(), dispid::AnimCycle, DISPATCH_PROPERTYGET, {}, stored);
    EXPECT_EQ(V_R8(&stored.result), 70);
}

TEST(Dispatch, MethodsAnswerBooleansAndTakeOptionalArguments) {
    const auto control = createControl();
    auto method = [&](DISPID id, std::vector<VARIANT> args) {
        Call call;
        invoke(control.Get(), id, DISPATCH_METHOD, std::move(args), call);
        EXPECT_EQ(call.hr, S_OK) << std::hex << id;
        EXPECT_EQ(V_VT(&call.result), VT_BOOL) << std::hex << id;
        return V_BOOL(&call.result);
    };
    EXPECT_EQ(method(dispid::RefreshIcon, {}), VARIANT_FALSE); // not placed
    EXPECT_EQ(method(dispid::RestoreIcon, {}), VARIANT_FALSE);
    EXPECT_EQ(method(dispid::PlaceIcon, {}), VARIANT_TRUE);
    EXPECT_EQ(method(dispid::RestoreIcon, {}), VARIANT_TRUE);
    EXPECT_EQ(method(dispid::RefreshIcon, {}), VARIANT_TRUE);

    Call pic;
    invoke(control.Get(), dispid::Pic03, DISPATCH_PROPERTYGET, {}, pic);
    IDispatch* picture = V_DISPATCH(&pic.result);
    BSTR tip = SysAllocString(L"New tip");
    VARIANT byRefPicture, byRefTip;
    V_VT(&byRefPicture) = VT_DISPATCH | VT_BYREF;
    V_DISPATCHREF(&byRefPicture) = &picture;
    V_VT(&byRefTip) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&byRefTip) = &tip;
    EXPECT_EQ(method(dispid::RefreshIcon, {byRefPicture}), VARIANT_TRUE);
    EXPECT_EQ(method(dispid::RefreshIcon, {byRefPicture, byRefTip}), VARIANT_TRUE);
    VARIANT missing, byValueTip;
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    V_VT(&byValueTip) = VT_BSTR;
    V_BSTR(&byValueTip) = tip;
    EXPECT_EQ(method(dispid::RefreshIcon, {vDispatch(picture), byValueTip}), VARIANT_TRUE);
    EXPECT_EQ(method(dispid::RefreshIcon, {missing, byValueTip}), VARIANT_TRUE);
    Call wrong;
    invoke(control.Get(), dispid::RefreshIcon, DISPATCH_METHOD, {vR8(1)}, wrong);
    EXPECT_EQ(wrong.hr, DISP_E_TYPEMISMATCH);
    SysFreeString(tip);
    EXPECT_EQ(method(dispid::EliminateIcon, {}), VARIANT_TRUE);
    EXPECT_EQ(method(dispid::EliminateIcon, {}), VARIANT_TRUE);
}

} // namespace
} // namespace norvane::test
