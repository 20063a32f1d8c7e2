// SysTrayTest's face: its controls with their fixed texts, and the view the Win32 page implements.
#pragma once

#include "traycontrol/pages/control_text.h"
#include "traycontrol/pages/page_picture.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace norvane::pages {

enum class SysTrayTestControl : std::size_t {
    fraOperationMode,
    chkNoFlashOption,
    chkFlashOption,
    chkAnimationOption,
    lblFlashCycleTime,
    datFlashCycleTime,
    lblAnimationCycleTime,
    datAnimationCycleTime,
    lblCount,
    datCount,
    fraIconPreview,
    PreviewImage, // the frame at the image index, zoomed 3:1
    PreviewImage2,
    Picture1,
    lblZoom,
    cmdSelectIcon,
    cmdSelectAni,
    cmdPlayPreview,
    lblIconIndex,
    datIconIndexNumber, // read-only: the page writes the index there
    Hscroll1,           // range 1 ... maximum, set through setScrollBar
};

// The page's texts, spaces included: they are laid out to fit these widths.
inline constexpr std::array<ControlText<SysTrayTestControl>, 21> kSysTrayTestControls{{
    {SysTrayTestControl::fraOperationMode, "fraOperationMode", " Operation Mode ", ""},
    {SysTrayTestControl::chkNoFlashOption, "chkNoFlashOption", " Static",
     "Static Icon on the Tray"},
    {SysTrayTestControl::chkFlashOption, "chkFlashOption", "Flash", "Flashing Icon on the Tray"},
    {SysTrayTestControl::chkAnimationOption, "chkAnimationOption", "Animated",
     "Animated Icon on the Tray"},
    {SysTrayTestControl::lblFlashCycleTime, "lblFlashCycleTime", "Cycle Time [sec]", ""},
    {SysTrayTestControl::datFlashCycleTime, "datFlashCycleTime", "", "Flash Cycle Time in Seconds"},
    {SysTrayTestControl::lblAnimationCycleTime, "lblAnimationCycleTime", "Cycle Time [sec]", ""},
    {SysTrayTestControl::datAnimationCycleTime, "datAnimationCycleTime", "",
     "Animation Cycle Time in Seconds"},
    {SysTrayTestControl::lblCount, "lblCount", "Frames Count", ""},
    {SysTrayTestControl::datCount, "datCount", "", "Number of Icon Frames to use"},
    {SysTrayTestControl::fraIconPreview, "fraIconPreview", " Icon  Preview  ", ""},
    {SysTrayTestControl::PreviewImage, "PreviewImage", "",
     "Click Image to set it as Static Picture"},
    {SysTrayTestControl::PreviewImage2, "PreviewImage2", "", "Image to be used as Static Picture"},
    {SysTrayTestControl::Picture1, "Picture1", "", "Click Image to restore it as Static Picture"},
    {SysTrayTestControl::lblZoom, "lblZoom", "Zoom 3:1", ""},
    {SysTrayTestControl::cmdSelectIcon, "cmdSelectIcon", "Select  static Image", ""},
    {SysTrayTestControl::cmdSelectAni, "cmdSelectAni", "Select  Image No.: ", ""},
    {SysTrayTestControl::cmdPlayPreview, "cmdPlayPreview", "Step", " Step through Animation "},
    {SysTrayTestControl::lblIconIndex, "lblIconIndex", "Icon Index", ""},
    {SysTrayTestControl::datIconIndexNumber, "datIconIndexNumber", "", "Index of Icon displayed"},
    {SysTrayTestControl::Hscroll1, "Hscroll1", "", ""},
}};
static_assert(inEnumOrder(kSysTrayTestControls));

constexpr const ControlText<SysTrayTestControl>& controlText(SysTrayTestControl c) {
    return kSysTrayTestControls[static_cast<std::size_t>(c)];
}

// Setting a value from here never calls a handler back (the Win32 page holds back the change
// notifications its own calls cause); the page does what the change implies itself.
class SysTrayTestView {
public:
    virtual ~SysTrayTestView() = default;
    virtual std::string text(SysTrayTestControl box) const = 0;
    // A box's text or a button's caption.
    virtual void setText(SysTrayTestControl control, const std::string& text) = 0;
    // Checks one of the three option buttons, which clears the other two.
    virtual void checkOption(SysTrayTestControl option) = 0;
    virtual void setEnabled(SysTrayTestControl control, bool enabled) = 0;
    virtual void setVisible(SysTrayTestControl control, bool visible) = 0;
    // PreviewImage, PreviewImage2 or Picture1; Nothing shows an empty image.
    virtual void setPicture(SysTrayTestControl image, const PictureRef& picture) = 0;
    virtual void setScrollBar(int value, int maximum) = 0; // Hscroll1, minimum 1
    // Timer1, the preview timer; it ticks only while running with an interval above 0.
    virtual void setPreviewInterval(std::uint32_t milliseconds) = 0;
    virtual void setPreviewRunning(bool running) = 0;
    // Enter in a cycle box moves on as Tab would.
    virtual void moveToNextField() = 0;
};

} // namespace norvane::pages
