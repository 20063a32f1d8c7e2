// ICategorizeProperties, which design environments ask for to group properties; MinGW lacks it.
#pragma once

#include <windows.h>

#include <oaidl.h>

namespace norvane::com {

using PROPCAT = int;
// The categories every design environment knows by number.
inline constexpr PROPCAT PROPCAT_Appearance = -5;
inline constexpr PROPCAT PROPCAT_Behavior = -6;

inline constexpr IID IID_ICategorizeProperties = {
    0x4D07FC10, 0xF931, 0x11CE, {0xB0, 0x01, 0x00, 0xAA, 0x00, 0x68, 0x84, 0xE5}};

struct ICategorizeProperties : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE MapPropertyToCategory(DISPID dispid, PROPCAT* category) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCategoryName(PROPCAT category, LCID lcid, BSTR* name) = 0;
};

} // namespace norvane::com

// So that ComPtr::As and IID_PPV_ARGS find its identity too.
__CRT_UUID_DECL(norvane::com::ICategorizeProperties, 0x4D07FC10, 0xF931, 0x11CE, 0xB0, 0x01, 0x00,
                0xAA, 0x00, 0x68, 0x84, 0xE5)
