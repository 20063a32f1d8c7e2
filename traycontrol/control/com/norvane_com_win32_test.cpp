// Wine tests of Norvane.dll as a registered COM server: registration, type library, dispatch.
#include "traycontrol/control/com/com_support_win32_test.h"

namespace norvane::com {
namespace {

using Creation = Registered;
using Dispatch = Registered;

// Hosts create the control by its name and the pages by their classes; the interfaces here are the
// ones no other test asks for (the design host asks for the pages).
TEST_F(Creation, ByProgIdWithTheInterfacesOfAControlAndItsPages) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"Norvane.ctlSysTray", &clsid), S_OK);
    EXPECT_EQ(clsid, guid(kClsidCtlSysTray));
    const auto control = createControl();
    ASSERT_TRUE(control);
    for (const IID& iid : {IID_IOleControl, guid(kIidCtlSysTray)}) {
        ComPtr<IUnknown> part;
        EXPECT_EQ(control->QueryInterface(iid, reinterpret_cast<void**>(part.GetAddressOf())),
                  S_OK);
    }
    for (const Guid& page : {kClsidSysTrayText, kClsidSysTrayTest}) {
        ComPtr<IPropertyPage> created;
        EXPECT_EQ(
            CoCreateInstance(guid(page), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created)),
            S_OK);
    }
}

// The identities are written once, in the IDL; the header the build generates from it must
// agree with the type library widl builds from it, which must be a control's.
TEST_F(Creation, TypeLibraryAgreesWithTheIdentitiesGeneratedFromTheIdl) {
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(LoadRegTypeLib(guid(kLibId), 1, 0, 0x0409, &lib), S_OK);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->wLibFlags & LIBFLAG_FCONTROL, LIBFLAG_FCONTROL);
    lib->ReleaseTLibAttr(attr);
    for (const auto& type : kTypes) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(lib->GetTypeInfoOfGuid(guid(type.guid), &info), S_OK) << type.name;
        for (const auto& member : kMembers) {
            if (std::strcmp(member.type, type.name) != 0)
                continue;
            std::wstring memberName(member.name, member.name + std::strlen(member.name));
            LPOLESTR names[] = {memberName.data()};
            MEMBERID id = 0;
            EXPECT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK) << member.name;
            EXPECT_EQ(id, member.id) << member.name;
        }
    }
}

TEST_F(Dispatch, EveryPropertyRoundTripsLateBound) {
    const auto control = createControl();
    IDispatch* c = control.Get();
    struct Case {
        DISPID id;
        VARIANT set;
        double expect; // numbers and Booleans as read back
    };
    // The title, the mouse switch, both cycles, the frame count and the mode travel late-bound
    // through the pages in the design host's test and through a stream in the persistence tests.
    for (const auto& row : {Case{dispid::swTrayText, arg(VT_BOOL, 1), -1},
                            Case{dispid::FlashCycle, arg(VT_R8, 1.25), 1.25},
                            Case{dispid::GoWeb, arg(VT_BOOL, 0), 0}}) {
        EXPECT_EQ(put(c, row.id, row.set), S_OK) << std::hex << row.id;
        const Variant value = get(c, row.id);
        EXPECT_EQ(V_VT(&value), V_VT(&row.set)) << std::hex << row.id;
        EXPECT_EQ(number(c, row.id), row.expect) << std::hex << row.id;
    }

    // A picture set by reference comes back as is.
    const Variant pic1 = get(c, dispid::Pic01);
    ASSERT_EQ(V_VT(&pic1), VT_DISPATCH);
    for (const DISPID id :
         {dispid::Image, dispid::Pic02, dispid::Pic03, dispid::Pic04, dispid::Pic05, dispid::Pic06,
          dispid::Pic07, dispid::Pic08, dispid::Pic09, dispid::Pic10}) {
        EXPECT_EQ(put(c, id, pic1), S_OK);
        const Variant back = get(c, id);
        EXPECT_EQ(V_DISPATCH(&back), V_DISPATCH(&pic1)) << std::hex << id;
    }

    // An interval the timer cannot take comes back as an automation error; the value stays.
    SCODE error = 0;
    EXPECT_EQ(invoke(c, dispid::AnimCycle, DISPATCH_PROPERTYPUT, {arg(VT_R8, 70)}, nullptr, &error),
              DISP_E_EXCEPTION);
    EXPECT_EQ(error, CTL_E_INVALIDPROPERTYVALUE);
    EXPECT_EQ(number(c, dispid::AnimCycle), 70);
}

