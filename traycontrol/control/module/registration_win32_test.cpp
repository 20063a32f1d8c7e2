// Wine test of the registration keys Norvane.dll writes and removes.
#include "traycontrol/control/module/registration_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace norvane::module {
namespace {

// Per-user registration writes its keys under a Classes key; the layout is checked under a
// scratch key so the machine's own registration is not touched.
TEST(Registration, KeyLayoutUnderAClassesRootAndCompleteRemoval) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\DavrinTest\\Classes", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    win32::UniqueHkey root(raw);
    const std::wstring dll = L"C:\\Programs\\Davrin\\Norvane.dll";
    ASSERT_EQ(registerServer(root.get(), dll), S_OK);

    auto read = [&](const std::wstring& key, const wchar_t* name) {
        wchar_t value[512] = {};
        DWORD size = sizeof value;
        const LONG status =
            RegGetValueW(root.get(), key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size);
        return status == ERROR_SUCCESS ? std::wstring(value) : L"<missing>";
    };
    const std::wstring clsid = L"CLSID\\{58C21921-3704-4395-9C49-DC50E48B82C8}";
    const std::wstring libId = L"{DBA3605D-0AD1-4E06-9F27-2EC580769350}";
    const std::wstring lib = L"TypeLib\\" + libId + L"\\1.0";
    const std::tuple<std::wstring, const wchar_t*, std::wstring> values[] = {
        {clsid + L"\\InprocServer32", nullptr, dll},
        {clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsid + L"\\ProgID", nullptr, L"Norvane.ctlSysTray"},
        {clsid + L"\\TypeLib", nullptr, libId},
        {clsid + L"\\Control", nullptr, L""},
        {L"Norvane.ctlSysTray\\CLSID", nullptr, L"{58C21921-3704-4395-9C49-DC50E48B82C8}"},
        {lib + (sizeof(void*) == 8 ? L"\\0\\win64" : L"\\0\\win32"), nullptr, dll},
        {lib, nullptr, L"Utility to place Programms on the Taskbar"},
        {L"Interface\\{EA88E587-14D5-405C-A026-70FE424283E8}\\ProxyStubClsid32", nullptr,
         L"{00020424-0000-0000-C000-000000000046}"},
        {L"CLSID\\{D07E4418-40F1-4145-9870-68846A45FF6E}\\InprocServer32", nullptr, dll},
        {L"CLSID\\{E0D1595F-BDA2-42FF-9846-10BB25676D1D}", nullptr, L"SysTrayTest"},
        {L"Interface\\{56A670CB-A594-4CDD-B29B-7C8003FAF11C}\\TypeLib", nullptr, libId}};
    for (const auto& [key, name, value] : values)
        EXPECT_EQ(read(key, name), value) << std::string(key.begin(), key.end());

    ASSERT_EQ(unregisterServer(root.get()), S_OK);
    // Only the shared folders of every Classes key remain, and they are empty.
    auto subkeys = [&](const wchar_t* path) {
        DWORD count = 99;
        HKEY opened = nullptr;
        RegOpenKeyExW(root.get(), path, 0, KEY_READ, &opened);
        RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(opened);
        return count;
    };
    EXPECT_EQ(subkeys(nullptr), 3u);
    for (const auto* shared : {L"CLSID", L"Interface", L"TypeLib"})
        EXPECT_EQ(subkeys(shared), 0u) << "left behind under a shared folder";
    EXPECT_EQ(unregisterServer(root.get()), S_OK); // twice is harmless
    root.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\DavrinTest");
}

} // namespace
} // namespace norvane::module
