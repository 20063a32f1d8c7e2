// Tests of ctlSysTray's timer tick (frames, flash phases), mouse decoding and re-entry.
#include "traycontrol/control/logic/sys_tray_fakes_test.h"

#include "traycontrol/control/com/norvane_ids.h"

#include <gtest/gtest.h>

namespace norvane::logic {
namespace {

// The icon shown now, then the one after each of `ticks` ticks.
std::vector<std::uint32_t> iconsOfTicks(TrayRig& rig, int ticks) {
    std::vector<std::uint32_t> shown{rig.shownIcon()};
    for (int i = 0; i < ticks; ++i) {
        rig.tray.ctltimer_Timer();
        shown.push_back(rig.shownIcon());
    }
    return shown;
}

TEST(Tick, AnimationFrameSequencesForEveryKindOfFrameCountAndALaterPlacementContinues) {
    struct Case {
        std::int16_t frameCount;
        std::vector<std::uint32_t> frames; // ImageList1 entry n has handle 100 + n
        std::vector<std::uint32_t> later;  // placed again after those frames, then one tick
    };
    const std::vector<Case> cases = {
        {1, {101, 101, 101, 101}, {101, 101}},
        {3, {101, 101, 102, 103, 101, 102, 103}, {101, 101}},
        {10, {101, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 101, 102}, {101, 103}},
        {0, {101, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 101}, {101, 102}},
    };
    for (const auto& c : cases) {
        TrayRig rig;
        MemoryBag bag; // a saved form is the only way to a stored 0
        bag.items.emplace_back("FrameCount", c.frameCount);
        bag.items.emplace_back("TrayMode", std::int16_t{2});
        rig.tray.UserControl_ReadProperties(bag);
        ASSERT_TRUE(rig.tray.PlaceIcon());
        EXPECT_EQ(iconsOfTicks(rig, static_cast<int>(c.frames.size()) - 1), c.frames)
            << c.frameCount;
        rig.tray.EliminateIcon();
        rig.tray.PlaceIcon();
        EXPECT_EQ(iconsOfTicks(rig, 1), c.later) << c.frameCount;
    }
}

TEST(Tick, FlashAlternatesPictureAndBlankAndTheTipIsBlankWhenTextIsOff) {
    TrayRig rig;
    rig.tray.setTrayMode(1);
    rig.tray.PlaceIcon();
    EXPECT_EQ(iconsOfTicks(rig, 5), (std::vector<std::uint32_t>{111, 111, 999, 111, 999, 111}));
    EXPECT_EQ(rig.seen(), "Modify 111 SysTray; timer 500; mode 1");

    rig.tray.setswTrayText(false);
    rig.tray.setTrayTitle(u"Ignored by ticks");
    rig.tray.ctltimer_Timer();
    EXPECT_EQ(rig.seen(), "Modify 999 ; timer 500; mode 1");

    // Restoring blanks the tip too.
    rig.tray.RefreshIcon(picture(42), u"");
    EXPECT_TRUE(rig.tray.RestoreIcon());
    EXPECT_EQ(rig.seen(), "Modify 111 ; timer 500; mode 1");
}

TEST(Mouse, EachNotificationCodeRaisesItsOwnEventWithTheHandlersArguments) {
    TrayRig rig;
    for (int code = 512; code <= 522; ++code)
        rig.tray.UserControl_MouseMove(1, 2, static_cast<float>(code * 15), 3);
    const std::vector<std::int32_t> expected = {
        eventid::TrMouseLeftDown,  eventid::TrMouseLeftUp,  eventid::TrMouseLeftDblClk,
        eventid::TrMouseRightDown, eventid::TrMouseRightUp, eventid::TrMouseRighDblClk,
        eventid::TrMouseMidDown,   eventid::TrMouseMidUp,   eventid::TrMouseMidDblClk};
    ASSERT_EQ(rig.site.events.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [id, a] = rig.site.events[i];
        EXPECT_EQ(std::tuple(id, a.Button, a.Shift, a.X, a.y),
                  std::tuple(expected[i], 1, 2, static_cast<float>((513 + i) * 15), 3.0f));
    }
}

TEST(Mouse, ScaleRoundingSwitchAndGuard) {
    // Twips to pixels at the site's scale. The codes at both ends of the range are covered above.
    TrayRig scaled;
    scaled.site.tpp = 12;
    scaled.tray.UserControl_MouseMove(0, 0, 517 * 12, 0);
    EXPECT_EQ(scaled.site.events.at(0).first, eventid::TrMouseRightUp);

    TrayRig rig;
    rig.tray.setswTrayMouse(false);
    rig.tray.UserControl_MouseMove(0, 0, 7755, 0);
    EXPECT_EQ(std::tuple(rig.site.events.size(), rig.tray.state().m_InNotify),
              std::tuple(0u, false));

    // A notification arriving inside the host's handler raises nothing and releases the guard;
    // the next one after the handler raises again.
    rig.tray.setswTrayMouse(true);
    int nested = 0;
    rig.site.onEvent = [&](std::int32_t, MouseArgs& args) {
        args.X = -1; // the host changing its copy changes nothing here
        if (nested++ == 0) {
            rig.tray.UserControl_MouseMove(0, 0, 7695, 0);
            EXPECT_FALSE(rig.tray.state().m_InNotify);
        }
    };
    rig.tray.UserControl_MouseMove(0, 0, 7755, 0);
    rig.tray.UserControl_MouseMove(0, 0, 7695, 0);
    ASSERT_EQ(rig.site.events.size(), 2u);
    EXPECT_EQ(rig.site.events[1].first, eventid::TrMouseLeftDown);
}

TEST(ReEntry, MethodsCalledInsideATickPumpTheQueueAndNeverHang) {
    TrayRig rig;
    rig.tray.setTrayMode(1);
    rig.tray.PlaceIcon();
    rig.site.queued = 3;
    bool eliminated = false;
    rig.shell.during = [&] {
        EXPECT_TRUE(rig.tray.state().m_TimerBusy);
        eliminated = rig.tray.EliminateIcon();
    };
    rig.tray.ctltimer_Timer();
    EXPECT_TRUE(eliminated);
    EXPECT_EQ(rig.seen(), "Delete 111 SysTray; timer off; mode 1");
    EXPECT_EQ(std::pair(rig.site.pumped, rig.tray.state().m_TimerBusy), std::pair(3, false));

    // Outside a tick nothing is pumped.
    rig.site.queued = 2;
    rig.tray.PlaceIcon();
    rig.tray.RefreshIcon(nullptr, u"");
    rig.tray.RestoreIcon();
    rig.tray.EliminateIcon();
    EXPECT_EQ(rig.site.pumped, 3);
}

} // namespace
} // namespace norvane::logic
