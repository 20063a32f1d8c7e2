// SysTrayTest rule by rule: keys, cycle and count boxes, modes, preview, Step, selection, Apply.
#include "traycontrol/pages/icon_animation_page.h"

#include "traycontrol/pages/page_fakes.h"

#include <gmock/gmock.h>

#include <sstream>

namespace norvane::pages {
namespace {

using namespace test;
using C = SysTrayTestControl;
using ::testing::ElementsAre;
using namespace std::string_literals;

template <typename... T> std::string join(const T&... parts) {
    std::ostringstream out;
    ((out << parts << '|'), ...);
    return out.str().substr(0, out.str().size() - 1);
}

// A page on a control with cycles of 0.25 s (flash) and 2 s and five frames, selected in `mode`
// (not selected when -1); the view records what the page shows.
struct Rig : SysTrayTestView, FakeSite, FakeNumbers, FakeBoxes, FakeDialog, FakePictureFiles {
    std::map<C, std::string> texts;
    std::map<C, bool> enabled, visible;
    std::map<C, PictureRef> pictures;
    C option{};
    int scroll = 0, scrollMax = 0, moves = 0;
    std::uint32_t interval = 0;
    bool running = false;
    std::string text(C c) const override { return texts.contains(c) ? texts.at(c) : ""; }
    void setText(C c, const std::string& t) override { texts[c] = t; }
    void checkOption(C c) override { option = c; }
    void setEnabled(C c, bool e) override { enabled[c] = e; }
    void setVisible(C c, bool v) override { visible[c] = v; }
    void setPicture(C c, const PictureRef& p) override { pictures[c] = p; }
    void setScrollBar(int v, int m) override { scroll = v, scrollMax = m; }
    void setPreviewInterval(std::uint32_t ms) override { interval = ms; }
    void setPreviewRunning(bool r) override { running = r; }
    void moveToNextField() override { ++moves; }
    FakeControl control;
    SysTrayTest page{*this, *this, {*this, *this, *this, *this}, "C:\\Norvane"};
    explicit Rig(char decimalMark = '.', int mode = -1) {
        decimal = decimalMark;
        page.PropertyPage_Initialize();
        control.values[Property::FlashCycle] = 0.25, control.values[Property::AnimCycle] = 2.0;
        control.values[Property::FrameCount] = std::int16_t(5);
        control.values[Property::TrayMode] = std::int16_t(mode);
        if (mode >= 0)
            page.PropertyPage_SelectionChanged(control);
    }
    void type(C box, const std::string& t) {
        texts[box] = t;
        box == C::datCount            ? page.datCount_Change()
        : box == C::datFlashCycleTime ? page.datFlashCycleTime_Change()
                                      : page.datAnimationCycleTime_Change();
    }
    std::string shows(C image) { return test::shown(pictures[image]); }
    std::vector<std::string> apply() {
        control.log.clear();
        page.PropertyPage_ApplyChanges(control);
        return control.log;
    }
};

TEST(SysTrayTestPage, CycleBoxKeysMoveOnWithEnterAndTypeTheLocalesDecimalMarkFromTheNumberPad) {
    const std::tuple<char, int, char32_t, char32_t> cases[] = {
        {',', 110, U'.', U','},
        {',', 190, U'.', U'.'},
        {',', 110, U'1', U'1'},
        {'.', 110, U'.', U'.'},
        {',', 0, U'\r', 0}}; // locale, key down, key pressed, typed
    for (const auto& [decimal, keyDown, key, typed] : cases) {
        Rig rig(decimal);
        rig.page.datAnimationCycleTime_KeyDown(keyDown);
        EXPECT_EQ(rig.page.datAnimationCycleTime_KeyPress(key), typed) << keyDown;
        EXPECT_EQ(rig.moves, key == U'\r');
        EXPECT_EQ(rig.page.datAnimationCycleTime_KeyPress(U'.'), U'.'); // for one key press only
    }
}

TEST(SysTrayTestPage, CycleBoxesTakeNumbersInAnyModeButOnlyTheirOwnModeDrivesThePreview) {
    const std::tuple<char, int, C, const char*, const char*> cases[] = {
        // locale, mode (-1: nothing selected yet), box, typed;
        // then the box, the preview interval, whether changed, and the box once emptied
        {'.', 1, C::datFlashCycleTime, "0.75", "0.75|750|1|0.75"},
        {'.', 1, C::datFlashCycleTime, "1s", "0.25|250|0|0.25"},
        {'.', 1, C::datAnimationCycleTime, "3", "3|250|1|3"},
        {',', -1, C::datAnimationCycleTime, "0,75", "0,75|500|1|0,75"},
        {'.', -1, C::datFlashCycleTime, "", "0.5|500|0|0.5"},
    };
    for (const auto& [decimal, mode, box, typed, expected] : cases) {
        Rig rig(decimal, mode);
        rig.type(box, typed);
        const std::string seen = join(rig.text(box), rig.interval, rig.page.changed());
        rig.type(box, "");
        EXPECT_EQ(join(seen, rig.text(box)), expected) << typed;
        EXPECT_EQ(rig.messages, std::vector<std::string>(typed == "1s"s, "Please use only digits"));
    }
}

TEST(SysTrayTestPage, FrameCountBoxKeepsOneToTenAndTheLastGoodCount) {
    const std::string range = "Frame Count must be between 1 and 10",
                      digits = "Please use only digits";
    const std::tuple<int, const char*, std::string, const char*> cases[] = {
        // mode, typed, message; then the box, the frame count, Hscroll1's maximum, cmdSelectIcon
        {2, "3", "", "3|3|3|Select 3 Images"},     {2, "0", range, "10|10|10|Select 10 Images"},
        {0, "11", range, "10|10|10|Select Image"}, {0, "x", digits, "5|5|5|Select Image"},
        {0, "2.5", digits, "5|5|5|Select Image"},  {0, "", "", "5|5|5|Select Image"},
    };
    for (const auto& [mode, typed, message, expected] : cases) {
        Rig rig('.', mode);
        rig.type(C::datCount, typed);
        EXPECT_EQ(join(rig.text(C::datCount), rig.page.frameCount(), rig.scrollMax,
                       rig.text(C::cmdSelectIcon)),
                  expected);
        EXPECT_EQ(rig.messages, std::vector<std::string>(!message.empty(), message));
    }
}

TEST(SysTrayTestPage, ModeButtonsSetCaptionControlsAndPreviewTimer) {
    const std::tuple<int, void (SysTrayTest::*)(), const char*> cases[] = {
        // mode before, button; then cmdSelectIcon, how many single-picture controls are
        // enabled, Hscroll1 shown, preview running, its interval, changed
        {0, &SysTrayTest::chkFlashOption_Click, "Select Image|3|0|1|250|1"},
        {0, &SysTrayTest::chkAnimationOption_Click, "Select 5 Images|0|0|1|2000|1"},
        {2, &SysTrayTest::chkNoFlashOption_Click, "Select Image|3|1|0|2000|1"},
        {1, &SysTrayTest::chkFlashOption_Click, "Select Image|3|0|1|250|0"},
    };
    for (const auto& [from, click, expected] : cases) {
        Rig rig('.', from);
        (rig.page.*click)();
        const int single =
            rig.enabled[C::cmdSelectAni] + rig.enabled[C::PreviewImage] + rig.enabled[C::Picture1];
        EXPECT_EQ(join(rig.text(C::cmdSelectIcon), single, rig.visible[C::Hscroll1], rig.running,
                       rig.interval, rig.page.changed()),
                  expected);
    }
}

TEST(SysTrayTestPage, PreviewBlinksOrRunsUpToTheCountWhileStepWrapsFromTenToOne) {
    Rig flash('.', SysTrayTest::Flash);
    flash.page.Timer1_Timer();
    EXPECT_FALSE(flash.visible[C::PreviewImage2]);
    flash.page.Timer1_Timer();
    EXPECT_TRUE(flash.visible[C::PreviewImage2]);

    Rig rig('.', SysTrayTest::Animation);
    rig.type(C::datCount, "3");
    std::vector<std::string> seen;
    for (int i = 0; i < 3; ++i, rig.page.Timer1_Timer())
        seen.push_back(rig.shows(C::PreviewImage) + " " + rig.text(C::cmdSelectAni));
    for (int i = 0; i < 10; ++i) // from 1 to 10, then 1
        if (rig.page.cmdPlayPreview_Click(); i >= 8)
            seen.push_back(rig.shows(C::PreviewImage) + " " + rig.text(C::cmdSelectAni) + " " +
                           rig.text(C::datIconIndexNumber) + " " + std::to_string(rig.scroll));
    EXPECT_THAT(seen, ElementsAre("ctl1 Select Image No.: 01", "ctl2 Select Image No.: 02",
                                  "ctl3 Select Image No.: 03", "ctl10 Select Image No.: 10 10 3",
                                  "ctl1 Select Image No.: 01 1 1"));
}

TEST(SysTrayTestPage, SelectionShowsTheControlChosenFilesReplaceFramesAndApplyWritesInOrder) {
    Rig rig(',', SysTrayTest::Animation);
    EXPECT_EQ(join(rig.text(C::datFlashCycleTime), rig.text(C::datCount),
                   rig.option == C::chkAnimationOption, rig.shows(C::Picture1), rig.page.changed()),
              "0,25|5|1|ctl11|0");
    rig.paths = {"C:\\i\\32x32.ico", "C:\\i\\16x16.ico"}; // then a cancel ends the round
    rig.page.cmdSelectIcon_Click();
    EXPECT_EQ(rig.requests.back().DialogTitle, "Open Image File No.: 3 ...");
    rig.page.cmdPlayPreview_Click();
    rig.page.PreviewImage_Click(); // the frame shown becomes the static picture
    EXPECT_THAT(rig.apply(),
                ElementsAre("TrayMode=2", "Pic01=C:\\i\\32x32.ico", "Pic02=C:\\i\\16x16.ico",
                            "Pic03=ctl3", "Pic04=ctl4", "Pic05=ctl5", "Pic06=ctl6", "Pic07=ctl7",
                            "Pic08=ctl8", "Pic09=ctl9", "Pic10=ctl10", "FlashCycle=0.25",
                            "AnimCycle=2", "FrameCount=5", "Image=C:\\i\\16x16.ico"));
    rig.page.Picture1_Click();
    EXPECT_EQ(rig.apply().back(), "Image=ctl11");
}

TEST(SysTrayTestPage, ApplyIsEnabledByEditsAndByCorrectionsOfASavedForm) {
    Rig rig('.', SysTrayTest::Static);
    rig.type(C::datCount, "4");
    rig.page.chkFlashOption_Click();
    EXPECT_EQ(rig.notified, 1);
    // A chosen file replaces the static picture, or the frame at the index (1).
    rig.paths = {"C:\\i\\32x32.ico", "C:\\i\\16x16.ico"};
    rig.page.cmdSelectIcon_Click();
    rig.page.cmdSelectAni_Click();
    EXPECT_THAT(rig.apply(),
                ::testing::IsSupersetOf({"Pic01=C:\\i\\16x16.ico", "Image=C:\\i\\32x32.ico"}));
    EXPECT_FALSE(rig.page.changed());
    rig.control.refuse = Property::FlashCycle;
    rig.page.chkNoFlashOption_Click();
    EXPECT_FALSE(rig.page.PropertyPage_ApplyChanges(rig.control));
    EXPECT_TRUE(rig.page.changed()); // reported, and kept for another try
    EXPECT_THAT(rig.messages.back(), ::testing::EndsWith("Invalid property value"));

    Rig saved; // a saved form can hold values the page cannot show
    saved.control.values[Property::TrayMode] = std::int16_t(7);
    saved.control.values[Property::FrameCount] = std::int16_t(25);
    saved.page.PropertyPage_SelectionChanged(saved.control);
    EXPECT_THAT(saved.messages, ElementsAre("Frame Count must be between 1 and 10"));
    const auto written = saved.apply();
    EXPECT_EQ(join(saved.notified, written.front(), written[13]), "1|TrayMode=0|FrameCount=10");
}

} // namespace
} // namespace norvane::pages
