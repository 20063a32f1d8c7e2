// The main window's logic: start-up failures, the tray double-click, the tray menu and pausing.
#include "reminder/shell/main_form.h"

#include "reminder/shell/shell_fakes_test.h"
#include "reminder/store/reminder_statements.h"

namespace davrin::shell {
namespace {

using Log = std::vector<std::string>;

// The view and the tray in one, writing into one log so the order of their calls is visible.
class FakeMainViewAndTray : public MainView, public TrayIcon {
public:
    void hide() override { log.push_back("hide"); }
    std::optional<MenuCommand> popupMenu(const std::array<MenuEntry, 3>& items) override {
        std::string shown = "menu ";
        for (const auto& item : items)
            shown += item.caption + "|";
        log.push_back(shown);
        return choice;
    }
    void showAbout() override { log.push_back("about"); }
    void endProgram() override { log.push_back("end"); }
    bool RestoreIcon() override { return false; }
    bool PlaceIcon() override {
        log.push_back("PlaceIcon");
        return true;
    }
    Log log;
    std::optional<MenuCommand> choice;
};

class MainTest : public ::testing::Test {
protected:
    MainTest() { test::clearAlertValues(); }
    Main makeMain(const std::filesystem::path& folder) {
        return Main({view, tray, list, alert, http, boxes, clock, folder, lblmobileno, gateway});
    }

    test::TempDatabase db;
    FakeMainViewAndTray view;
    FakeMainViewAndTray& tray = view;
    Log& log = view.log;
    test::FakeList list;
    test::ScriptedAlert alert;
    test::FakeHttp http;
    struct : sms::HttpRequester {
        sms::HttpReply post(const std::string&) override { return {}; }
    } gateway;
    test::RecordingBoxes boxes;
    store::FixedClock clock{store::LocalDateTime(2026, 12, 5, 10, 0)};
    MobileNumberLabel lblmobileno;
};

TEST_F(MainTest, UnopenableDatabaseIsReportedAndNothingIsPlaced) {
    Main form = makeMain(db.path() / "KELVOR.db" / "sub");
    EXPECT_FALSE(form.Form_Load());
    EXPECT_TRUE(log.empty());
    EXPECT_THAT(boxes.shown, ::testing::ElementsAre(
                                 ::testing::AllOf(::testing::StartsWith("Reminder: "),
                                                  ::testing::HasSubstr("could not be opened"))));
}

TEST_F(MainTest, AnEmptiedDatabaseIsSetUpAndTheUserToldOnce) {
    test::TempFolder folder;
    test::writeFile(folder / "KELVOR.db", "");
    ASSERT_TRUE(makeMain(folder.path()).Form_Load());
    ASSERT_TRUE(makeMain(folder.path()).Form_Load());
    EXPECT_THAT(boxes.shown, ::testing::ElementsAre(::testing::AllOf(
                                 ::testing::HasSubstr((folder / "KELVOR.db").string()),
                                 ::testing::HasSubstr("was empty"))));
    EXPECT_EQ(test::queryInt(store::gConn, "SELECT count(*) FROM ThoughtMst"), 366);
}

TEST_F(MainTest, DoubleClickOpensTheListOnlyWhenNeitherWindowIsUp) {
    store::saveSettings(store::gConn, store::Settings{30, "07700900456", ""});
    Main form = makeMain(db.path());
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(lblmobileno.text(), "07700900456"); // the SMS number is read at start
    form.ctlSysTray1_TrMouseLeftDblClk();
    form.ctlSysTray1_TrMouseLeftDblClk(); // already visible
    EXPECT_EQ(list.shows, 1);

    list.visible = false;
    store::insertOneTimeReminder(store::gConn, "due", store::LocalDateTime(2026, 12, 5, 9, 0), 0);
    alert.during = [&] { form.ctlSysTray1_TrMouseLeftDblClk(); };
    alert.answerAll(1, AlertAnswer::Dismiss);
    form.Timer1_Timer();
    EXPECT_EQ(list.shows, 1);
}

TEST_F(MainTest, MenuTogglesPauseAndExits) {
    Main form = makeMain(db.path());
    ASSERT_TRUE(form.Form_Load());
    log.clear();
    store::insertOneTimeReminder(store::gConn, "due", store::LocalDateTime(2026, 12, 5, 9, 0), 0);

    view.choice = MenuCommand::Prem;
    form.ctlSysTray1_TrMouseRightDown();
    form.Timer1_Timer(); // the scan obeys the same pause
    EXPECT_TRUE(alert.shown.empty());

    form.ctlSysTray1_TrMouseRightDown();
    for (const auto choice : {std::optional<MenuCommand>{}, // dismissed by clicking elsewhere
                              std::optional{MenuCommand::Rem}, std::optional{MenuCommand::Exit}}) {
        view.choice = choice;
        form.ctlSysTray1_TrMouseRightDown();
    }

    const std::string pause = "menu &About|&Pause Reminder|&Exit|";
    EXPECT_EQ(log, (Log{pause, "menu &About|&Resume Reminder|&Exit|", pause, pause, "about", pause,
                        "end"}));
}

} // namespace
} // namespace davrin::shell
