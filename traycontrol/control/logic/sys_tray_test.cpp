// Tests of ctlSysTray's record, property rules and placement methods against recording doubles.
#include "traycontrol/control/logic/sys_tray_fakes_test.h"

#include "traycontrol/control/com/norvane_ids.h"

#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace norvane::logic {
namespace {

TEST(NotifyRecord, PlacementFillsTheShellRecordAndTheTipIsCutToEndInNulThenBlanks) {
    TrayRig rig;
    rig.tray.setTrayTitle(std::u16string(200, u'a'));
    ASSERT_TRUE(rig.tray.PlaceIcon());
    ASSERT_EQ(rig.shell.calls.size(), 1u);
    EXPECT_EQ(rig.shell.calls[0].message, NotifyMessage::Add);
    const auto& r = rig.shell.calls[0].record;
    EXPECT_EQ(std::tie(r.cbSize, r.hWnd, r.uID, r.uFlags, r.uCallbackMessage, r.hIcon),
              std::tuple(88u, 0x00450012u, 111u, 7u, 0x0200u, 111u));
    EXPECT_EQ(rig.shownTip(), std::string(63, 'a'));
    rig.tray.RefreshIcon(nullptr, u"Davrin");
    const auto& tip = rig.shell.calls.back().record.szTip;
    EXPECT_EQ(std::string(tip.begin(), tip.end()),
              std::string("Davrin\0", 7) + std::string(57, ' '));
}

TEST(Properties, SettersCorrectOutOfRangeValuesAndNotifyTheirDispid) {
    struct Case {
        std::int16_t set, expect;
    };
    for (auto [set, expect] : {Case{25, 10}, Case{10, 10}, Case{0, 1}, Case{1, 1}, Case{-3, -3}}) {
        TrayRig rig;
        rig.tray.setFrameCount(set);
        EXPECT_EQ(rig.tray.FrameCount(), expect) << set;
        EXPECT_EQ(rig.site.changed, std::vector<std::int32_t>{dispid::FrameCount});
    }
    for (auto [set, expect] : {Case{7, 0}, Case{3, 0}, Case{2, 2}, Case{-1, -1}}) {
        TrayRig rig;
        rig.tray.setTrayMode(set);
        EXPECT_EQ(rig.tray.TrayMode(), expect) << set;
        EXPECT_EQ(rig.tray.state().m_ModePending, expect != 0) << set;
    }

    TrayRig rig;
    rig.tray.setImage(nullptr);
    rig.tray.setPic(4, nullptr);
    EXPECT_EQ(handleOf(rig.tray.Image()), 111u);
    EXPECT_EQ(handleOf(rig.tray.Pic(4)), 104u);
    EXPECT_EQ(rig.site.repaints, 0);
    rig.tray.setImage(picture(7));
    rig.tray.setPic(10, picture(8));
    EXPECT_EQ(rig.site.repaints, 1);
    EXPECT_EQ(handleOf(rig.tray.Pic(10)), 8u);
    rig.tray.setTrayTitle(u"t");
    rig.tray.setswTrayMouse(false);
    rig.tray.setswTrayText(false);
    rig.tray.setGoWeb(true);
    rig.tray.setFlashCycle(1);
    rig.tray.setTrayMode(1);
    EXPECT_FALSE(rig.tray.GoWeb());
    EXPECT_EQ(rig.site.visits, 1);
    EXPECT_EQ(rig.site.changed,
              (std::vector<std::int32_t>{dispid::Image, dispid::Pic04, dispid::Image, dispid::Pic10,
                                         dispid::TrayTitle, dispid::swTrayMouse, dispid::swTrayText,
                                         dispid::GoWeb, dispid::FlashCycle, dispid::TrayMode}));
}

TEST(Properties, CycleTimesRoundHalfToEvenAndRefuseWhatTheTimerCannotTake) {
    struct Case {
        double seconds;
        long ms; // -1: refused
    };
    for (auto [seconds, ms] :
         {Case{0.5, 500}, Case{0.0005, 0}, Case{0.0025, 2}, Case{0.0035, 4}, Case{65.535, 65535},
          Case{65.5355, -1}, Case{-0.001, -1}, Case{std::nan(""), -1}}) {
        TrayRig rig;
        if (ms < 0) {
            EXPECT_THROW(rig.tray.setAnimCycle(seconds), TimerIntervalError) << seconds;
        } else {
            rig.tray.setAnimCycle(seconds);
            EXPECT_EQ(rig.timer.interval, static_cast<std::uint32_t>(ms)) << seconds;
        }
        EXPECT_EQ(rig.site.changed, std::vector<std::int32_t>{dispid::AnimCycle}) << seconds;
    }

    // A refused cycle stays stored, so the next placement raises the error again but still
    // records the icon and its mode.
    TrayRig rig;
    rig.tray.setTrayMode(1);
    EXPECT_THROW(rig.tray.setFlashCycle(100), TimerIntervalError);
    EXPECT_EQ(rig.tray.FlashCycle(), 100);
    EXPECT_THROW(rig.tray.PlaceIcon(), TimerIntervalError);
    EXPECT_TRUE(rig.tray.state().m_IconPlaced);
    EXPECT_EQ(rig.tray.state().m_ActiveMode, 1);
    EXPECT_FALSE(rig.tray.state().m_ModePending);
}

TEST(Placement, PlaceIconAddsOnceStartsTheModesTimerAndRetriesAfterFailure) {
    TrayRig rig;
    rig.shell.answer = false;
    EXPECT_FALSE(rig.tray.PlaceIcon());
    rig.shell.answer = true;
    EXPECT_TRUE(rig.tray.PlaceIcon());
    EXPECT_TRUE(rig.tray.PlaceIcon());
    EXPECT_EQ(rig.shell.calls.size(), 2u);

    struct Case {
        std::int16_t mode;
        bool enabled;
        std::uint32_t interval, icon;
    };
    for (auto c : {Case{0, false, 500, 111}, Case{1, true, 1500, 111}, Case{2, true, 250, 101}}) {
        TrayRig r;
        r.tray.setFlashCycle(1.5);
        r.tray.setAnimCycle(0.25);
        r.tray.setTrayMode(c.mode);
        r.tray.setswTrayText(false); // placement shows the title all the same
        ASSERT_TRUE(r.tray.PlaceIcon());
        EXPECT_EQ(r.timer.enabled, c.enabled) << c.mode;
        if (c.enabled) {
            EXPECT_EQ(r.timer.interval, c.interval) << c.mode;
        }
        EXPECT_EQ(r.shownIcon(), c.icon);
        EXPECT_EQ(r.shell.calls.back().record.uID, c.icon);
        EXPECT_EQ(r.shownTip(), "SysTray");
        EXPECT_EQ(r.tray.state().m_ActiveMode, c.mode);
    }
}

TEST(Placement, UidStaysThatOfTheFirstPictureAndEliminateAlwaysSucceeds) {
    TrayRig rig;
    EXPECT_TRUE(rig.tray.EliminateIcon()); // never placed
    rig.tray.PlaceIcon();
    const auto firstUid = rig.shell.calls.back().record.uID;
    rig.tray.setImage(picture(55));
    EXPECT_TRUE(rig.tray.EliminateIcon());
    EXPECT_EQ(rig.shell.calls.back().message, NotifyMessage::Delete);
    EXPECT_TRUE(rig.tray.PlaceIcon());
    EXPECT_EQ(rig.shownIcon(), 55u);
    EXPECT_NE(firstUid, 55u);
    EXPECT_EQ(rig.shell.calls.back().record.uID, firstUid); // placed again, same identity
    rig.tray.RefreshIcon(picture(66), u"");
    EXPECT_EQ(rig.shell.calls.back().record.uID, firstUid);
    EXPECT_EQ(rig.shownIcon(), 66u);
}

TEST(Refresh, StaticIconRefreshAndTheTipRule) {
    TrayRig rig;
    EXPECT_FALSE(rig.tray.RefreshIcon(nullptr, u"x"));
    EXPECT_TRUE(rig.shell.calls.empty());

    rig.tray.PlaceIcon();
    const auto placed = rig.shell.calls.back().record;
    EXPECT_TRUE(rig.tray.RefreshIcon(nullptr, u""));
    EXPECT_EQ(rig.shell.calls.back().message, NotifyMessage::Modify);
    EXPECT_EQ(rig.shownIcon(), placed.hIcon);
    EXPECT_EQ(rig.shell.calls.back().record.szTip, placed.szTip);

    rig.tray.RefreshIcon(nullptr, u"New tip");
    EXPECT_EQ(rig.shownTip(), "New tip");
    EXPECT_EQ(rig.tray.state().m_CurrentTip, u"New tip");
    rig.tray.setswTrayText(false);
    rig.tray.RefreshIcon(nullptr, u"Ignored");
    EXPECT_EQ(rig.shownTip(), "New tip");
    rig.shell.answer = false;
    EXPECT_FALSE(rig.tray.RefreshIcon(nullptr, u""));
}

TEST(Refresh, PendingSwitchWaitsForRefreshAndBlocksRestore) {
    TrayRig rig;
    rig.tray.setAnimCycle(0.25);
    rig.tray.PlaceIcon();
    const auto calls = rig.shell.calls.size();
    rig.tray.setTrayMode(2);
    EXPECT_EQ(rig.shell.calls.size(), calls);
    EXPECT_FALSE(rig.tray.RestoreIcon());
    EXPECT_EQ(rig.shell.calls.size(), calls);
    EXPECT_FALSE(rig.timer.enabled);

    EXPECT_TRUE(rig.tray.RefreshIcon(picture(5), u""));
    EXPECT_EQ(rig.shownIcon(), 111u); // animation keeps the picture until its first frame
    EXPECT_TRUE(rig.timer.enabled);
    EXPECT_EQ(rig.timer.interval, 250u);
    EXPECT_EQ(rig.tray.state().m_ActiveMode, 2);
    EXPECT_FALSE(rig.tray.RestoreIcon()); // nothing is restored while animating

    rig.tray.ctltimer_Timer();
    rig.tray.setTrayMode(1);
    rig.tray.setTrayTitle(u"Later");
    EXPECT_TRUE(rig.tray.RefreshIcon(nullptr, u""));
    EXPECT_EQ(rig.shownIcon(), 111u);
    EXPECT_EQ(rig.tray.state().m_CurrentTip, u"Later");
    EXPECT_EQ(rig.timer.interval, 500u);

    rig.tray.setTrayMode(0);
    EXPECT_TRUE(rig.tray.RefreshIcon(picture(9), u""));
    EXPECT_FALSE(rig.timer.enabled);
    EXPECT_EQ(rig.shownIcon(), 9u);
    EXPECT_TRUE(rig.tray.RestoreIcon());
    EXPECT_EQ(rig.shownIcon(), 111u);
}

TEST(Refresh, RestoreBlanksTheTipWhenTextIsOffAndKeepsAFlashRunning) {
    TrayRig rig;
    rig.tray.setTrayMode(1);
    rig.tray.PlaceIcon();
    rig.tray.RefreshIcon(picture(42), u"");
    rig.tray.setswTrayText(false);
    EXPECT_TRUE(rig.tray.RestoreIcon());
    EXPECT_EQ(rig.shownIcon(), 111u);
    EXPECT_EQ(rig.shell.calls.back().record.szTip[0], '\0');
    EXPECT_TRUE(rig.timer.enabled);
    EXPECT_EQ(handleOf(rig.tray.state().m_CurrentPicture), 111u);
}

TEST(Lifecycle, TaskbarRestartReAddsAPlacedIconAndTerminateRemovesIt) {
    TrayRig rig;
    rig.tray.TaskbarCreated();
    EXPECT_TRUE(rig.shell.calls.empty());
    rig.tray.PlaceIcon();
    rig.tray.RefreshIcon(picture(77), u"Now");
    rig.tray.TaskbarCreated();
    EXPECT_EQ(rig.shell.calls.back().message, NotifyMessage::Add);
    EXPECT_EQ(rig.shownIcon(), 77u);
    EXPECT_EQ(rig.shownTip(), "Now");
    EXPECT_TRUE(rig.tray.state().m_IconPlaced);

    // Icon still on a re-laid taskbar: the add fails, the modify finds it.
    rig.shell.addAnswer = false;
    rig.tray.TaskbarCreated();
    EXPECT_EQ(rig.shell.calls.back().message, NotifyMessage::Modify);
    EXPECT_TRUE(rig.tray.state().m_IconPlaced);
    rig.shell.answer = false; // really gone: a later PlaceIcon tries again
    rig.tray.TaskbarCreated();
    EXPECT_FALSE(rig.tray.state().m_IconPlaced);

    rig.tray.UserControl_Terminate();
    EXPECT_EQ(rig.shell.calls.back().message, NotifyMessage::Delete);
}

} // namespace
} // namespace norvane::logic