// Hosts build their calls by hand: they pass arguments by value, by reference, left out, by
// name in any order after positional ones, or malformed. Every call is answered, the bad ones with
// an automation error naming the argument at fault, and the control goes on working.
TEST_F(Dispatch, EveryShapeOfCallIsAnswered) {
    const auto control = createControl();
    IDispatch* c = control.Get();
    EXPECT_EQ(method(c, dispid::RefreshIcon), VARIANT_FALSE); // not placed
    EXPECT_EQ(method(c, dispid::RestoreIcon), VARIANT_FALSE);
    EXPECT_EQ(method(c, dispid::PlaceIcon), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::RestoreIcon), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::RefreshIcon), VARIANT_TRUE);

    const wchar_t* names[] = {L"RefreshIcon", L"New_ToolTip", L"IconImage"};
    DISPID ids[3] = {};
    ASSERT_EQ(c->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(names), 3, 0, ids), S_OK);
    EXPECT_EQ(ids[0], dispid::RefreshIcon);
    Variant pic = get(c, dispid::Pic03), tip = text(L"New tip"), word = text(L"abc"),
            one = arg(VT_R8, 1);
    VARIANT byRefPicture, byRefTip, missing, notPicture;
    V_VT(&byRefPicture) = VT_DISPATCH | VT_BYREF;
    V_DISPATCHREF(&byRefPicture) = &V_DISPATCH(&pic);
    V_VT(&byRefTip) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&byRefTip) = &V_BSTR(&tip);
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    V_VT(&notPicture) = VT_DISPATCH;
    V_DISPATCH(&notPicture) = c;
    // rgvarg holds the named arguments first, then the positional ones last to first.
    VARIANT byRef[2] = {byRefTip, byRefPicture}, tipMissing[2] = {tip, missing},
            tipPic[2] = {tip, pic}, oneTip[2] = {one, tip}, picPic[2] = {pic, pic},
            three[3] = {one, one, one};
    DISPID tipImage[2] = {ids[1], ids[2]}, imageTip[2] = {ids[2], ids[1]}, put = DISPID_PROPERTYPUT,
           fifth = 5;
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
    const DISPID refresh = dispid::RefreshIcon, frames = dispid::FrameCount;
    const Row rows[] = {{refresh, M, {byRef, nullptr, 2, 0}, S_OK},
                        {refresh, M, {tipMissing, nullptr, 2, 0}, S_OK},
                        {refresh, M, {tipPic, tipImage, 2, 2}, S_OK},
                        {refresh, M, {tipPic, tipImage, 2, 1}, S_OK},
                        {refresh, M, {oneTip, imageTip, 2, 2}, DISP_E_TYPEMISMATCH, 0},
                        {refresh, M, {picPic, imageTip, 2, 1}, DISP_E_PARAMNOTFOUND, 0},
                        {refresh, M, {&one, &fifth, 1, 1}, DISP_E_PARAMNOTFOUND, 0},
                        {refresh, M, {nullptr, nullptr, 2, 0}, E_INVALIDARG},
                        {refresh, M, {}, E_INVALIDARG, none, true},
                        {frames, P, {&one, nullptr, 1, 1}, E_INVALIDARG},
                        {dispid::PlaceIcon, M, {three, nullptr, 1, 2}, E_INVALIDARG},
                        {dispid::PlaceIcon, M, {&one, nullptr, 1, 0}, DISP_E_BADPARAMCOUNT},
                        {frames, P, {nullptr, nullptr, 0, 0}, DISP_E_BADPARAMCOUNT},
                        {frames, P, {&missing, &put, 1, 1}, DISP_E_PARAMNOTOPTIONAL, 0},
                        {frames, P, {&word, &put, 1, 1}, DISP_E_TYPEMISMATCH, 0},
                        {dispid::Image, R, {&one, &put, 1, 1}, DISP_E_TYPEMISMATCH, 0},
                        {dispid::Pic01, R, {&notPicture, &put, 1, 1}, DISP_E_TYPEMISMATCH, 0},
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
    EXPECT_EQ(method(c, dispid::EliminateIcon), VARIANT_TRUE);
    EXPECT_EQ(method(c, dispid::EliminateIcon), VARIANT_TRUE);
}

} // namespace
} // namespace norvane::com
