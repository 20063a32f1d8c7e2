// Registration keys of Norvane.dll: per-user unless elevated, then machine-wide.
#include "traycontrol/control/module/registration_win32.h"

#include "common/win32/handles.h"
#include "traycontrol/control/com/norvane_h.h"
#include "traycontrol/control/com/norvane_ids.h"

#include <olectl.h>

#include <vector>

namespace norvane::module {

namespace {
std::wstring wide(const char* text) {
    return {text, text + std::char_traits<char>::length(text)};
}

std::wstring text(REFGUID guid) {
    wchar_t buffer[40] = {};
    StringFromGUID2(guid, buffer, 40);
    return buffer;
}

struct Value {
    std::wstring key;
    const wchar_t* name; // nullptr: the key's default value
    std::wstring data;
};

// The dispatch marshaller of the system, used for interfaces described by a type library.
constexpr wchar_t kDispatchMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";
// The platform key of the type library's path: the one the running build was made for.
#ifdef _WIN64
constexpr wchar_t kTypeLibPlatform[] = L"win64";
#else
constexpr wchar_t kTypeLibPlatform[] = L"win32";
#endif
const IID* const kInterfaceIds[] = {&IID__ctlSysTray, &DIID___ctlSysTray};
constexpr const wchar_t* kInterfaceNames[] = {L"_ctlSysTray", L"__ctlSysTray"};

std::vector<std::wstring> ownedKeys() {
    std::vector<std::wstring> keys = {L"CLSID\\" + text(CLSID_ctlSysTray), wide(kProgId),
                                      L"TypeLib\\" + text(LIBID_Norvane)};
    for (const auto* iid : kInterfaceIds)
        keys.push_back(L"Interface\\" + text(*iid));
    return keys;
}

std::vector<Value> values(const std::wstring& dllPath) {
    const auto clsid = L"CLSID\\" + text(CLSID_ctlSysTray);
    const auto lib = text(LIBID_Norvane);
    const auto progId = wide(kProgId);
    const auto folder = dllPath.substr(0, dllPath.find_last_of(L"\\/") + 1);
    const auto misc =
        std::to_wstring(OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                        OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST);
    std::vector<Value> v = {
        {clsid, nullptr, L"ctlSysTray"},
        {clsid + L"\\InprocServer32", nullptr, dllPath},
        {clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsid + L"\\ProgID", nullptr, progId},
        {clsid + L"\\VersionIndependentProgID", nullptr, progId},
        {clsid + L"\\TypeLib", nullptr, lib},
        {clsid + L"\\Version", nullptr, L"1.0"},
        {clsid + L"\\Control", nullptr, L""},
        {clsid + L"\\MiscStatus", nullptr, L"0"},
        {clsid + L"\\MiscStatus\\1", nullptr, misc},
        {progId, nullptr, L"ctlSysTray"},
        {progId + L"\\CLSID", nullptr, text(CLSID_ctlSysTray)},
        {L"TypeLib\\" + lib + L"\\1.0", nullptr, wide(kLibraryHelp)},
        {L"TypeLib\\" + lib + L"\\1.0\\FLAGS", nullptr, L"2"}, // a control's library
        {L"TypeLib\\" + lib + L"\\1.0\\0\\" + kTypeLibPlatform, nullptr, dllPath},
        {L"TypeLib\\" + lib + L"\\1.0\\HELPDIR", nullptr, folder},
    };
    for (std::size_t i = 0; i < std::size(kInterfaceIds); ++i) {
        const auto key = L"Interface\\" + text(*kInterfaceIds[i]);
        v.push_back({key, nullptr, kInterfaceNames[i]});
        v.push_back({key + L"\\ProxyStubClsid32", nullptr, kDispatchMarshaller});
        v.push_back({key + L"\\TypeLib", nullptr, lib});
        v.push_back({key + L"\\TypeLib", L"Version", L"1.0"});
    }
    return v;
}

// True when the process runs elevated, so machine-wide keys are writable.
bool runsElevated() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw))
        return false;
    win32::UniqueHandle token(raw);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated != 0;
}

HRESULT classesRoot(win32::UniqueHkey& out) {
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExW(runsElevated() ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                                        L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS,
                                        nullptr, &key, nullptr);
    out.reset(key);
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}
} // namespace

HRESULT registerServer(HKEY classes, const std::wstring& dllPath) {
    for (const auto& v : values(dllPath)) {
        HKEY raw = nullptr;
        LONG status = RegCreateKeyExW(classes, v.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                      &raw, nullptr);
        win32::UniqueHkey key(raw);
        if (status == ERROR_SUCCESS)
            status = RegSetValueExW(key.get(), v.name, 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(v.data.c_str()),
                                    static_cast<DWORD>((v.data.size() + 1) * sizeof(wchar_t)));
        if (status != ERROR_SUCCESS) {
            unregisterServer(classes); // leave nothing half-written
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}

HRESULT unregisterServer(HKEY classes) {
    HRESULT result = S_OK;
    for (const auto& key : ownedKeys()) {
        const LONG status = RegDeleteTreeW(classes, key.c_str());
        if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND)
            RegDeleteKeyW(classes, key.c_str());
        else
            result = SELFREG_E_CLASS;
    }
    return result;
}

HRESULT registerForCaller(const std::wstring& dllPath) {
    win32::UniqueHkey root;
    const HRESULT hr = classesRoot(root);
    return FAILED(hr) ? hr : registerServer(root.get(), dllPath);
}

HRESULT unregisterForCaller() {
    win32::UniqueHkey root;
    const HRESULT hr = classesRoot(root);
    return FAILED(hr) ? hr : unregisterServer(root.get());
}

} // namespace norvane::module
