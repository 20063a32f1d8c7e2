// The icon size check's four outcomes, and the open-file dialog's set-up and reopening.
#include "traycontrol/pages/icon_file_chooser.h"
#include "traycontrol/pages/icon_size_check.h"

#include "traycontrol/pages/page_fakes.h"

#include <gtest/gtest.h>

namespace norvane::pages {
namespace {

using namespace test;
using A = MessageAnswer;

TEST(IconSizeCheck, ThirtyTwoSquarePassesLargerIsRefusedSmallerAsks) {
    const std::string greater = "Image is greater than 32 x 32\r\n\r\n",
                      other = "Image is less than 32 x 32 and not 16 x 16.\r\n\r\n",
                      small =
                          "Image is less than 32 x 32\r\n\r\n16 x 16\r\nProceed still? [Yes/No]";
    const std::tuple<int, int, A, bool, std::string> cases[] = {
        // w, h, the answer to a question, taken, the message
        {32, 32, A::No, true, ""},
        {64, 32, A::Yes, false, greater + "64 x 32"},
        {16, 16, A::Yes, true, small},
        {16, 16, A::No, false, small},
        {48, 16, A::No, false, other + "48 x 16 [Yes/No]"},
    };
    for (const auto& [w, h, answer, taken, message] : cases) {
        FakeBoxes boxes;
        boxes.answer = answer;
        EXPECT_EQ(passesSizeCheck(w, h, boxes), taken) << w << " x " << h;
        EXPECT_EQ(boxes.messages, std::vector<std::string>(!message.empty(), message));
    }
}

TEST(IconFileChooser, DialogIsSetUpEachTimeAndShownAgainUntilAPictureIsTaken) {
    FakeDialog dialog;
    FakePictureFiles files;
    FakeBoxes boxes;
    IconFileChooser chooser{dialog, files, boxes, "C:\\Program Files\\Norvane"};
    // A frame takes any size the designer accepts; a single picture must also be 16 or 32
    // high; a file that is no picture is reported with its path and the cause.
    dialog.paths = {"D:\\art\\24x24.ico", "D:\\24x24.ico", "D:\\broken.ico", "D:\\a\\16x16.ico"};
    EXPECT_EQ(shown(chooser.chooseFrame(4).value_or(nullptr)), "D:\\art\\24x24.ico");
    EXPECT_EQ(shown(chooser.chooseSingle().value_or(nullptr)), "D:\\a\\16x16.ico");
    EXPECT_FALSE(chooser.chooseSingle()); // cancelled, quietly
    EXPECT_EQ(boxes.messages.size(), 4u);
    EXPECT_EQ(boxes.messages[2], "D:\\broken.ico\r\n\r\nThis file could not be loaded: The system "
                                 "cannot find the file specified.");
    std::vector<std::string> requests;
    for (const OpenFileRequest& r : dialog.requests)
        requests.push_back(r.DialogTitle + "|" + r.Filter + "|" + std::to_string(r.FilterIndex) +
                           "|" + std::to_string(r.Flags) + "|" + r.InitDir + "|" + r.FileName);
    const std::string ico = "|Pictures (*.ico)|*.ico|1|2101260|"; // 2101260 = 0x20100C
    const std::string art = "Open Image File..." + ico + "D:\\art\\|";
    EXPECT_EQ(requests, (std::vector<std::string>{
                            "Open Image File No.: 4 ..." + ico + "C:\\Program Files\\Norvane\\|",
                            art, art, art, "Open Image File..." + ico + "D:\\a\\|"}));
}

} // namespace
} // namespace norvane::pages
