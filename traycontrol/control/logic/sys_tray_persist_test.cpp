// Tests of ctlSysTray's property bag: order, kinds, defaults left out, and no corrections on read.
#include "traycontrol/control/logic/sys_tray_fakes_test.h"

#include <gtest/gtest.h>

namespace norvane::logic {
namespace {

TEST(Persistence, DefaultsAreNotWrittenAndChangesAreWrittenInTableOrder) {
    TrayRig rig;
    MemoryBag empty;
    rig.tray.UserControl_WriteProperties(empty);
    EXPECT_TRUE(empty.items.empty());

    const PicturePtr image = picture(5), pic10 = picture(6), pic02 = picture(7);
    rig.tray.setTrayMode(2);
    rig.tray.setFrameCount(4);
    rig.tray.setAnimCycle(0.25);
    rig.tray.setFlashCycle(1);
    rig.tray.setImage(image);
    rig.tray.setPic(10, pic10);
    rig.tray.setPic(2, pic02);
    rig.tray.setswTrayText(false);
    rig.tray.setTrayTitle(u"Davrin");
    rig.tray.setPic(3, picture(103)); // same icon as the default: still a default
    MemoryBag bag;
    rig.tray.UserControl_WriteProperties(bag);
    const decltype(bag.items) written = {{"TrayTitle", std::u16string(u"Davrin")},
                                         {"swTrayText", false},
                                         {"Pic02", pic02},
                                         {"Pic10", pic10},
                                         {"Image", image},
                                         {"FlashCycle", 1.0},
                                         {"AnimCycle", 0.25},
                                         {"FrameCount", std::int16_t{4}},
                                         {"TrayMode", std::int16_t{2}}};
    EXPECT_EQ(bag.items, written);

    TrayRig loaded;
    loaded.tray.UserControl_ReadProperties(bag);
    MemoryBag again;
    loaded.tray.UserControl_WriteProperties(again);
    EXPECT_EQ(again.items, written);
    EXPECT_EQ(loaded.tray.state().m_ActiveMode, 0); // reading places nothing and switches nothing
    EXPECT_TRUE(loaded.shell.calls.empty());
    EXPECT_TRUE(loaded.site.changed.empty());
}

TEST(Persistence, ReadingTakesDefaultsForMissingKeysAndAppliesNoCorrections) {
    TrayRig rig;
    rig.tray.setTrayTitle(u"Changed");
    rig.tray.setPic(1, picture(1));
    MemoryBag bag;
    bag.items.emplace_back("TrayTitle", std::u16string(u"Davrin"));
    bag.items.emplace_back("FrameCount", std::int16_t{25});
    bag.items.emplace_back("TrayMode", std::int16_t{-2});
    bag.items.emplace_back("swTrayMouse", std::u16string(u"wrong kind"));
    rig.tray.UserControl_ReadProperties(bag);
    const auto& s = rig.tray.state();
    EXPECT_EQ(std::tuple(s.m_TrayTitle, s.m_FrameCount, s.m_TrayMode, s.m_swTrayMouse,
                         handleOf(s.m_Pic[0])),
              std::tuple(u"Davrin", 25, -2, true, 101u));
    EXPECT_FALSE(rig.tray.PlaceIcon()); // the uncorrected mode places nothing
    EXPECT_TRUE(rig.shell.calls.empty());
    EXPECT_EQ(s.m_ActiveMode, -2);
}

} // namespace
} // namespace norvane::logic
