// Module-wide services of Norvane.dll: its instance, its lock count and its type library.
#pragma once

#include "com_raii_win32.h"

#include <string>

namespace norvane::module {

HINSTANCE instance();
std::wstring path();

// Live objects and server locks; DllCanUnloadNow answers from them.
void lock();
void unlock();
long lockCount();

// Type information for a GUID of the embedded type library.
HRESULT typeInfo(REFGUID guid, ITypeInfo** out);

// Creates a ctlSysTray object (defined beside the object).
HRESULT createSysTrayControl(REFIID riid, void** out);

} // namespace norvane::module
