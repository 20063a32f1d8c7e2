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

TEST(Tick, AnimationFrameSequencesForEveryKindOfFrameCount) {
    struct Case {
        std::int16_t frameCount;
        std::vector<std::uint32_t> frames; // ImageList1 entry n has handle 100 + n
    };
    const std::vector<Case> cases = {
        {1, {101, 101, 101, 101}},
        {3, {101, 101, 102, 103, 101, 102, 103}},
        {10, {101, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 101, 102}},
        {0, {101, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 101}},
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
    }
}

TEST(Tick, LaterPlacementContinuesFromTheLastFrame) {
    TrayRig rig;
    rig.tray.setTrayMode(2);
    rig.tray.PlaceIcon();
    iconsOfTicks(rig, 4); // 1, 2, 3, 4
    rig.tray.EliminateIcon();
    rig.tray.PlaceIcon();
    EXPECT_EQ(iconsOfTicks(rig, 2), (std::vector<std::uint32_t>{101, 105, 106}));
}

TEST(Tick, FlashAlternatesPictureAndBlankAndBlanksTheTipWhenTextIsOff) {
    TrayRig rig;
    rig.tray.setTrayMode(1);
    rig.tray.PlaceIcon();
    EXPECT_EQ(iconsOfTicks(rig, 5), (std::vector<std::uint32_t>{111, 111, 999, 111, 999, 111}));
    EXPECT_EQ(rig.shownTip(), "SysTray");
    EXPECT_EQ(handleOf(rig.tray.state().m_CurrentPicture), 111u);

    rig.tray.setswTrayText(false);
    rig.tray.setTrayTitle(u"Ignored by ticks");
    rig.tray.ctltimer_Timer();
    EXPECT_EQ(rig.shell.calls.back().record.szTip[0], '\0');
    EXPECT_EQ(rig.shell.calls.back().message, NotifyMessage::Modify);
    EXPECT_FALSE(rig.tray.state().m_TimerBusy);
}

TEST(Mouse, EachNotificationCodeRaisesItsOwnEventWithTheHandlersArguments) {
    TrayRig rig;
    for (int code = 512; code <= 522; ++code)
        rig.tray.UserControl_MouseMove(1, 2, static_cast<float>(code * 15), 0);
    const std::vector<std::int32_t> expected = {
        eventid::TrMouseLeftDown,  eventid::TrMouseLeftUp,  eventid::TrMouseLeftDblClk,
        eventid::TrMouseRightDown, eventid::TrMouseRightUp, eventid::TrMouseRighDblClk,
        eventid::TrMouseMidDown,   eventid::TrMouseMidUp,   eventid::TrMouseMidDblClk};
    ASSERT_EQ(rig.site.events.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(rig.site.events[i].first, expected[i]);
        const auto& args = rig.site.events[i].second;
        EXPECT_EQ(args.X, static_cast<float>((513 + static_cast<int>(i)) * 15));
        EXPECT_EQ(args.y, 0.0f);
        EXPECT_EQ(args.Button, 1);
        EXPECT_EQ(args.Shift, 2);
    }
}

TEST(Mouse, ScaleRoundingSwitchAndGuard) {
    struct Case {
        double tpp;
        float x;
        std::int32_t event; // 0: none
    };
    using namespace eventid;
    // 516.5 pixels round to even; the codes at both ends of the range are covered above.
    for (auto c : {Case{12, 517 * 12, TrMouseRightUp}, Case{15, 7747.5f, TrMouseRightDown}}) {
        TrayRig rig;
        rig.site.tpp = c.tpp;
        rig.tray.UserControl_MouseMove(0, 0, c.x, 0);
        EXPECT_EQ(rig.site.events.empty() ? 0 : rig.site.events[0].first, c.event) << c.x;
    }

    TrayRig rig;
    rig.tray.setswTrayMouse(false);
    rig.tray.UserControl_MouseMove(0, 0, 7755, 0);
    EXPECT_TRUE(rig.site.events.empty());
    EXPECT_FALSE(rig.tray.state().m_InNotify);

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
    EXPECT_EQ(rig.site.pumped, 3);
    EXPECT_EQ(rig.shell.calls.back().message, NotifyMessage::Delete);
    EXPECT_FALSE(rig.timer.enabled);
    EXPECT_FALSE(rig.tray.state().m_TimerBusy);

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
