// Wine test: the control created with no registry entry, through an activation-context manifest.
#include "traycontrol/control/com/com_support_win32_test.h"

#include <fstream>

namespace norvane::module {
namespace {

using namespace com;

TEST(RegistrationFree, ManifestBesideTheDllActivatesTheControlByClsid) {
    win32::ComApartment apartment;
    ComPtr<IDispatch> none;
    ASSERT_EQ(CoCreateInstance(guid(kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&none)),
              REGDB_E_CLASSNOTREG)
        << "the control must not be registered for this test";

    const std::wstring folder = exeFolder();
    const std::wstring manifest = folder + L"norvane_regfree_test.manifest";
    std::ofstream(std::string(manifest.begin(), manifest.end()), std::ios::trunc)
        << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <assemblyIdentity type="win32" name="Davrin.NorvaneTest" version="1.0.0.0"/>
  <file name="Norvane.dll">
    <comClass clsid=")"
        << kClsidCtlSysTrayText << R"(" progid=")" << kProgId
        << R"(" threadingModel="Apartment" tlbid=")" << kLibIdText << R"("/>
    <typelib tlbid=")"
        << kLibIdText << R"(" version="1.0" helpdir=""/>
  </file>
</assembly>
)";
    ACTCTXW description{};
    description.cbSize = sizeof description;
    description.lpSource = manifest.c_str();
    description.dwFlags = ACTCTX_FLAG_ASSEMBLY_DIRECTORY_VALID;
    description.lpAssemblyDirectory = folder.c_str();
    win32::UniqueActCtx context(CreateActCtxW(&description));
    ASSERT_NE(context.get(), INVALID_HANDLE_VALUE);
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context.get(), &cookie));
    if (const auto control = createControl()) {
        const Variant title = get(control.Get(), dispid::TrayTitle);
        EXPECT_STREQ(V_BSTR(&title), L"SysTray");
        EXPECT_EQ(method(control.Get(), dispid::PlaceIcon), VARIANT_TRUE);
    }
    DeactivateActCtx(0, cookie);
    DeleteFileW(manifest.c_str());
}

} // namespace
} // namespace norvane::module
