// ctlSysTray's late-bound calls: a table of _ctlSysTray's members by dispatch number.
#include "traycontrol/control/com/sys_tray_control_win32.h"

#include "traycontrol/control/com/dispatch_args_win32.h"
#include "traycontrol/control/com/norvane_ids.h"

#include <algorithm>
#include <vector>

namespace norvane::com {

namespace {
// How a value of each automation kind sits in a VARIANT (VARIANT_BOOL and short are one type, so
// the kind is named by its VARTYPE).
template <VARTYPE Vt> struct Kind;
template <> struct Kind<VT_BOOL> {
    using type = VARIANT_BOOL;
    static type& of(VARIANT& v) { return V_BOOL(&v); }
};
template <> struct Kind<VT_I2> {
    using type = short;
    static type& of(VARIANT& v) { return V_I2(&v); }
};
template <> struct Kind<VT_R8> {
    using type = double;
    static type& of(VARIANT& v) { return V_R8(&v); }
};
template <> struct Kind<VT_BSTR> {
    using type = BSTR;
    static type& of(VARIANT& v) { return V_BSTR(&v); }
};
template <> struct Kind<VT_DISPATCH> { // the reader hands over pictures only
    using type = IPictureDisp*;
    static type of(VARIANT& v) {
        return V_VT(&v) == VT_DISPATCH ? static_cast<IPictureDisp*>(V_DISPATCH(&v)) : nullptr;
    }
};

template <VARTYPE Vt> void store(VARIANT& v, typename Kind<Vt>::type value) {
    V_VT(&v) = Vt;
    if constexpr (Vt == VT_DISPATCH)
        V_DISPATCH(&v) = value;
    else
        Kind<Vt>::of(v) = value;
}

// One way to call one member: the DISPATCH_ flag it answers, its parameters, and the call with
// the arguments already read into `args` (natural order) and the answer put into `result`.
struct Member {
    DISPID id;
    WORD flag;
    std::vector<VARTYPE> params;
    UINT required;
    HRESULT (*call)(_ctlSysTray& target, VARIANT* args, VARIANT& result);
};

template <VARTYPE Vt, auto Get> HRESULT getter(_ctlSysTray& target, VARIANT*, VARIANT& result) {
    typename Kind<Vt>::type value{};
    const HRESULT hr = (target.*Get)(&value);
    if (SUCCEEDED(hr))
        store<Vt>(result, value);
    return hr;
}

template <VARTYPE Vt, auto Put> HRESULT setter(_ctlSysTray& target, VARIANT* args, VARIANT&) {
    return (target.*Put)(Kind<Vt>::of(args[0]));
}

// Pictures are set by reference, everything else by value.
template <VARTYPE Vt, auto Get, auto Put> void property(std::vector<Member>& table, DISPID id) {
    const WORD put = Vt == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    table.push_back({id, DISPATCH_PROPERTYGET, {}, 0, getter<Vt, Get>});
    table.push_back({id, put, {Vt}, 1, setter<Vt, Put>});
}

std::vector<Member> members() {
    using C = _ctlSysTray;
    std::vector<Member> t;
    t.push_back({dispid::PlaceIcon, DISPATCH_METHOD, {}, 0, getter<VT_BOOL, &C::PlaceIcon>});
    t.push_back({dispid::RestoreIcon, DISPATCH_METHOD, {}, 0, getter<VT_BOOL, &C::RestoreIcon>});
    t.push_back(
        {dispid::EliminateIcon, DISPATCH_METHOD, {}, 0, getter<VT_BOOL, &C::EliminateIcon>});
    // Hosts pass the picture and the tip by value, by reference or not at all; the member reads
    // them through pointers and never writes back.
    t.push_back({dispid::RefreshIcon,
                 DISPATCH_METHOD,
                 {VT_DISPATCH, VT_BSTR},
                 0,
                 [](C& target, VARIANT* args, VARIANT& result) {
                     IPictureDisp* picture = Kind<VT_DISPATCH>::of(args[0]);
                     BSTR tip = V_VT(&args[1]) == VT_BSTR ? V_BSTR(&args[1]) : nullptr;
                     store<VT_BOOL>(result, VARIANT_FALSE);
                     return target.RefreshIcon(&picture, &tip, &V_BOOL(&result));
                 }});
    property<VT_BSTR, &C::get_TrayTitle, &C::put_TrayTitle>(t, dispid::TrayTitle);
    property<VT_BOOL, &C::get_swTrayMouse, &C::put_swTrayMouse>(t, dispid::swTrayMouse);
    property<VT_BOOL, &C::get_swTrayText, &C::put_swTrayText>(t, dispid::swTrayText);
    property<VT_DISPATCH, &C::get_Image, &C::putref_Image>(t, dispid::Image);
    property<VT_R8, &C::get_FlashCycle, &C::put_FlashCycle>(t, dispid::FlashCycle);
    property<VT_R8, &C::get_AnimCycle, &C::put_AnimCycle>(t, dispid::AnimCycle);
    property<VT_I2, &C::get_FrameCount, &C::put_FrameCount>(t, dispid::FrameCount);
    property<VT_DISPATCH, &C::get_Pic01, &C::putref_Pic01>(t, dispid::Pic01);
    property<VT_DISPATCH, &C::get_Pic02, &C::putref_Pic02>(t, dispid::Pic02);
    property<VT_DISPATCH, &C::get_Pic03, &C::putref_Pic03>(t, dispid::Pic03);
    property<VT_DISPATCH, &C::get_Pic04, &C::putref_Pic04>(t, dispid::Pic04);
    property<VT_DISPATCH, &C::get_Pic05, &C::putref_Pic05>(t, dispid::Pic05);
    property<VT_DISPATCH, &C::get_Pic06, &C::putref_Pic06>(t, dispid::Pic06);
    property<VT_DISPATCH, &C::get_Pic07, &C::putref_Pic07>(t, dispid::Pic07);
    property<VT_DISPATCH, &C::get_Pic08, &C::putref_Pic08>(t, dispid::Pic08);
    property<VT_DISPATCH, &C::get_Pic09, &C::putref_Pic09>(t, dispid::Pic09);
    property<VT_DISPATCH, &C::get_Pic10, &C::putref_Pic10>(t, dispid::Pic10);
    property<VT_I2, &C::get_TrayMode, &C::put_TrayMode>(t, dispid::TrayMode);
    property<VT_BOOL, &C::get_GoWeb, &C::put_GoWeb>(t, dispid::GoWeb);
    return t;
}

// A member that fails raises an automation exception, as the standard dispatcher does, carrying
// the error information the member left.
HRESULT exceptionOf(HRESULT code, EXCEPINFO* exception) {
    if (exception) {
        *exception = {};
        exception->scode = code;
        ComPtr<IErrorInfo> info;
        if (GetErrorInfo(0, &info) == S_OK) {
            info->GetSource(&exception->bstrSource);
            info->GetDescription(&exception->bstrDescription);
            info->GetHelpFile(&exception->bstrHelpFile);
            info->GetHelpContext(&exception->dwHelpContext);
        }
    }
    return DISP_E_EXCEPTION;
}
} // namespace

HRESULT invokeMember(_ctlSysTray& target, DISPID id, WORD flags, DISPPARAMS* params,
                     VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    static const std::vector<Member> table = members();
    const auto member = std::find_if(table.begin(), table.end(), [&](const Member& m) {
        return m.id == id && (m.flag & flags) != 0;
    });
    if (member == table.end())
        return DISP_E_MEMBERNOTFOUND;
    DispatchArgs reader(params, argError);
    const auto count = static_cast<UINT>(member->params.size());
    const bool isPut = (member->flag & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    HRESULT hr = reader.bind(count, member->required, isPut);
    Variant args[DispatchArgs::kMaxParams];
    for (UINT i = 0; SUCCEEDED(hr) && i < count; ++i)
        hr = reader.read(i, member->params[i], args[i]);
    if (FAILED(hr))
        return hr;
    Variant answer;
    SetErrorInfo(0, nullptr); // what is left after the call is this call's
    hr = member->call(target, args, answer);
    if (FAILED(hr))
        return exceptionOf(hr, exception);
    if (result) {
        VariantInit(result);
        *result = answer;
        VariantInit(&answer); // handed over
    }
    return S_OK;
}

} // namespace norvane::com
