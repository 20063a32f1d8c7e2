// Wine tests of Norvane.dll as a registered COM server: creation, type library, dispatch.
#include "traycontrol/control/com/com_support_win32_test.h"

#include <cstring>

namespace norvane::com {
namespace {

// Registers the DLL beside the test as regsvr32 would, and unregisters it at the end.
class RegisteredServer : public ::testing::Environment {
public:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        module_ = LoadLibraryW((exeFolder() + L"Norvane.dll").c_str());
        ASSERT_NE(module_, nullptr);
        ASSERT_EQ(entry("DllRegisterServer")(), S_OK);
    }
    void TearDown() override {
        EXPECT_EQ(entry("DllUnregisterServer")(), S_OK);
        CLSID clsid;
        EXPECT_EQ(CLSIDFromProgID(L"Norvane.ctlSysTray", &clsid), CO_E_CLASSSTRING);
        ComPtr<IDispatch> gone;
        EXPECT_EQ(CoCreateInstance(guid(kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&gone)),
                  REGDB_E_CLASSNOTREG);
        CoUninitialize();
    }

private:
    using Entry = HRESULT(WINAPI*)();
    Entry entry(const char* name) const {
        return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }
    HMODULE module_ = nullptr;
};
const auto* const registered = ::testing::AddGlobalTestEnvironment(new RegisteredServer);

TEST(Creation, ByProgIdWithEveryInterfaceAHostAsksFor) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"Norvane.ctlSysTray", &clsid), S_OK);
    EXPECT_EQ(clsid, guid(kClsidCtlSysTray));
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

    // A host may walk the connection points instead of asking for one by its interface.
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(byClsid.As(&container), S_OK);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    IConnectionPoint* found[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(3, found, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    IID iids[2] = {};
    for (ULONG i = 0; i < fetched; ++i) {
        found[i]->GetConnectionInterface(&iids[i]);
        found[i]->Release();
    }
    EXPECT_EQ(iids[0], guid(kDiidCtlSysTrayEvents));
    EXPECT_EQ(iids[1], IID_IPropertyNotifySink);
}

std::wstring wide(const char* text) {
    return {text, text + std::strlen(text)};
}

// The identities are written once, in the IDL; the header the build generates from it must
// agree with the type library widl builds from it, and the library must be registered as a
// control's.
TEST(TypeLibrary, AgreesWithTheIdentitiesGeneratedFromTheIdl) {
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(LoadRegTypeLib(guid(kLibId), 1, 0, 0x0409, &lib), S_OK);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    const auto flags = attr->wLibFlags;
    lib->ReleaseTLibAttr(attr);
    EXPECT_EQ(flags & LIBFLAG_FCONTROL, LIBFLAG_FCONTROL);
    wchar_t flagsKey[8] = {};
    DWORD size = sizeof flagsKey;
    EXPECT_EQ(RegGetValueW(HKEY_CLASSES_ROOT,
                           (L"TypeLib\\" + wide(kLibIdText) + L"\\1.0\\FLAGS").c_str(), nullptr,
                           RRF_RT_REG_SZ, nullptr, flagsKey, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(flagsKey,
              std::to_wstring(flags & (LIBFLAG_FRESTRICTED | LIBFLAG_FCONTROL | LIBFLAG_FHIDDEN)));
    Bstr name, help;
    ASSERT_EQ(lib->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr), S_OK);
    EXPECT_EQ(name.get(), wide(kLibraryName));
    EXPECT_EQ(help.get(), wide(kLibraryHelp));

    EXPECT_EQ(lib->GetTypeInfoCount(), std::size(kTypes));
    for (const auto& type : kTypes) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(lib->GetTypeInfoOfGuid(guid(type.guid), &info), S_OK) << type.name;
        Bstr typeName;
        info->GetDocumentation(MEMBERID_NIL, typeName.put(), nullptr, nullptr, nullptr);
        EXPECT_EQ(typeName.get(), wide(type.name));
        for (const auto& member : kMembers) {
            if (std::strcmp(member.type, type.name) != 0)
                continue;
            auto memberName = wide(member.name);
            LPOLESTR names[] = {memberName.data()};
            MEMBERID id = 0;
            EXPECT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK) << member.name;
            EXPECT_EQ(id, member.id) << member.name;
        }
    }

    // The one help text with a line break: the build patches it in, widl cannot write it.
    ComPtr<ITypeInfo> dispatch;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(guid(kIidCtlSysTray), &dispatch), S_OK);
    Bstr modes;
    dispatch->GetDocumentation(dispid::TrayMode, nullptr, modes.put(), nullptr, nullptr);
    EXPECT_NE(modes.text().find(u"operation\r\n0 - Static"), std::u16string::npos);
}

