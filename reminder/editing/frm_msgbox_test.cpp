// frmMsgbox: each button answers and closes.
#include "reminder/editing/frm_msgbox.h"

#include "reminder/editing/edit_context.h"

#include <gtest/gtest.h>

namespace davrin::editing {
namespace {

// The texts it shows are checked on the real window.
struct FakeMsgboxView : FrmMsgboxView {
    void setCaption(const std::string&) override {}
    void setPrompt(const std::string&) override {}
    void setButtonTexts(const std::string&, const std::string&, const std::string&) override {}
    void close() override { closed = true; }
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
        EXPECT_FALSE(view.closed);
        EXPECT_FALSE(box.answer());
        (box.*click)();
        EXPECT_EQ(box.answer(), answer);
        EXPECT_TRUE(view.closed);
    }
}

} // namespace
} // namespace davrin::editing
