// frmMsgbox: each button answers and closes; the texts the user reads.
#include "frm_msgbox.h"

#include "edit_context.h"

#include <gtest/gtest.h>

namespace davrin {
namespace {

struct FakeMsgboxView : FrmMsgboxView {
    void setCaption(const std::string& text) override { caption = text; }
    void setPrompt(const std::string& text) override { prompt = text; }
    void setButtonTexts(const std::string& one, const std::string& all,
                        const std::string& none) override {
        buttons = one + "|" + all + "|" + none;
    }
    void close() override { closed = true; }
    std::string caption, prompt, buttons;
    bool closed = false;
};

TEST(FrmMsgbox, EachButtonStoresItsAnswerAndCloses) {
    const std::pair<void (frmMsgbox::*)(), const char*> buttons[] = {
        {&frmMsgbox::Command1_Click, "One"},
        {&frmMsgbox::Command2_Click, "All"},
        {&frmMsgbox::Command3_Click, "None"}};
    for (const auto& [click, answer] : buttons) {
        FakeMsgboxView view;
        frmMsgbox box(view);
        gMsgAnswer.clear();
        box.Form_Load();
        EXPECT_EQ(view.caption, "Recurrance Delete");
        EXPECT_EQ(view.prompt, "Delete Recurrance of this Event ?");
        EXPECT_EQ(view.buttons, "Delete &One|Delete &All|Delete &None");
        EXPECT_FALSE(view.closed);
        (box.*click)();
        EXPECT_EQ(gMsgAnswer, answer);
        EXPECT_TRUE(view.closed);
    }
}

} // namespace
} // namespace davrin
