// The arguments of one late-bound call, matched to a member's parameters and read by kind.
#pragma once

#include "common/win32/handles.h"

#include <oaidl.h>

#include <array>

namespace norvane::com {

using win32::Bstr;
using win32::ComPtr;
using win32::Variant;

// Hosts build DISPPARAMS by hand, so nothing in it is trusted: a bad count, a missing array or a
// value of the wrong kind comes back as the automation error a host expects, never as a crash.
class DispatchArgs {
public:
    static constexpr UINT kMaxParams = 2;

    // `argError` (may be null) receives the rgvarg index of the argument at fault.
    DispatchArgs(const DISPPARAMS* params, UINT* argError) : params_(params), argError_(argError) {}

    // Matches the call to a member with `count` parameters, the first `required` of which must be
    // given: positional arguments first, then named ones by the numbers GetIDsOfNames hands out
    // (a put's value may also be named DISPID_PROPERTYPUT).
    HRESULT bind(UINT count, UINT required, bool isPut);

    // Parameter `position` as `type` into `out`, which stays VT_EMPTY when the argument was left
    // out. VT_DISPATCH asks for a picture: an IPictureDisp, or Nothing.
    HRESULT read(UINT position, VARTYPE type, Variant& out) const;

private:
    const VARIANT* value(UINT position) const;
    HRESULT fault(UINT index, HRESULT code) const; // index into rgvarg

    const DISPPARAMS* params_;
    UINT* argError_;
    std::array<const VARIANT*, kMaxParams> slots_{};
    std::array<UINT, kMaxParams> indexes_{}; // where each parameter's argument sits in rgvarg
};

} // namespace norvane::com
