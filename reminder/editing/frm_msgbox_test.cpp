// frmMsgbox: each button answers and closes; the texts the user reads.
#include "reminder/editing/frm_msgbox.h"

#include "reminder/editing/edit_context.h"

#include <gtest/gtest.h>

namespace davrin::editing {
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
    const std::pair<void (FrmMsgbox::*)(), DeleteAnswer> buttons[] = {
        {&FrmMsgbox::Command1_Click, DeleteAnswer::One},
        {&FrmMsgbox::Command2_Click, DeleteAnswer::All},
        {&FrmMsgbox::Command3_Click, DeleteAnswer::None}};
    for (const auto& [click, answer] : buttons) {
        FakeMsgboxView view;
        FrmMsgbox box(view);
        box.Form_Load();
        EXPECT_EQ(view.caption, "Recurrance Delete");
        EXPECT_EQ(view.prompt, "Delete Recurrance of this Event ?");
        EXPECT_EQ(view.buttons, "Delete &One|Delete &All|Delete &None");
        EXPECT_FALSE(view.closed);
        EXPECT_FALSE(box.answer());
        (box.*click)();
        EXPECT_EQ(box.answer(), answer);
        EXPECT_TRUE(view.closed);
    }
}

} // namespace
} // namespace davrin::editing
