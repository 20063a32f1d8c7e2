// SysTrayText's face: its controls with their fixed texts, and the view the Win32 page implements.
#pragma once

#include "traycontrol/control/logic/maker_web_site.h"
#include "traycontrol/pages/control_text.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace norvane::pages {

enum class SysTrayTextControl : std::size_t {
    fraAppearance,
    chkswTrayText,
    lblTrayTitle,
    txtTrayTitle,
    fraOtherOptions,
    chkswTrayMouse,
    fraMaker, // the maker's logo, name and web address
    imgMakerLogo,
    lblMakerName,
    Label1, // the web address; a click visits it
};

// The address GoWeb opens, shown as the control opens it.
inline constexpr std::string_view kMakerWebAddress = logic::kMakerWebSite;

inline constexpr std::array<ControlText<SysTrayTextControl>, 10> kSysTrayTextControls{{
    {SysTrayTextControl::fraAppearance, "fraAppearance", " Appearance ", ""},
    {SysTrayTextControl::chkswTrayText, "chkswTrayText", " TrayTitle Enabled", ""},
    {SysTrayTextControl::lblTrayTitle, "lblTrayTitle", "TrayTitle:", ""},
    {SysTrayTextControl::txtTrayTitle, "txtTrayTitle", "", ""},
    {SysTrayTextControl::fraOtherOptions, "fraOtherOptions", " Other Options ", ""},
    {SysTrayTextControl::chkswTrayMouse, "chkswTrayMouse", "Mouse Events Enabled", ""},
    {SysTrayTextControl::fraMaker, "fraMaker", "", ""},
    {SysTrayTextControl::imgMakerLogo, "imgMakerLogo", "", ""},
    {SysTrayTextControl::lblMakerName, "lblMakerName", "Norvane Controls", ""},
    {SysTrayTextControl::Label1, "Label1", kMakerWebAddress, "Visit our Website"},
}};
static_assert(inEnumOrder(kSysTrayTextControls));

constexpr const ControlText<SysTrayTextControl>& controlText(SysTrayTextControl c) {
    return kSysTrayTextControls[static_cast<std::size_t>(c)];
}

// Setting a value from here never calls a handler back.
class SysTrayTextView {
public:
    virtual ~SysTrayTextView() = default;
    virtual std::string text(SysTrayTextControl box) const = 0; // txtTrayTitle, UTF-8
    virtual void setText(SysTrayTextControl box, const std::string& text) = 0;
    virtual bool checked(SysTrayTextControl checkBox) const = 0;
    virtual void setChecked(SysTrayTextControl checkBox, bool checked) = 0;
};

} // namespace norvane::pages
