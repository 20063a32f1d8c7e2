// The settings window's logic: the wrapping up-down, load, save and Cancel.
#include "reminder/shell/reminder_settings.h"

#include "reminder/shell/shell_fakes_test.h"
#include "reminder/store/reminder_statements.h"

#include <map>

namespace davrin::shell {
namespace {

class FakeSettingsView : public ReminderSettingsView {
public:
    std::string text(SettingsText box) const override {
        return texts.contains(box) ? texts.at(box) : std::string{};
    }
    void setText(SettingsText box, const std::string& value) override { texts[box] = value; }
    void setUpDownRange(int, int, int) override {}
    void showMessage(const std::string& text, const std::string& title, ui::MessageIcon) override {
        messages.push_back(title + ": " + text);
    }
    void unload() override { unloaded = true; }

    std::map<SettingsText, std::string> texts;
    std::vector<std::string> messages;
    bool unloaded = false;
};

class ReminderSettingsTest : public ::testing::Test {
protected:
    test::TempDatabase db;
    MobileNumberLabel lblmobileno;
    FakeSettingsView view;
    ReminderSettings form{view, store::gConn, lblmobileno};
};

TEST_F(ReminderSettingsTest, UpDownWrapsAroundBothWays) {
    struct Case {
        const char* start;
        const char* afterUp;
        const char* afterDown;
    };
    const Case cases[] = {{"15", "30", "60"}, {"60", "15", "45"}, {"20", "35", "5"}};
    for (const Case& c : cases) {
        view.texts[SettingsText::Text2] = c.start;
        form.UpDown2_UpClick();
        EXPECT_EQ(view.texts[SettingsText::Text2], c.afterUp) << c.start;
        view.texts[SettingsText::Text2] = c.start;
        form.UpDown2_DownClick();
        EXPECT_EQ(view.texts[SettingsText::Text2], c.afterDown) << c.start;
    }
}

TEST_F(ReminderSettingsTest, SaveOverARowKeepsTheNewsServerAndCancelWritesNothing) {
    const store::Settings saved{30, "", "127.0.0.1:8080"};
    store::saveSettings(store::gConn, store::Settings{45, "0123", saved.newsserver});
    lblmobileno.reload(store::gConn);
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(view.texts[SettingsText::Text1], "0123");
    EXPECT_EQ(view.texts[SettingsText::Text2], "45");
    view.texts[SettingsText::Text1] = "";
    form.UpDown2_DownClick();
    form.CmdOk_Click();
    EXPECT_EQ(store::readSettings(store::gConn), saved);
    EXPECT_EQ(lblmobileno.text(), "");

    view.unloaded = false;
    form.UpDown2_UpClick();
    view.texts[SettingsText::Text1] = "111";
    form.CmdCancel_Click();
    EXPECT_TRUE(view.unloaded);
    EXPECT_EQ(store::readSettings(store::gConn), saved);
}

TEST_F(ReminderSettingsTest, FailedFirstSaveKeepsTheWindowAndTheInput) {
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(view.texts[SettingsText::Text2], "15"); // no settings row yet
    view.texts[SettingsText::Text1] = "12345";
    db.exec("PRAGMA query_only = 1");
    form.CmdOk_Click();
    db.exec("PRAGMA query_only = 0");

    EXPECT_THAT(view.messages, ::testing::ElementsAre(::testing::StartsWith(
                                   "Reminder: The settings could not be saved.")));
    EXPECT_FALSE(view.unloaded);
    EXPECT_EQ(view.texts[SettingsText::Text1], "12345");
    EXPECT_FALSE(store::readSettings(store::gConn));

    form.CmdOk_Click(); // the user tries again once the file is writable
    EXPECT_TRUE(view.unloaded);
    EXPECT_EQ(store::readSettings(store::gConn), (store::Settings{15, "12345", ""}));
}

} // namespace
} // namespace davrin::shell
