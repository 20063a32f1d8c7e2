// What design environments ask the control: its properties' categories and editing pages.
#include "traycontrol/control/com/sys_tray_control_win32.h"

#include "traycontrol/control/com/norvane_ids.h"

namespace norvane::com {

namespace {
struct DesignEntry {
    DISPID dispid;
    PROPCAT category;  // 0: none
    const CLSID* page; // null: none
};
const DesignEntry kDesign[] = {
    {dispid::TrayTitle, PROPCAT_Appearance, &CLSID_SysTrayText},
    {dispid::swTrayMouse, PROPCAT_Behavior, &CLSID_SysTrayText},
    {dispid::Image, PROPCAT_Appearance, &CLSID_SysTrayTest},
    {dispid::FrameCount, PROPCAT_Appearance, nullptr},
    {dispid::TrayMode, PROPCAT_Behavior, nullptr},
};

const DesignEntry* entryOf(DISPID dispid) {
    for (const auto& entry : kDesign)
        if (entry.dispid == dispid)
            return &entry;
    return nullptr;
}
} // namespace

STDMETHODIMP SysTrayControl::MapPropertyToCategory(DISPID dispid, PROPCAT* category) {
    if (!category)
        return E_POINTER;
    const DesignEntry* entry = entryOf(dispid);
    if (!entry || !entry->category)
        return E_FAIL; // the host lists it under its own heading
    *category = entry->category;
    return S_OK;
}

STDMETHODIMP SysTrayControl::GetCategoryName(PROPCAT category, LCID, BSTR* name) {
    if (!name)
        return E_POINTER;
    *name = nullptr;
    const wchar_t* text = category == PROPCAT_Appearance ? L"Appearance"
                          : category == PROPCAT_Behavior ? L"Behavior"
                                                         : nullptr;
    if (!text)
        return E_FAIL;
    *name = SysAllocString(text);
    return *name ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP SysTrayControl::MapPropertyToPage(DISPID dispid, CLSID* page) {
    if (!page)
        return E_POINTER;
    const DesignEntry* entry = entryOf(dispid);
    *page = entry && entry->page ? *entry->page : CLSID_NULL;
    return entry && entry->page ? S_OK : PERPROP_E_NOPAGEAVAILABLE;
}

} // namespace norvane::com
