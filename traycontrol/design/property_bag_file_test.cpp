// The design host's bag file: every kind round trip, and each way a line can be wrong.
#include "traycontrol/design/property_bag_file.h"

#include <gtest/gtest.h>

namespace norvane::design {
namespace {

TEST(PropertyBagFile, EveryKindComesBackAsWritten) {
    const std::vector<BagEntry> entries = {
        {"TrayTitle", std::string("Two\\lines\r\nand = : signs")},
        {"swTrayText", false},
        {"FrameCount", std::int16_t(-7)},
        {"FlashCycle", 0.1},
        {"Image", PictureBytes{{0x00, 0x01, 0xAB, 0xFF}}},
        {"Pic01", PictureBytes{}}};
    const std::string text = formatBag(entries);
    EXPECT_NE(text.find("FlashCycle=r8:0.1\n"), std::string::npos) << text;
    EXPECT_EQ(parseBag(text), entries);
}

TEST(PropertyBagFile, BadLinesAreReportedWithTheirNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"# c\n\nA=i2:x", "line 3: \"x\" is no number of its kind"},
        {"A=i2:40000", "line 1: \"40000\" is no number of its kind"},
        {"A=bool:yes", "line 1: a bool is True or False"},
        {"A=text:a\\tb", "line 1: unknown escape in text"},
        {"A=picture:abc", "line 1: picture bytes need two hexadecimal digits each"},
        {"A=picture:0g", "line 1: picture bytes need two hexadecimal digits each"},
        {"A=blob:00", "line 1: unknown kind \"blob\""},
        {"=text:a", "line 1: expected Name=kind:value"},
        {"A text", "line 1: expected Name=kind:value"},
    };
    for (const auto& [text, message] : cases) {
        try {
            parseBag(text);
            ADD_FAILURE() << text;
        } catch (const BagFileError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

} // namespace
} // namespace norvane::design
