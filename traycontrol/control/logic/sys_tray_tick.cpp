// ctlSysTray's timer tick, the routine that puts a picture on the tray, and mouse decoding.
#include "traycontrol/control/logic/sys_tray.h"

#include "traycontrol/control/com/norvane_ids.h"

#include <cmath>

namespace norvane::logic {

bool SysTray::UpdateTrayIcon(const PicturePtr& picture, const std::u16string& tip) {
    s_.m_Notify.hIcon = handleOf(picture);
    writeTipText(s_.m_swTrayText ? tip : std::u16string{});
    return shell_.notifyIcon(NotifyMessage::Modify, s_.m_Notify);
}

void SysTray::ctltimer_Timer() {
    s_.m_FlashPhase = !s_.m_FlashPhase;
    s_.m_TimerBusy = true;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{s_.m_TimerBusy};

    switch (s_.m_ActiveMode) {
    case 1:
        UpdateTrayIcon(s_.m_FlashPhase ? builtIn_.Image1 : s_.m_CurrentPicture, s_.m_CurrentTip);
        break;
    case 2:
        if (s_.m_FrameIndex == 10 || s_.m_FrameIndex == s_.m_FrameCount)
            s_.m_FrameIndex = 1;
        else
            ++s_.m_FrameIndex;
        s_.m_CurrentPicture = s_.m_Pic[static_cast<std::size_t>(s_.m_FrameIndex - 1)];
        UpdateTrayIcon(s_.m_CurrentPicture, s_.m_CurrentTip);
        break;
    default:
        UpdateTrayIcon(s_.m_CurrentPicture, s_.m_CurrentTip);
        break;
    }
}

namespace {
// Mouse message over the icon (0x0201 ... 0x0209) to the event it raises.
constexpr std::int32_t kEventForCode[] = {
    eventid::TrMouseLeftDown,  eventid::TrMouseLeftUp,  eventid::TrMouseLeftDblClk,
    eventid::TrMouseRightDown, eventid::TrMouseRightUp, eventid::TrMouseRighDblClk,
    eventid::TrMouseMidDown,   eventid::TrMouseMidUp,   eventid::TrMouseMidDblClk,
};
} // namespace

void SysTray::UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float y) {
    // A notification that arrives while the host still handles the previous one only releases
    // the guard.
    if (s_.m_InNotify) {
        s_.m_InNotify = false;
        return;
    }
    s_.m_InNotify = true;
    struct Release {
        bool& guard;
        ~Release() { guard = false; }
    } release{s_.m_InNotify};

    // The control's scale is twips, so X carries the message code in twips.
    const double code = std::nearbyint(X / site_.twipsPerPixelX());
    if (code >= 513 && code <= 521 && swTrayMouse()) {
        MouseArgs args{Button, Shift, X, y};
        site_.raiseEvent(kEventForCode[static_cast<int>(code) - 513], args);
    }
}

} // namespace norvane::logic
