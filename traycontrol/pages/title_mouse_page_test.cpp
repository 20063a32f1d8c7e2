// SysTrayText: what it shows of the control, what Apply writes and in which order, the link.
#include "traycontrol/pages/title_mouse_page.h"

#include "traycontrol/pages/page_fakes.h"

#include <gmock/gmock.h>

namespace norvane::pages {
namespace {

using namespace test;
using C = SysTrayTextControl;
using ::testing::ElementsAre;
using namespace std::string_literals;

struct TextRig : SysTrayTextView, FakeSite, FakeBoxes {
    std::string title;
    std::map<C, bool> checks;
    std::string text(C) const override { return title; }
    void setText(C, const std::string& t) override { title = t; }
    bool checked(C c) const override { return checks.at(c); }
    void setChecked(C c, bool on) override { checks[c] = on; }
    FakeControl control;
    SysTrayText page{*this, *this, *this};
};

TEST(SysTrayTextPage, ApplyWritesWhatWasShownSwitchesFirstAndGoWebAsRead) {
    for (const auto& [title, on] : {std::pair("Davrin", true), std::pair("", false)}) {
        TextRig rig;
        rig.control.values = {{Property::TrayTitle, title},
                              {Property::swTrayText, on},
                              {Property::swTrayMouse, !on},
                              {Property::GoWeb, false}};
        rig.page.PropertyPage_SelectionChanged(rig.control);
        ASSERT_TRUE(rig.page.PropertyPage_ApplyChanges(rig.control));
        EXPECT_THAT(rig.control.log,
                    ElementsAre("swTrayText=" + shown(on), "swTrayMouse=" + shown(!on),
                                "TrayTitle="s + title, "GoWeb=False"));
    }
}

TEST(SysTrayTextPage, EditsEnableApplyWhileTheLinkVisitsAtOnce) {
    TextRig rig;
    for (auto edit : {&SysTrayText::chkswTrayText_Click, &SysTrayText::chkswTrayMouse_Click,
                      &SysTrayText::txtTrayTitle_Change}) {
        rig.page.PropertyPage_SelectionChanged(rig.control);
        EXPECT_FALSE(rig.page.changed());
        (rig.page.*edit)();
        EXPECT_TRUE(rig.page.changed());
    }
    rig.page.PropertyPage_SelectionChanged(rig.control);
    rig.page.Label1_Click(rig.control);
    EXPECT_THAT(rig.control.log, ElementsAre("GoWeb=True"));
    EXPECT_FALSE(rig.page.changed());
}

} // namespace
} // namespace norvane::pages
