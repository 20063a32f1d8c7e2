// Reads the arguments of a late-bound call: shape first, then each value in the kind it needs.
#include "traycontrol/control/com/dispatch_args_win32.h"

#include <ocidl.h>

namespace norvane::com {

HRESULT DispatchArgs::bind(UINT count, UINT required, bool isPut) {
    const DISPPARAMS* p = params_;
    if (!p || (p->cArgs > 0 && !p->rgvarg) || p->cNamedArgs > p->cArgs ||
        (p->cNamedArgs > 0 && !p->rgdispidNamedArgs))
        return E_INVALIDARG;
    if (p->cArgs > count || count > kMaxParams)
        return DISP_E_BADPARAMCOUNT;
    // rgvarg holds the named arguments first, then the positional ones last to first.
    for (UINT position = 0; position < p->cArgs - p->cNamedArgs; ++position) {
        indexes_[position] = p->cArgs - 1 - position;
        slots_[position] = &p->rgvarg[indexes_[position]];
    }
    for (UINT i = 0; i < p->cNamedArgs; ++i) {
        DISPID name = p->rgdispidNamedArgs[i];
        if (isPut && name == DISPID_PROPERTYPUT)
            name = 0;
        if (name < 0 || static_cast<UINT>(name) >= count || slots_[name])
            return fault(i, DISP_E_PARAMNOTFOUND);
        indexes_[name] = i;
        slots_[name] = &p->rgvarg[i];
    }
    for (UINT position = 0; position < required; ++position) {
        if (!slots_[position])
            return DISP_E_BADPARAMCOUNT;
        if (!value(position))
            return fault(indexes_[position], DISP_E_PARAMNOTOPTIONAL);
    }
    return S_OK;
}

HRESULT DispatchArgs::read(UINT position, VARTYPE type, Variant& out) const {
    out.clear();
    const VARIANT* v = value(position);
    if (!v)
        return S_OK;
    if (type != VT_DISPATCH) {
        const HRESULT hr = VariantChangeType(&out, const_cast<VARIANT*>(v), 0, type);
        return FAILED(hr) ? fault(indexes_[position], hr) : S_OK;
    }
    IUnknown* object = nullptr;
    switch (V_VT(v)) {
    case VT_EMPTY:
    case VT_NULL:
        return S_OK; // Nothing
    case VT_DISPATCH:
    case VT_UNKNOWN:
        object = V_UNKNOWN(v);
        break;
    case VT_DISPATCH | VT_BYREF:
    case VT_UNKNOWN | VT_BYREF:
        object = V_UNKNOWNREF(v) ? *V_UNKNOWNREF(v) : nullptr;
        break;
    default:
        return fault(indexes_[position], DISP_E_TYPEMISMATCH);
    }
    ComPtr<IPictureDisp> picture;
    if (object && FAILED(object->QueryInterface(IID_PPV_ARGS(&picture))))
        return fault(indexes_[position], DISP_E_TYPEMISMATCH);
    V_VT(&out) = VT_DISPATCH;
    V_DISPATCH(&out) = picture.Detach();
    return S_OK;
}

// A value passed as a reference to a VARIANT is read through it (one level, as automation
// allows); "left out" is the error value DISP_E_PARAMNOTFOUND.
const VARIANT* DispatchArgs::value(UINT position) const {
    const VARIANT* v = position < kMaxParams ? slots_[position] : nullptr;
    if (v && V_VT(v) == (VT_VARIANT | VT_BYREF))
        v = V_VARIANTREF(v);
    if (!v || (V_VT(v) == VT_ERROR && V_ERROR(v) == DISP_E_PARAMNOTFOUND))
        return nullptr;
    return v;
}

HRESULT DispatchArgs::fault(UINT index, HRESULT code) const {
    if (argError_)
        *argError_ = index;
    return code;
}

} // namespace norvane::com
