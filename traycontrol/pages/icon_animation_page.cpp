// SysTrayTest's rules: what each control's event does to the page, the preview and the control.
#include "traycontrol/pages/icon_animation_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <utility>

namespace norvane::pages {

namespace {
using C = SysTrayTestControl;

// The control's own default; the page holds it until a selection brings the real values.
constexpr double kStartCycle = 0.5;
// The preview runs in the range the control's timer takes.
constexpr double kLongestInterval = 65535;
constexpr std::uint32_t kPreviewStartInterval = 500;
constexpr int kNumPadDecimalKey = 110; // the decimal key of the numeric pad

C optionOf(SysTrayTest::Mode mode) {
    switch (mode) {
    case SysTrayTest::Flash:
        return C::chkFlashOption;
    case SysTrayTest::Animation:
        return C::chkAnimationOption;
    case SysTrayTest::Static:
        break;
    }
    return C::chkNoFlashOption;
}
} // namespace

std::string selectImagesCaption(int n) {
    return "Select " + std::to_string(n) + " Images";
}

std::string selectImageNoCaption(int index) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", index);
    return std::string("Select Image No.: ") + digits;
}

SysTrayTest::SysTrayTest(SysTrayTestView& view, PageSite& site, SysTrayTestServices services,
                         std::string componentFolder)
    : view_(view), services_(services), changes_(site),
      chooser_(services.CommonDialog1, services.pictures, services.boxes,
               std::move(componentFolder)) {}

void SysTrayTest::PropertyPage_Initialize() {
    // A locale that reads "9.999" as nine thousand groups with "." and so writes decimals with ",".
    decimalComma_ = services_.numbers.read("9.999") == 9999.0;
    flash_.accepted = animation_.accepted = kStartCycle;
    frameCount_ = lastGoodFrameCount_ = kMaxFrames;
    imageIndex_ = 1;
    view_.setText(C::cmdSelectAni, selectImageNoCaption(imageIndex_));
    view_.setPreviewInterval(kPreviewStartInterval);
    view_.setPreviewRunning(false);
}

void SysTrayTest::PropertyPage_SelectionChanged(SelectedControl& control) {
    bool corrected = false;
    try {
        const PageChanges::Loading loading(changes_);
        const auto trayMode = read<std::int16_t>(control, Property::TrayMode);
        const auto storedCount = read<std::int16_t>(control, Property::FrameCount);
        mode_ = trayMode;
        // Both cycles are taken whatever the mode, so an emptied box gets the control's value.
        flash_.accepted = read<double>(control, Property::FlashCycle);
        animation_.accepted = read<double>(control, Property::AnimCycle);
        for (const CycleBox* cycle : {&flash_, &animation_})
            view_.setText(cycle->box, services_.numbers.write(cycle->accepted));
        view_.setText(C::datCount, std::to_string(storedCount));
        countChanged(std::to_string(storedCount));
        for (int n = 1; n <= kMaxFrames; ++n)
            entry(n) = read<PictureRef>(control, picProperty(n));
        staticPreview_ = entry(kStaticPictureEntry) = read<PictureRef>(control, Property::Image);
        const Mode shown = trayMode == Flash ? Flash : trayMode == Animation ? Animation : Static;
        view_.checkOption(optionOf(shown));
        enterMode(shown);
        // A saved form can hold a mode or a count the page cannot show; what it shows instead
        // is what Apply will write.
        corrected = trayMode != shown || storedCount != frameCount_;
    } catch (const std::exception& e) {
        reportControlError(services_.boxes, e);
        return;
    }
    if (corrected)
        markChanged();
}

bool SysTrayTest::PropertyPage_ApplyChanges(SelectedControl& control) {
    try {
        control.set(Property::TrayMode, static_cast<std::int16_t>(mode_));
        for (int n = 1; n <= kMaxFrames; ++n)
            control.set(picProperty(n), entry(n));
        control.set(Property::FlashCycle, flash_.accepted);
        control.set(Property::AnimCycle, animation_.accepted);
        control.set(Property::FrameCount, static_cast<std::int16_t>(frameCount_));
        control.set(Property::Image, staticPreview_);
    } catch (const std::exception& e) {
        reportControlError(services_.boxes, e);
        return false;
    }
    changes_.clear();
    return true;
}

void SysTrayTest::PropertyPage_Terminate() {
    view_.setPreviewRunning(false);
}

void SysTrayTest::chooseMode(Mode mode) {
    const bool differs = mode_ != mode;
    enterMode(mode);
    if (differs)
        markChanged();
}

void SysTrayTest::enterMode(Mode mode) {
    mode_ = mode;
    const bool animated = mode == Animation;
    for (C single : {C::cmdSelectAni, C::PreviewImage, C::Picture1})
        view_.setEnabled(single, !animated);
    view_.setVisible(C::Hscroll1, mode == Static);
    view_.setText(C::cmdSelectIcon,
                  animated ? selectImagesCaption(frameCount_) : std::string(kSelectImageCaption));
    showPictures();
    if (mode == Static) {
        view_.setPreviewRunning(false);
        return;
    }
    setPreviewCycle(mode == Flash ? flash_.accepted : animation_.accepted);
    view_.setPreviewRunning(true);
}

void SysTrayTest::cycleChanged(CycleBox& cycle) {
    const std::string text = view_.text(cycle.box);
    if (text.empty()) {
        view_.setText(cycle.box, services_.numbers.write(cycle.accepted));
        return;
    }
    const std::optional<double> value = services_.numbers.read(text);
    if (!value) {
        services_.boxes.show(std::string(kUseOnlyDigitsText), MessageButtons::Ok,
                             MessageIcon::None);
        view_.setText(cycle.box, services_.numbers.write(cycle.accepted));
        return;
    }
    // Taken in any mode: Apply writes both boxes, so both must hold what was accepted.
    cycle.accepted = *value;
    if (mode_ == cycle.mode)
        setPreviewCycle(*value);
    markChanged();
}

