// Tests of ctlSysTray's record, property rules and placement methods against recording doubles.
#include "traycontrol/control/logic/sys_tray_fakes_test.h"

#include "traycontrol/control/com/norvane_ids.h"

#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace norvane::logic {
namespace {

const std::set<NotifyMessage> kAllRefused = {NotifyMessage::Add, NotifyMessage::Modify,
                                             NotifyMessage::Delete};

TEST(Properties, SettersCorrectOutOfRangeValuesNotifyTheirDispidAndKeepARefusedCycle) {
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
        EXPECT_EQ(std::pair(rig.tray.TrayMode(), rig.tray.state().m_ModePending),
                  std::pair(expect, expect != 0))
            << set;
    }

    TrayRig rig;
    rig.tray.setImage(nullptr); // Nothing leaves the pictures as they are
    rig.tray.setPic(4, nullptr);
    EXPECT_EQ(std::tuple(handleOf(rig.tray.Image()), handleOf(rig.tray.Pic(4)), rig.site.repaints),
              std::tuple(111u, 104u, 0));
    rig.tray.setImage(picture(7));
    rig.tray.setPic(10, picture(8));
    EXPECT_EQ(std::tuple(handleOf(rig.tray.Pic(10)), rig.site.repaints), std::tuple(8u, 1));
    rig.tray.setTrayTitle(u"t");
    rig.tray.setswTrayMouse(false);
    rig.tray.setswTrayText(false);
    rig.tray.setGoWeb(true);
    rig.tray.setFlashCycle(1);
    rig.tray.setTrayMode(1);
    EXPECT_EQ(std::pair(rig.tray.GoWeb(), rig.site.visits), std::pair(false, 1));
    EXPECT_EQ(rig.site.changed,
              (std::vector<std::int32_t>{dispid::Image, dispid::Pic04, dispid::Image, dispid::Pic10,
                                         dispid::TrayTitle, dispid::swTrayMouse, dispid::swTrayText,
                                         dispid::GoWeb, dispid::FlashCycle, dispid::TrayMode}));

    // A refused cycle stays stored, so the next placement raises the error again but still
    // records the icon and its mode.
    EXPECT_THROW(rig.tray.setFlashCycle(100), TimerIntervalError);
    EXPECT_EQ(rig.tray.FlashCycle(), 100);
    EXPECT_THROW(rig.tray.PlaceIcon(), TimerIntervalError);
    EXPECT_EQ(rig.seen(), "Add 7 t; timer off; mode 1");
    EXPECT_EQ(std::pair(rig.tray.state().m_IconPlaced, rig.tray.state().m_ModePending),
              std::pair(true, false));
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
}

TEST(Placement, PlaceIconFillsTheRecordAddsOnceStartsTheModesTimerAndRetriesAfterFailure) {
    TrayRig rig;
    rig.tray.setTrayTitle(std::u16string(200, u'a'));
    rig.shell.refused = kAllRefused;
    EXPECT_FALSE(rig.tray.PlaceIcon());
    rig.shell.refused.clear();
    EXPECT_TRUE(rig.tray.PlaceIcon());
    EXPECT_TRUE(rig.tray.PlaceIcon());
    ASSERT_EQ(rig.shell.calls.size(), 2u);
    EXPECT_EQ(rig.seen(), "Add 111 " + std::string(63, 'a') + "; timer off; mode 0");
    const auto& record = rig.shell.calls[1].record;
    EXPECT_EQ(
        std::tie(record.cbSize, record.hWnd, record.uID, record.uFlags, record.uCallbackMessage),
        std::tuple(88u, 0x00450012u, 111u, 7u, 0x0200u));

    // Placement shows the title even when the tip text is switched off.
    const std::pair<std::int16_t, const char*> cases[] = {
        {0, "Add 111 SysTray; timer off; mode 0"},
        {1, "Add 111 SysTray; timer 1500; mode 1"},
        {2, "Add 101 SysTray; timer 250; mode 2"}};
    for (const auto& [mode, seen] : cases) {
        TrayRig r;
        r.tray.setFlashCycle(1.5);
        r.tray.setAnimCycle(0.25);
        r.tray.setTrayMode(mode);
        r.tray.setswTrayText(false);
        ASSERT_TRUE(r.tray.PlaceIcon());
        EXPECT_EQ(r.seen(), seen);
        EXPECT_EQ(r.shell.calls.back().record.uID, r.shownIcon());
    }
}

