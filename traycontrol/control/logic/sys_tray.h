// ctlSysTray's logic: its state, property rules, placement, the timer tick and mouse decoding.
#pragma once

#include "traycontrol/control/logic/sys_tray_ports.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace norvane::logic {

// Raised to the caller that applied an interval the timer cannot take (0 ... 65535 ms).
class TimerIntervalError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// Seconds to whole milliseconds, halves to even; throws TimerIntervalError when out of range.
std::uint32_t timerInterval(double seconds);

// Every field of one control instance, named as the interface names its properties (m_TrayTitle
// behind TrayTitle) so that a rule reads the same here as in the type library.
struct SysTrayState {
    NotifyIconData m_Notify;
    std::u16string m_TrayTitle;
    bool m_swTrayMouse = false;
    bool m_swTrayText = false;
    double m_FlashCycle = 0;
    double m_AnimCycle = 0;
    std::int16_t m_FrameCount = 0;
    std::int16_t m_TrayMode = 0;
    std::int16_t m_ActiveMode = 0;
    bool m_ModePending = false;
    bool m_IconPlaced = false;
    std::array<PicturePtr, 10> m_Pic; // m_Pic[0] is entry 1
    PicturePtr m_Image2;              // the picture holder behind `Image`
    PicturePtr m_CurrentPicture;
    std::u16string m_CurrentTip;
    std::int16_t m_FrameIndex = 0;
    bool m_FlashPhase = false;
    bool m_TimerBusy = false;
    bool m_GoWeb = false;
    bool m_InNotify = false;
};

class SysTray {
public:
    // Runs UserControl_Initialize; the timer starts disabled at 500 ms.
    SysTray(TrayShell& shell, TrayTimer& timer, TraySite& site, BuiltInPictures pictures);

    const SysTrayState& state() const { return s_; }

    // Lifecycle, called by the container.
    void UserControl_Initialize();
    void UserControl_InitProperties();
    void UserControl_ReadProperties(PropertyBagPort& bag);
    void UserControl_WriteProperties(PropertyBagPort& bag) const;
    void UserControl_Terminate();

    // Methods.
    bool PlaceIcon();
    bool RestoreIcon();
    bool EliminateIcon();
    bool RefreshIcon(const PicturePtr& IconImage, const std::u16string& New_ToolTip);

    // Properties.
    const std::u16string& TrayTitle() const { return s_.m_TrayTitle; }
    void setTrayTitle(const std::u16string& New_TrayTitle);
    bool swTrayMouse() const { return s_.m_swTrayMouse; }
    void setswTrayMouse(bool New_swTrayMouse);
    bool swTrayText() const { return s_.m_swTrayText; }
    void setswTrayText(bool New_swTrayText);
    const PicturePtr& Image() const { return s_.m_Image2; }
    void setImage(const PicturePtr& New_Image);
    double FlashCycle() const { return s_.m_FlashCycle; }
    void setFlashCycle(double New_FlashCycle);
    double AnimCycle() const { return s_.m_AnimCycle; }
    void setAnimCycle(double New_AnimCycle);
    std::int16_t FrameCount() const { return s_.m_FrameCount; }
    void setFrameCount(std::int16_t New_FrameCount);
    const PicturePtr& Pic(int n) const; // n = 1 ... 10
    void setPic(int n, const PicturePtr& New_Pic);
    std::int16_t TrayMode() const { return s_.m_TrayMode; }
    void setTrayMode(std::int16_t New_TrayMode);
    bool GoWeb() const { return s_.m_GoWeb; }
    void setGoWeb(bool New_GoWeb);

    // Window messages.
    void ctltimer_Timer();
    void UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float y);
    // The shell restarted and forgot every icon: a placed icon adds itself again.
    void TaskbarCreated();

private:
    bool UpdateTrayIcon(const PicturePtr& picture, const std::u16string& tip);
    void writeTipText(const std::u16string& text);
    bool tipRule(const std::u16string& New_ToolTip);
    void pictureRule(const PicturePtr& IconImage);
    bool modifyIcon();
    bool refreshInActiveMode(const PicturePtr& IconImage, const std::u16string& New_ToolTip);
    bool refreshIntoNewMode(const PicturePtr& IconImage, const std::u16string& New_ToolTip);
    void waitForTick();
    void startTimer(double seconds);
    void applyCycle(double& field, double value, std::int32_t dispid);

    TrayShell& shell_;
    TrayTimer& timer_;
    TraySite& site_;
    BuiltInPictures builtIn_;
    SysTrayState s_;
};

} // namespace norvane::logic