void SysTrayTest::setPreviewCycle(double seconds) {
    const double milliseconds = std::nearbyint(seconds * 1000.0); // halves to even
    view_.setPreviewInterval(static_cast<std::uint32_t>(
        milliseconds >= 0 ? std::min(milliseconds, kLongestInterval) : 0.0));
}

void SysTrayTest::cycleKeyDown(int keyCode) {
    if (keyCode == kNumPadDecimalKey)
        numPadDecimalPressed_ = true;
}

char32_t SysTrayTest::cycleKeyPress(char32_t key) {
    const bool numPadDecimal = std::exchange(numPadDecimalPressed_, false);
    if (key == U'\r') {
        view_.moveToNextField();
        return 0;
    }
    return numPadDecimal && decimalComma_ && key == U'.' ? U',' : key;
}

void SysTrayTest::datCount_Change() {
    const std::string text = view_.text(C::datCount);
    if (text.empty())
        view_.setText(C::datCount, std::to_string(lastGoodFrameCount_));
    else
        countChanged(text);
}

void SysTrayTest::countChanged(const std::string& text) {
    const std::optional<double> value = services_.numbers.read(text);
    if (!value || *value != std::trunc(*value)) {
        services_.boxes.show(std::string(kUseOnlyDigitsText), MessageButtons::Ok,
                             MessageIcon::None);
        // Left as typed, the box would hold a count that Apply cannot write.
        view_.setText(C::datCount, std::to_string(lastGoodFrameCount_));
        return;
    }
    if (*value < 1 || *value > kMaxFrames) {
        services_.boxes.show(std::string(kFrameCountRangeText), MessageButtons::Ok,
                             MessageIcon::None);
        view_.setText(C::datCount, std::to_string(kMaxFrames));
        takeCount(kMaxFrames);
        return;
    }
    takeCount(static_cast<int>(*value));
}

void SysTrayTest::takeCount(int count) {
    // The working count follows the box at once, so the caption and the files asked for agree.
    frameCount_ = lastGoodFrameCount_ = count;
    if (mode_ == Animation)
        view_.setText(C::cmdSelectIcon, selectImagesCaption(count));
    view_.setScrollBar(std::min(imageIndex_, count), count);
    markChanged();
}

void SysTrayTest::Hscroll1_Change(int Value) {
    if (mode_ != Static || Value < 1 || Value > kMaxFrames)
        return;
    imageIndex_ = Value;
    showIndex();
}

void SysTrayTest::cmdPlayPreview_Click() {
    // Steps through all ten pictures whatever the frame count, so every one can be looked at.
    imageIndex_ = imageIndex_ == kMaxFrames ? 1 : imageIndex_ + 1;
    showIndex();
    // Beyond the frame count the thumb rests at the end of its range.
    view_.setScrollBar(std::min(imageIndex_, frameCount_), frameCount_);
}

void SysTrayTest::Timer1_Timer() {
    switch (mode_) {
    case Flash:
        setPreviewShown(!previewShown_);
        break;
    case Animation:
        imageIndex_ = imageIndex_ == kMaxFrames || imageIndex_ == frameCount_ ? 1 : imageIndex_ + 1;
        showIndex();
        break;
    default:
        setPreviewShown(true);
    }
}

void SysTrayTest::PreviewImage_Click() {
    staticPreview_ = entry(imageIndex_);
    view_.setPicture(C::PreviewImage2, staticPreview_);
    markChanged();
}

void SysTrayTest::Picture1_Click() {
    staticPreview_ = entry(kStaticPictureEntry);
    view_.setPicture(C::PreviewImage2, staticPreview_);
    markChanged();
}

void SysTrayTest::cmdSelectIcon_Click() {
    if (mode_ == Animation) {
        // A cancel ends the round; the frames taken before it stay.
        for (int n = 1; n <= frameCount_; ++n) {
            const std::optional<PictureRef> picture = chooser_.chooseFrame(n);
            if (!picture)
                return;
            entry(n) = *picture;
            if (n == imageIndex_)
                view_.setPicture(C::PreviewImage, *picture);
            markChanged();
        }
        return;
    }
    const std::optional<PictureRef> picture = chooser_.chooseSingle();
    if (!picture)
        return;
    staticPreview_ = entry(kStaticPictureEntry) = *picture;
    view_.setPicture(C::Picture1, *picture);
    view_.setPicture(C::PreviewImage2, *picture);
    markChanged();
}

void SysTrayTest::cmdSelectAni_Click() {
    const std::optional<PictureRef> picture = chooser_.chooseSingle();
    if (!picture)
        return;
    entry(imageIndex_) = *picture;
    view_.setPicture(C::PreviewImage, *picture);
    markChanged();
}

void SysTrayTest::showIndex() {
    view_.setPicture(C::PreviewImage, entry(imageIndex_));
    view_.setText(C::datIconIndexNumber, std::to_string(imageIndex_));
    view_.setText(C::cmdSelectAni, selectImageNoCaption(imageIndex_));
}

void SysTrayTest::showPictures() {
    showIndex();
    view_.setPicture(C::PreviewImage2, staticPreview_);
    view_.setPicture(C::Picture1, entry(kStaticPictureEntry));
    setPreviewShown(true);
}

void SysTrayTest::setPreviewShown(bool shown) {
    previewShown_ = shown;
    view_.setVisible(C::PreviewImage, shown);
    view_.setVisible(C::PreviewImage2, shown);
}

} // namespace norvane::pages
