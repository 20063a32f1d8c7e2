// SysTrayText: what it shows of the control, what Apply writes and in which order, the link.
#include "traycontrol/pages/title_mouse_page.h"

#include "traycontrol/pages/page_fakes.h"

#include <gmock/gmock.h>

namespace norvane::pages {
namespace {

using namespace test;
using C = SysTrayTextControl;
using ::testing::ElementsAre;

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

TEST(SysTrayTextPage, EditsEnableApplyWhichWritesWhatWasShownWhileTheLinkVisitsAtOnce) {
    TextRig rig;
    rig.control.values = {{Property::TrayTitle, "Davrin"},
                          {Property::swTrayText, false},
                          {Property::swTrayMouse, true},
                          {Property::GoWeb, false}};
    rig.page.PropertyPage_SelectionChanged(rig.control);
    rig.page.Label1_Click(rig.control);
    EXPECT_FALSE(rig.page.changed());
    for (auto edit : {&SysTrayText::chkswTrayText_Click, &SysTrayText::chkswTrayMouse_Click,
                      &SysTrayText::txtTrayTitle_Change}) {
        rig.page.PropertyPage_SelectionChanged(rig.control);
        EXPECT_FALSE(rig.page.changed());
        (rig.page.*edit)();
        EXPECT_TRUE(rig.page.changed());
    }
    ASSERT_TRUE(rig.page.PropertyPage_ApplyChanges(rig.control));
    // Switches first; GoWeb as read, whatever the link did.
    EXPECT_THAT(rig.control.log, ElementsAre("GoWeb=True", "swTrayText=False", "swTrayMouse=True",
                                             "TrayTitle=Davrin", "GoWeb=False"));
}

} // namespace
} // namespace norvane::pages