TEST(Refresh, StaticIconRefreshAndTheTipRule) {
    TrayRig rig;
    EXPECT_FALSE(rig.tray.RefreshIcon(nullptr, u"x"));
    rig.tray.PlaceIcon();
    rig.tray.RefreshIcon(nullptr, u"New tip");
    EXPECT_EQ(rig.seen(), "Modify 111 New tip; timer off; mode 0");
    rig.tray.setswTrayText(false);
    rig.tray.RefreshIcon(nullptr, u"Ignored");
    EXPECT_EQ(rig.seen(), "Modify 111 New tip; timer off; mode 0");
    rig.shell.refused = kAllRefused;
    EXPECT_FALSE(rig.tray.RefreshIcon(nullptr, u""));
}

TEST(Refresh, PendingSwitchWaitsForRefreshAndBlocksRestore) {
    TrayRig rig;
    rig.tray.setAnimCycle(0.25);
    rig.tray.PlaceIcon();
    rig.tray.setTrayMode(2);
    EXPECT_FALSE(rig.tray.RestoreIcon());
    EXPECT_EQ(rig.seen(), "Add 111 SysTray; timer off; mode 0"); // neither reached the shell

    // An animation keeps the picture until its first frame, and nothing is restored meanwhile.
    EXPECT_TRUE(rig.tray.RefreshIcon(picture(5), u""));
    EXPECT_EQ(rig.seen(), "Modify 111 SysTray; timer 250; mode 2");
    EXPECT_FALSE(rig.tray.RestoreIcon());

    rig.tray.ctltimer_Timer();
    rig.tray.setTrayMode(1);
    rig.tray.setTrayTitle(u"Later");
    EXPECT_TRUE(rig.tray.RefreshIcon(nullptr, u""));
    EXPECT_EQ(rig.seen(), "Modify 111 SysTray; timer 500; mode 1");
    EXPECT_EQ(rig.tray.state().m_CurrentTip, u"Later");

    rig.tray.setTrayMode(0);
    EXPECT_TRUE(rig.tray.RefreshIcon(picture(9), u""));
    EXPECT_EQ(rig.seen(), "Modify 9 SysTray; timer off; mode 0");
    EXPECT_TRUE(rig.tray.RestoreIcon());
    EXPECT_EQ(rig.seen(), "Modify 111 Later; timer off; mode 0");
}

TEST(Lifecycle, EliminateAlwaysSucceedsTheUidStaysAndTaskbarRestartAndTerminateFollowPlacement) {
    TrayRig rig;
    rig.tray.TaskbarCreated();
    EXPECT_TRUE(rig.shell.calls.empty());
    EXPECT_TRUE(rig.tray.EliminateIcon()); // never placed
    rig.tray.PlaceIcon();
    rig.tray.setImage(picture(55));
    EXPECT_TRUE(rig.tray.EliminateIcon());
    EXPECT_TRUE(rig.tray.PlaceIcon()); // placed again: a new picture, the same identity
    rig.tray.RefreshIcon(picture(66), u"");
    std::vector<std::string> calls;
    for (const auto& [message, r] : rig.shell.calls)
        calls.push_back(std::to_string(static_cast<int>(message)) + " " + std::to_string(r.hIcon) +
                        "/" + std::to_string(r.uID));
    EXPECT_EQ(calls, (std::vector<std::string>{"2 0/0", "0 111/111", "2 111/111", "0 55/111",
                                               "1 66/111"}));

    rig.tray.RefreshIcon(picture(77), u"Now");
    rig.tray.TaskbarCreated();
    EXPECT_EQ(rig.seen(), "Add 77 Now; timer off; mode 0");
    EXPECT_TRUE(rig.tray.state().m_IconPlaced);

    // Icon still on a re-laid taskbar: the add fails, the modify finds it.
    rig.shell.refused = {NotifyMessage::Add};
    rig.tray.TaskbarCreated();
    EXPECT_EQ(rig.seen(), "Modify 77 Now; timer off; mode 0");
    EXPECT_TRUE(rig.tray.state().m_IconPlaced);
    rig.shell.refused = kAllRefused; // really gone: a later PlaceIcon tries again
    rig.tray.TaskbarCreated();
    EXPECT_FALSE(rig.tray.state().m_IconPlaced);

    rig.tray.UserControl_Terminate();
    EXPECT_EQ(rig.shell.calls.back().message, NotifyMessage::Delete);
}

} // namespace
} // namespace norvane::logic
