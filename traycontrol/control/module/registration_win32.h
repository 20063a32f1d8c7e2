// Registration of Norvane.dll under a Classes key: per user, machine-wide, or any given root.
#pragma once

#include "common/win32/handles.h"

#include <string>

namespace norvane::module {

// Writes every key of the control, its ProgID, its type library and its interfaces under
// `classes` (a "Software\Classes" key), naming `dllPath` as the server.
HRESULT registerServer(HKEY classes, const std::wstring& dllPath);

// Removes exactly what registerServer writes; keys already gone are no error.
HRESULT unregisterServer(HKEY classes);

// Under HKCU\Software\Classes, or HKLM\Software\Classes when the process runs elevated.
HRESULT registerForCaller(const std::wstring& dllPath);
HRESULT unregisterForCaller();

} // namespace norvane::module
