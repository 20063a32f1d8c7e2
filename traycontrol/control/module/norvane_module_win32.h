// Module-wide services of Norvane.dll: its instance, its lock count and its type library.
#pragma once

#include "common/win32/handles.h"

#include <string>

namespace norvane::module {

HINSTANCE instance();
std::wstring path();

// Live objects and server locks; DllCanUnloadNow answers from them.
void lock();
void unlock();

// Type information for a GUID of the embedded type library.
HRESULT typeInfo(REFGUID guid, ITypeInfo** out);

} // namespace norvane::module