TEST(Dispatch, EveryPropertyRoundTripsLateBound) {
    const auto control = createControl();
    struct Case {
        DISPID id;
        VARIANT set;
        double expect; // numbers and Booleans as read back
    };
    // One case a property; the corrections themselves are the logic's and tested natively.
    for (const auto& c :
         {Case{dispid::swTrayMouse, arg(VT_BOOL, 0), 0},
          Case{dispid::swTrayText, arg(VT_BOOL, 1), -1},
          Case{dispid::FlashCycle, arg(VT_R8, 1.25), 1.25},
          Case{dispid::AnimCycle, arg(VT_R8, 0.25), 0.25},
          Case{dispid::FrameCount, arg(VT_I2, 25), 10}, Case{dispid::TrayMode, arg(VT_I2, 7), 0},
          Case{dispid::GoWeb, arg(VT_BOOL, 0), 0}}) {
        EXPECT_EQ(put(control.Get(), c.id, c.set), S_OK) << std::hex << c.id;
        const Variant value = get(control.Get(), c.id);
        EXPECT_EQ(V_VT(&value), V_VT(&c.set)) << std::hex << c.id;
        EXPECT_EQ(number(control.Get(), c.id), c.expect) << std::hex << c.id;
    }
    put(control.Get(), dispid::TrayTitle, text(L"Davrin"));
    const Variant title = get(control.Get(), dispid::TrayTitle);
    EXPECT_STREQ(V_BSTR(&title), L"Davrin");

    // The built-in pictures are real picture objects; one set by reference comes back as is.
    const Variant pic1 = get(control.Get(), dispid::Pic01);
    ASSERT_EQ(V_VT(&pic1), VT_DISPATCH);
    ComPtr<IPicture> picture;
    ASSERT_EQ(V_DISPATCH(&pic1)->QueryInterface(IID_PPV_ARGS(&picture)), S_OK);
    short kind = 0;
    picture->get_Type(&kind);
    EXPECT_EQ(kind, PICTYPE_ICON);
    const DISPID targets[] = {dispid::Image, dispid::Pic02, dispid::Pic03, dispid::Pic04,
                              dispid::Pic05, dispid::Pic06, dispid::Pic07, dispid::Pic08,
                              dispid::Pic09, dispid::Pic10};
    for (const DISPID id : targets) {
        EXPECT_EQ(put(control.Get(), id, pic1), S_OK);
        const Variant back = get(control.Get(), id);
        EXPECT_EQ(V_DISPATCH(&back), V_DISPATCH(&pic1)) << std::hex << id;
    }

    // An interval the timer cannot take comes back as an automation error; the value stays.
    SCODE error = 0;
    EXPECT_EQ(invoke(control.Get(), dispid::AnimCycle, DISPATCH_PROPERTYPUT, {arg(VT_R8, 70)},
                     nullptr, &error),
              DISP_E_EXCEPTION);
    EXPECT_EQ(error, CTL_E_INVALIDPROPERTYVALUE);
    EXPECT_EQ(number(control.Get(), dispid::AnimCycle), 70);
}

TEST(Dispatch, MethodsAnswerBooleansAndTakeOptionalArguments) {
    const auto control = createControl();
    IDispatch* c = control.Get();
    EXPECT_EQ(method(c, dispid::RefreshIcon), VARIANT_FALSE); // not placed
    EXPECT_EQ(method(c, dispid::RestoreIcon), VARIANT_FALSE);
    EXPECT_EQ(method(c, dispid::PlaceIcon), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::RestoreIcon), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::RefreshIcon), VARIANT_TRUE);

    Variant pic = get(c, dispid::Pic03), tip = text(L"New tip");
    VARIANT byRefPicture, byRefTip, missing;
    V_VT(&byRefPicture) = VT_DISPATCH | VT_BYREF;
    V_DISPATCHREF(&byRefPicture) = &V_DISPATCH(&pic);
    V_VT(&byRefTip) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&byRefTip) = &V_BSTR(&tip);
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    EXPECT_EQ(method(c, dispid::RefreshIcon, {byRefPicture}), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::RefreshIcon, {byRefPicture, byRefTip}), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::RefreshIcon, {pic, tip}), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::RefreshIcon, {missing, tip}), VARIANT_TRUE);
    EXPECT_EQ(invoke(c, dispid::RefreshIcon, DISPATCH_METHOD, {arg(VT_R8, 1)}),
              DISP_E_TYPEMISMATCH);

    // By name, with the numbers GetIDsOfNames hands out, in any order, after positional ones. A
    // number makes a tip but no picture, so the argument at fault shows which name was read.
    const wchar_t* names[] = {L"RefreshIcon", L"New_ToolTip", L"IconImage"};
    DISPID ids[3] = {};
    ASSERT_EQ(c->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(names), 3, 0, ids), S_OK);
    EXPECT_EQ(ids[0], dispid::RefreshIcon);
    const DISPID tipId = ids[1], imageId = ids[2];
    Variant one = arg(VT_R8, 1);
    struct Named {
        std::vector<VARIANT> rgvarg; // named ones first
        std::vector<DISPID> names;
        HRESULT expect;
        UINT argError;
    };
    for (const auto& n : {Named{{tip, pic}, {tipId, imageId}, S_OK, 0},
                          Named{{tip, pic}, {tipId}, S_OK, 0}, Named{{one}, {tipId}, S_OK, 0},
                          Named{{tip, one}, {tipId, imageId}, DISP_E_TYPEMISMATCH, 1},
                          Named{{one, tip}, {imageId, tipId}, DISP_E_TYPEMISMATCH, 0},
                          Named{{pic, pic}, {imageId}, DISP_E_PARAMNOTFOUND, 0}}) {
        DISPPARAMS params{const_cast<VARIANT*>(n.rgvarg.data()),
                          const_cast<DISPID*>(n.names.data()), static_cast<UINT>(n.rgvarg.size()),
                          static_cast<UINT>(n.names.size())};
        Variant result;
        UINT argError = 99;
        EXPECT_EQ(c->Invoke(dispid::RefreshIcon, IID_NULL, 0, DISPATCH_METHOD, &params, &result,
                            nullptr, &argError),
                  n.expect)
            << n.rgvarg.size() << " arguments, " << n.names.size() << " named";
        if (FAILED(n.expect))
            EXPECT_EQ(argError, n.argError);
        else
            EXPECT_EQ(V_BOOL(&result), VARIANT_TRUE);
    }
    EXPECT_EQ(method(c, dispid::EliminateIcon), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::EliminateIcon), VARIANT_TRUE);
}

