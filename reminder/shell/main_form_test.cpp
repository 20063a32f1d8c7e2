// The main window's logic: start-up order, the tray double-click, the tray menu and pausing.
#include "main_form.h"

#include "reminder_statements.h"
#include "shell_fakes_test.h"

#include <gtest/gtest.h>

namespace davrin {
namespace {

// Records every call on the view and the tray in one list, so the order is visible.
struct CallLog {
    std::vector<std::string> calls;
};

class FakeMainView : public MainView {
public:
    explicit FakeMainView(CallLog& log) : log_(log) {}
    void hide() override { log_.calls.push_back(gConn.isOpen() ? "hide(db open)" : "hide"); }
    std::optional<MenuCommand> popupMenu(const std::array<MenuEntry, 3>& items) override {
        std::string shown;
        for (const auto& item : items)
            shown += item.caption + "|";
        log_.calls.push_back("menu " + shown);
        return choice;
    }
    void showAbout() override { log_.calls.push_back("about"); }
    void endProgram() override { log_.calls.push_back("end"); }
    std::optional<MenuCommand> choice;

private:
    CallLog& log_;
};

class FakeTray : public TrayIcon {
public:
    explicit FakeTray(CallLog& log) : log_(log) {}
    bool RestoreIcon() override {
        log_.calls.push_back("RestoreIcon");
        return restored;
    }
    bool PlaceIcon() override {
        log_.calls.push_back("PlaceIcon");
        return true;
    }
    bool restored = false;

private:
    CallLog& log_;
};

class MainTest : public ::testing::Test {
protected:
    MainTest() { test::clearAlertValues(); }
    Main makeMain(const std::filesystem::path& folder) {
        return Main({view, tray, list, alert, http, boxes, clock, folder});
    }

    test::TempDatabase db;
    CallLog log;
    FakeMainView view{log};
    FakeTray tray{log};
    test::FakeList list;
    test::ScriptedAlert alert;
    test::FakeHttp http;
    test::RecordingBoxes boxes;
    FixedClock clock{LocalDateTime(2026, 12, 5, 10, 0)};
};

TEST_F(MainTest, LoadOpensTheDatabaseThenHidesThenPlacesTheIcon) {
    saveSettings(gConn, Settings{30, "07700900456", ""});
    gConn.close();
    Main form = makeMain(db.folder());

    ASSERT_TRUE(form.Form_Load());

    EXPECT_EQ(log.calls, (std::vector<std::string>{"hide(db open)", "RestoreIcon", "PlaceIcon"}));
    EXPECT_EQ(form.lblmobileno().text(), "07700900456");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainTest, AnIconAlreadyRestoredIsNotPlacedTwice) {
    tray.restored = true;
    Main form = makeMain(db.folder());
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(log.calls, (std::vector<std::string>{"hide(db open)", "RestoreIcon"}));
    EXPECT_EQ(form.lblmobileno().text(), "");
}

TEST_F(MainTest, UnopenableDatabaseIsReportedAndNothingIsPlaced) {
    const auto notAFolder = db.folder() / "KELVOR.db" / "sub";
    Main form = makeMain(notAFolder);
    EXPECT_FALSE(form.Form_Load());
    EXPECT_TRUE(log.calls.empty());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Reminder");
    EXPECT_NE(boxes.shown[0].text.find("could not be opened"), std::string::npos);
}

TEST_F(MainTest, DoubleClickOpensTheListOnlyWhenNeitherWindowIsUp) {
    Main form = makeMain(db.folder());
    ASSERT_TRUE(form.Form_Load());
    form.ctlSysTray1_TrMouseLeftDblClk();
    EXPECT_EQ(list.shows, 1);
    form.ctlSysTray1_TrMouseLeftDblClk(); // already visible
    EXPECT_EQ(list.shows, 1);

    list.visible = false;
    insertOneTimeReminder(gConn, "due", LocalDateTime(2026, 12, 5, 9, 0), 0);
    alert.during = [&] { form.ctlSysTray1_TrMouseLeftDblClk(); };
    alert.answerAll(1, kDismiss);
    form.Timer1_Timer();
    EXPECT_EQ(list.shows, 1);
}

TEST_F(MainTest, MenuTogglesPauseAndExits) {
    Main form = makeMain(db.folder());
    ASSERT_TRUE(form.Form_Load());
    log.calls.clear();
    insertOneTimeReminder(gConn, "due", LocalDateTime(2026, 12, 5, 9, 0), 0);

    view.choice = MenuCommand::Prem;
    form.ctlSysTray1_TrMouseRightDown();
    form.Timer1_Timer();
    EXPECT_TRUE(alert.shown.empty());

    form.ctlSysTray1_TrMouseRightDown();
    alert.answerAll(1, kDismiss);
    form.Timer1_Timer();
    EXPECT_EQ(alert.shown.size(), 1u);

    view.choice = std::nullopt; // dismissed by clicking elsewhere
    form.ctlSysTray1_TrMouseRightDown();
    view.choice = MenuCommand::Rem;
    form.ctlSysTray1_TrMouseRightDown();
    view.choice = MenuCommand::Exit;
    form.ctlSysTray1_TrMouseRightDown();

    EXPECT_EQ(log.calls, (std::vector<std::string>{
                             "menu &About|&Pause Reminder|&Exit|",
                             "menu &About|&Resume Reminder|&Exit|",
                             "menu &About|&Pause Reminder|&Exit|",
                             "menu &About|&Pause Reminder|&Exit|",
                             "about",
                             "menu &About|&Pause Reminder|&Exit|",
                             "end",
                         }));
}

} // namespace
} // namespace davrin
