// ctlSysTray's property rules and the four placement methods.
#include "traycontrol/control/logic/sys_tray.h"

#include "traycontrol/control/com/norvane_ids.h"

#include <cmath>

namespace norvane::logic {

namespace {
const std::u16string kDefaultTitle = u"SysTray";
constexpr std::int32_t kPicDispids[] = {dispid::Pic01, dispid::Pic02, dispid::Pic03, dispid::Pic04,
                                        dispid::Pic05, dispid::Pic06, dispid::Pic07, dispid::Pic08,
                                        dispid::Pic09, dispid::Pic10};

// Runs the bookkeeping that must follow a shell call even when applying the timer interval throws.
template <typename F> struct Finally {
    F f;
    ~Finally() { f(); }
};
template <typename F> Finally(F) -> Finally<F>;
} // namespace

std::uint32_t timerInterval(double seconds) {
    const double milliseconds = std::nearbyint(seconds * 1000.0); // default rounding: half to even
    if (!(milliseconds >= 0.0 && milliseconds <= 65535.0))
        throw TimerIntervalError("Invalid property value");
    return static_cast<std::uint32_t>(milliseconds);
}

SysTray::SysTray(TrayShell& shell, TrayTimer& timer, TraySite& site, BuiltInPictures pictures)
    : shell_(shell), timer_(timer), site_(site), builtIn_(std::move(pictures)) {
    timer_.setEnabled(false);
    timer_.setInterval(500);
    UserControl_Initialize();
}

void SysTray::UserControl_Initialize() {
    s_.m_FlashPhase = true;
    s_.m_TrayTitle = kDefaultTitle;
    s_.m_FlashCycle = s_.m_AnimCycle = 0.5;
    s_.m_swTrayMouse = s_.m_swTrayText = true;
    s_.m_TrayMode = s_.m_ActiveMode = 0;
    s_.m_FrameCount = 10;
    s_.m_GoWeb = false;
    s_.m_IconPlaced = s_.m_ModePending = false;
}

void SysTray::UserControl_InitProperties() {
    UserControl_Initialize();
    for (std::size_t n = 0; n < s_.m_Pic.size(); ++n)
        s_.m_Pic[n] = builtIn_.ImageList1[n];
    s_.m_Image2 = builtIn_.ImageList1[10];
}

void SysTray::UserControl_Terminate() {
    timer_.setEnabled(false);
    shell_.notifyIcon(NotifyMessage::Delete, s_.m_Notify);
    s_.m_IconPlaced = false;
}

void SysTray::waitForTick() {
    // Everything runs on one thread, so a busy tick sits below us on the stack: we were reached
    // from a message dispatched inside its shell call. Pumping lets queued work run; once the
    // queue is empty nothing can end the tick before we return, and spinning on would hang the
    // host for ever. The tick's shell call has already taken its copy of the record.
    while (s_.m_TimerBusy && site_.pumpMessage()) {
    }
}

void SysTray::startTimer(double seconds) {
    timer_.setInterval(timerInterval(seconds));
    timer_.setEnabled(true);
}

void SysTray::writeTipText(const std::u16string& text) {
    writeTip(s_.m_Notify, shell_.toAnsi(text));
}

bool SysTray::tipRule(const std::u16string& New_ToolTip) {
    if (New_ToolTip.empty() || !s_.m_swTrayText)
        return false;
    writeTipText(New_ToolTip);
    s_.m_CurrentTip = New_ToolTip;
    return true;
}

bool SysTray::PlaceIcon() {
    if (s_.m_IconPlaced)
        return true;
    Finally done{[this] {
        s_.m_ModePending = false;
        s_.m_ActiveMode = s_.m_TrayMode;
    }};
    switch (s_.m_TrayMode) {
    case 0:
    case 1:
        s_.m_CurrentPicture = s_.m_Image2;
        break;
    case 2:
        s_.m_CurrentPicture = s_.m_Pic[0];
        break;
    default:
        return false;
    }
    s_.m_CurrentTip = s_.m_TrayTitle;
    auto& record = s_.m_Notify;
    record.hIcon = handleOf(s_.m_CurrentPicture);
    record.hWnd = site_.windowHandle();
    record.uFlags = kNotifyFlags;
    writeTipText(s_.m_TrayTitle);
    record.uCallbackMessage = kCallbackMessage;
    // The icon's identity is the picture of its first placement; placing it again after a
    // removal keeps that identity, so the shell sees one and the same icon.
    if (record.cbSize == 0)
        record.uID = handleOf(s_.m_CurrentPicture);
    record.cbSize = kNotifyIconDataSize;
    s_.m_IconPlaced = shell_.notifyIcon(NotifyMessage::Add, record);

    if (s_.m_TrayMode == 1)
        startTimer(s_.m_FlashCycle);
    else if (s_.m_TrayMode == 2)
        startTimer(s_.m_AnimCycle);
    else
        timer_.setEnabled(false);
    return s_.m_IconPlaced;
}

bool SysTray::RestoreIcon() {
    if (!s_.m_IconPlaced || s_.m_ModePending)
        return false;
    if (s_.m_ActiveMode == 1)
        waitForTick();
    else if (s_.m_ActiveMode != 0)
        return false;
    s_.m_CurrentPicture = s_.m_Image2;
    s_.m_Notify.hIcon = handleOf(s_.m_CurrentPicture);
    writeTipText(s_.m_swTrayText ? s_.m_TrayTitle : std::u16string{});
    return shell_.notifyIcon(NotifyMessage::Modify, s_.m_Notify);
}

bool SysTray::EliminateIcon() {
    if (s_.m_IconPlaced && (s_.m_ActiveMode == 1 || s_.m_ActiveMode == 2))
        waitForTick();
    timer_.setEnabled(false);
    shell_.notifyIcon(NotifyMessage::Delete, s_.m_Notify);
    s_.m_IconPlaced = false;
    return true;
}

bool SysTray::RefreshIcon(const PicturePtr& IconImage, const std::u16string& New_ToolTip) {
    if (!s_.m_IconPlaced)
        return false;
    return s_.m_ModePending ? refreshIntoNewMode(IconImage, New_ToolTip)
                            : refreshInActiveMode(IconImage, New_ToolTip);
}

void SysTray::pictureRule(const PicturePtr& IconImage) {
    if (IconImage) {
        s_.m_Notify.hIcon = IconImage->handle();
        s_.m_CurrentPicture = IconImage;
    }
}

bool SysTray::modifyIcon() {
    return shell_.notifyIcon(NotifyMessage::Modify, s_.m_Notify);
}

bool SysTray::refreshInActiveMode(const PicturePtr& IconImage, const std::u16string& New_ToolTip) {
    switch (s_.m_ActiveMode) {
    case 0:
        timer_.setEnabled(false);
        pictureRule(IconImage);
        break;
    case 1:
        waitForTick();
        pictureRule(IconImage);
        break;
    case 2:
        waitForTick(); // an animation keeps its frames
        break;
    default:
        return false;
    }
    tipRule(New_ToolTip);
    return modifyIcon();
}

bool SysTray::refreshIntoNewMode(const PicturePtr& IconImage, const std::u16string& New_ToolTip) {
    if (s_.m_ActiveMode == 1 || s_.m_ActiveMode == 2) {
        waitForTick();
        timer_.setEnabled(false);
    }
    Finally done{[this] {
        s_.m_ModePending = false;
        s_.m_ActiveMode = s_.m_TrayMode;
    }};
    bool result = false;
    switch (s_.m_TrayMode) {
    case 0:
    case 1:
        if (!IconImage) {
            s_.m_CurrentPicture = s_.m_Image2;
            s_.m_CurrentTip = s_.m_TrayTitle;
            s_.m_Notify.hIcon = handleOf(s_.m_CurrentPicture);
        } else {
            pictureRule(IconImage);
        }
        tipRule(New_ToolTip);
        result = modifyIcon();
        if (s_.m_TrayMode == 1)
            startTimer(s_.m_FlashCycle);
        break;
    case 2:
        tipRule(New_ToolTip);
        result = modifyIcon();
        startTimer(s_.m_AnimCycle);
        break;
    default:
        break;
    }
    return result;
}

void SysTray::TaskbarCreated() {
    // The shell also broadcasts this when it only re-lays the taskbar, with our icon still on
    // it; the add then fails, and a modify confirms the icon is there.
    if (s_.m_IconPlaced)
        s_.m_IconPlaced = shell_.notifyIcon(NotifyMessage::Add, s_.m_Notify) ||
                          shell_.notifyIcon(NotifyMessage::Modify, s_.m_Notify);
}

void SysTray::setTrayTitle(const std::u16string& New_TrayTitle) {
    s_.m_TrayTitle = New_TrayTitle;
    site_.propertyChanged(dispid::TrayTitle);
}

void SysTray::setswTrayMouse(bool New_swTrayMouse) {
    s_.m_swTrayMouse = New_swTrayMouse;
    site_.propertyChanged(dispid::swTrayMouse);
}

void SysTray::setswTrayText(bool New_swTrayText) {
    s_.m_swTrayText = New_swTrayText;
    site_.propertyChanged(dispid::swTrayText);
}

void SysTray::setImage(const PicturePtr& New_Image) {
    if (New_Image) {
        s_.m_Image2 = New_Image;
        site_.repaint();
    }
    site_.propertyChanged(dispid::Image);
}

void SysTray::applyCycle(double& field, double value, std::int32_t id) {
    field = value;
    // The value is stored whatever the timer says, so the container hears of the change even
    // when the interval is refused and the error goes back to the caller.
    Finally notify{[this, id] { site_.propertyChanged(id); }};
    timer_.setInterval(timerInterval(value));
}

void SysTray::setFlashCycle(double New_FlashCycle) {
    applyCycle(s_.m_FlashCycle, New_FlashCycle, dispid::FlashCycle);
}

void SysTray::setAnimCycle(double New_AnimCycle) {
    applyCycle(s_.m_AnimCycle, New_AnimCycle, dispid::AnimCycle);
}

void SysTray::setFrameCount(std::int16_t New_FrameCount) {
    if (New_FrameCount > 10)
        New_FrameCount = 10;
    else if (New_FrameCount == 0)
        New_FrameCount = 1;
    s_.m_FrameCount = New_FrameCount;
    site_.propertyChanged(dispid::FrameCount);
}

const PicturePtr& SysTray::Pic(int n) const {
    return s_.m_Pic.at(static_cast<std::size_t>(n - 1));
}

void SysTray::setPic(int n, const PicturePtr& New_Pic) {
    auto& slot = s_.m_Pic.at(static_cast<std::size_t>(n - 1));
    if (New_Pic)
        slot = New_Pic;
    site_.propertyChanged(kPicDispids[n - 1]);
}

void SysTray::setTrayMode(std::int16_t New_TrayMode) {
    s_.m_TrayMode = New_TrayMode > 2 ? std::int16_t{0} : New_TrayMode;
    if (s_.m_TrayMode != s_.m_ActiveMode)
        s_.m_ModePending = true;
    site_.propertyChanged(dispid::TrayMode);
}

void SysTray::setGoWeb(bool New_GoWeb) {
    s_.m_GoWeb = New_GoWeb;
    site_.propertyChanged(dispid::GoWeb);
    if (New_GoWeb) {
        Finally reset{[this] { s_.m_GoWeb = false; }};
        site_.visitWebSite();
    }
}

} // namespace norvane::logic
