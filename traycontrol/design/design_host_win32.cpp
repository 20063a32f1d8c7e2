// norvane-design: one ctlSysTray on a design host, its property pages, and its bag file.
#include "common/win32/handles.h"
#include "traycontrol/control/com/norvane_ids.h"
#include "traycontrol/design/memory_property_bag_win32.h"

#include <commctrl.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

namespace {

using namespace norvane::design;

constexpr char kUsage[] =
    "usage: norvane-design [--load FILE] [--save FILE] [--help]\n"
    "\n"
    "Creates one ctlSysTray, places its icon in the tray and opens its property pages\n"
    "(SysTrayText, SysTrayTest). Apply shows the change on the tray at once.\n"
    "\n"
    "  --load FILE  read the control's properties from FILE first (else a new control)\n"
    "  --save FILE  write the control's properties to FILE when the pages are closed\n"
    "\n"
    "FILE is text, one property a line: Name=kind:value, where kind is\n"
    "  text     UTF-8; \\\\, \\n and \\r stand for a backslash, LF and CR\n"
    "  bool     True or False\n"
    "  i2, r8   a whole number or a decimal number with '.', in any locale\n"
    "  picture  the picture's saved bytes (an .ico file for icons) in hexadecimal; empty\n"
    "           for no picture\n"
    "Empty lines and lines starting with # are skipped. Example:\n"
    "  TrayTitle=text:Reminders\n"
    "  swTrayMouse=bool:True\n"
    "  TrayMode=i2:2\n"
    "  AnimCycle=r8:0.25\n";

GUID guid(const norvane::Guid& g) {
    GUID out;
    std::memcpy(&out, &g, sizeof out);
    return out;
}

int fail(const std::wstring& what, const std::string& why) {
    std::fwprintf(stderr, L"norvane-design: %ls: %hs\n", what.c_str(), why.c_str());
    return 2;
}

std::string cause(HRESULT hr) {
    char text[32];
    std::snprintf(text, sizeof text, "error 0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

bool callMethod(IDispatch* control, DISPID id) {
    DISPPARAMS none{};
    win32::Variant result;
    return SUCCEEDED(control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                     &result, nullptr, nullptr));
}

int run(const std::optional<std::wstring>& load, const std::optional<std::wstring>& save) {
    std::vector<BagEntry> entries;
    if (load) {
        std::ifstream in(load->c_str(), std::ios::binary);
        if (!in)
            return fail(*load, "cannot be opened for reading");
        try {
            entries = parseBag(std::string(std::istreambuf_iterator<char>(in), {}));
        } catch (const BagFileError& e) {
            return fail(*load, e.what());
        }
    }
    win32::ComPtr<IDispatch> control;
    HRESULT hr = CoCreateInstance(guid(norvane::kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&control));
    if (FAILED(hr))
        return fail(L"Norvane.dll", "ctlSysTray cannot be created (" + cause(hr) + ")");
    win32::ComPtr<IPersistPropertyBag> persist;
    win32::ComPtr<ISpecifyPropertyPages> specify;
    control.As(&persist);
    control.As(&specify);
    win32::ComPtr<MemoryPropertyBag> bag;
    bag.Attach(new MemoryPropertyBag(std::move(entries)));
    hr = load ? persist->Load(bag.Get(), nullptr) : persist->InitNew();
    if (FAILED(hr))
        return fail(load ? *load : L"ctlSysTray",
                    "the properties were refused (" + cause(hr) + ")");

    callMethod(control.Get(), norvane::dispid::PlaceIcon);
    CAUUID pages{};
    specify->GetPages(&pages);
    IUnknown* objects[] = {control.Get()};
    hr = OleCreatePropertyFrame(nullptr, 40, 40, L"ctlSysTray", 1, objects, pages.cElems,
                                pages.pElems, LOCALE_USER_DEFAULT, 0, nullptr);
    CoTaskMemFree(pages.pElems);
    if (FAILED(hr))
        return fail(L"property frame", cause(hr));

    int result = 0;
    if (save) {
        win32::ComPtr<MemoryPropertyBag> out;
        out.Attach(new MemoryPropertyBag);
        hr = persist->Save(out.Get(), TRUE, TRUE);
        std::ofstream file(save->c_str(), std::ios::binary | std::ios::trunc);
        if (FAILED(hr))
            result = fail(*save, "the control did not save (" + cause(hr) + ")");
        else if (!(file << formatBag(out->entries())) || !file.flush())
            result = fail(*save, "cannot be written");
    }
    callMethod(control.Get(), norvane::dispid::EliminateIcon);
    return result;
}

} // namespace

int wmain(int argc, wchar_t** argv);
int wmain(int argc, wchar_t** argv) {
    std::optional<std::wstring> load, save;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if ((arg == L"--load" || arg == L"--save") && i + 1 < argc)
            (arg == L"--load" ? load : save) = argv[++i];
        else {
            std::fputs(kUsage, arg == L"--help" ? stdout : stderr);
            return arg == L"--help" ? 0 : 1;
        }
    }
    win32::ComApartment apartment;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    return run(load, save);
}
