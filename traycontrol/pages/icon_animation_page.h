// SysTrayTest, the icon and animation property page: mode, cycle times, frames and pictures.
#pragma once

#include "traycontrol/pages/icon_animation_view.h"
#include "traycontrol/pages/icon_file_chooser.h"
#include "traycontrol/pages/locale_numbers.h"
#include "traycontrol/pages/page_changes.h"
#include "traycontrol/pages/selected_control.h"

#include <array>
#include <string>
#include <string_view>

namespace norvane::pages {

inline constexpr std::string_view kUseOnlyDigitsText = "Please use only digits";
inline constexpr std::string_view kFrameCountRangeText = "Frame Count must be between 1 and 10";
inline constexpr std::string_view kSelectImageCaption = "Select Image";
inline constexpr int kMaxFrames = 10;
inline constexpr int kStaticPictureEntry = 11; // ImageList1 entry of the static picture

// "Select " + n + " Images"
std::string selectImagesCaption(int n);
// "Select Image No.: " + the index as two digits
std::string selectImageNoCaption(int index);

struct SysTrayTestServices {
    const LocaleNumbers& numbers;
    PageMessageBoxes& boxes;
    OpenFileDialog& CommonDialog1;
    PictureFiles& pictures;
};

class SysTrayTest {
public:
    enum Mode : int { Static = 0, Flash = 1, Animation = 2 };

    // componentFolder: where the open-file dialog starts, the folder of Norvane.dll.
    SysTrayTest(SysTrayTestView& view, PageSite& site, SysTrayTestServices services,
                std::string componentFolder);

    // Once the page's window exists; then SelectionChanged.
    void PropertyPage_Initialize();
    void PropertyPage_SelectionChanged(SelectedControl& control);
    // False when the control refused a value (reported); the page then stays changed.
    bool PropertyPage_ApplyChanges(SelectedControl& control);
    void PropertyPage_Terminate();
    bool changed() const { return changes_.changed(); } // Apply is enabled

    void chkNoFlashOption_Click() { chooseMode(Static); }
    void chkFlashOption_Click() { chooseMode(Flash); }
    void chkAnimationOption_Click() { chooseMode(Animation); }

    void datFlashCycleTime_Change() { cycleChanged(flash_); }
    void datAnimationCycleTime_Change() { cycleChanged(animation_); }
    void datFlashCycleTime_KeyDown(int KeyCode) { cycleKeyDown(KeyCode); }
    void datAnimationCycleTime_KeyDown(int KeyCode) { cycleKeyDown(KeyCode); }
    // The character the box takes; 0 swallows the key.
    char32_t datFlashCycleTime_KeyPress(char32_t KeyAscii) { return cycleKeyPress(KeyAscii); }
    char32_t datAnimationCycleTime_KeyPress(char32_t KeyAscii) { return cycleKeyPress(KeyAscii); }

    void datCount_Change();
    void Hscroll1_Change(int Value);
    void cmdPlayPreview_Click();
    void Timer1_Timer();
    void PreviewImage_Click();
    void Picture1_Click();
    void cmdSelectIcon_Click();
    void cmdSelectAni_Click();

    int mode() const { return mode_; }
    int imageIndex() const { return imageIndex_; }
    int frameCount() const { return frameCount_; }
    bool decimalComma() const { return decimalComma_; }

private:
    struct CycleBox {
        SysTrayTestControl box;
        Mode mode;
        double accepted; // the last accepted cycle time, in seconds
    };

    void markChanged() { changes_.markChanged(); }
    void chooseMode(Mode mode);
    void enterMode(Mode mode);
    void cycleChanged(CycleBox& cycle);
    void setPreviewCycle(double seconds);
    void cycleKeyDown(int keyCode);
    char32_t cycleKeyPress(char32_t key);
    void countChanged(const std::string& text);
    void takeCount(int count);
    void showIndex();
    void showPictures();
    void setPreviewShown(bool shown);
    PictureRef& entry(int n) { return ImageList1_[n - 1]; }

    SysTrayTestView& view_;
    SysTrayTestServices services_;
    PageChanges changes_;
    IconFileChooser chooser_;

    int mode_ = Static;
    int imageIndex_ = 1;
    int frameCount_ = kMaxFrames;
    int lastGoodFrameCount_ = kMaxFrames;
    CycleBox flash_{SysTrayTestControl::datFlashCycleTime, Flash, 0.5};
    CycleBox animation_{SysTrayTestControl::datAnimationCycleTime, Animation, 0.5};
    bool decimalComma_ = false;
    bool numPadDecimalPressed_ = false;
    bool previewShown_ = true;
    std::array<PictureRef, kStaticPictureEntry> ImageList1_; // entries 1 ... 11
    PictureRef staticPreview_;                               // what PreviewImage2 shows
};

} // namespace norvane::pages