// Hosts build their calls by hand: whatever they pass, every member answers with an automation
// error and the control goes on working.
TEST(Dispatch, MalformedCallsAreAnsweredWithAutomationErrors) {
    const auto control = createControl();
    IDispatch* c = control.Get();
    Variant word = text(L"abc"), one = arg(VT_R8, 1);
    VARIANT missing, notPicture;
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    V_VT(&notPicture) = VT_DISPATCH;
    V_DISPATCH(&notPicture) = c;
    VARIANT three[3] = {one, one, one};
    DISPID put = DISPID_PROPERTYPUT, fifth = 5;
    constexpr UINT none = 99;
    struct Row {
        DISPID id;
        WORD flags;
        DISPPARAMS params;
        HRESULT expect;
        UINT argError = none;
        bool noParams = false;
        bool noResult = false;
    };
    const WORD M = DISPATCH_METHOD, G = DISPATCH_PROPERTYGET, P = DISPATCH_PROPERTYPUT,
               R = DISPATCH_PROPERTYPUTREF;
    const Row rows[] = {{dispid::RefreshIcon, M, {nullptr, nullptr, 2, 0}, E_INVALIDARG},
                        {dispid::RefreshIcon, M, {}, E_INVALIDARG, none, true},
                        {dispid::FrameCount, P, {nullptr, &put, 1, 1}, E_INVALIDARG},
                        {dispid::FrameCount, P, {&one, nullptr, 1, 1}, E_INVALIDARG},
                        {dispid::PlaceIcon, M, {three, nullptr, 1, 2}, E_INVALIDARG},
                        {dispid::PlaceIcon, M, {&one, nullptr, 1, 0}, DISP_E_BADPARAMCOUNT},
                        {dispid::FrameCount, P, {three, &put, 2, 1}, DISP_E_BADPARAMCOUNT},
                        {dispid::FrameCount, P, {nullptr, nullptr, 0, 0}, DISP_E_BADPARAMCOUNT},
                        {dispid::FrameCount, P, {&missing, &put, 1, 1}, DISP_E_PARAMNOTOPTIONAL, 0},
                        {dispid::FrameCount, P, {&word, &put, 1, 1}, DISP_E_TYPEMISMATCH, 0},
                        {dispid::Image, R, {&one, &put, 1, 1}, DISP_E_TYPEMISMATCH, 0},
                        {dispid::Pic01, R, {&notPicture, &put, 1, 1}, DISP_E_TYPEMISMATCH, 0},
                        {dispid::RefreshIcon, M, {&one, &fifth, 1, 1}, DISP_E_PARAMNOTFOUND, 0},
                        {dispid::Image, P, {&one, &put, 1, 1}, DISP_E_MEMBERNOTFOUND},
                        {0x1234, M, {}, DISP_E_MEMBERNOTFOUND},
                        {dispid::TrayMode, G, {}, S_OK, none, false, true},
                        {dispid::RestoreIcon, M | G, {}, S_OK, none, false, true}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        Row row = rows[i];
        Variant result;
        UINT argError = none;
        EXPECT_EQ(c->Invoke(row.id, IID_NULL, 0, row.flags, row.noParams ? nullptr : &row.params,
                            row.noResult ? nullptr : &result, nullptr, &argError),
                  row.expect)
            << "row " << i;
        EXPECT_EQ(argError, row.argError) << "row " << i;
    }
    EXPECT_EQ(number(c, dispid::FrameCount), 10);
    EXPECT_EQ(method(c, dispid::PlaceIcon), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::EliminateIcon), VARIANT_TRUE);
}

} // namespace
} // namespace norvane::com
