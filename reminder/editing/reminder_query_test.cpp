// ReminderQuery against a real database: sort choices, grid rows, commands and deletion; and the
// one-all-or-none question it asks before deleting from a series.
#include "reminder/editing/reminder_query.h"

#include "reminder/editing/edit_context.h"
#include "reminder/editing/editing_test_support.h"
#include "reminder/editing/frm_msgbox.h"
#include "reminder/store/reminder_statements.h"

#include <gmock/gmock.h>

#include <functional>

namespace davrin::editing {
namespace {

using test::testNow;
using testing::ElementsAre;
using testing::HasSubstr;

class FakeListView : public ReminderQueryView {
public:
    void setCaption(const std::string& text) override { caption = text; }
    void setLabel1(const std::string& text) override { news = text; }
    void setLabel2(const std::string& text) override { dateLine = text; }
    bool Option1() const override { return oneTime; }
    void setOption1(bool on) override { oneTime = on; }
    void fillSortList(SortList list, const std::vector<std::string>&) override {
        selected[index(list)] = -1;
    }
    int sortIndex(SortList list) const override { return selected[index(list)]; }
    void setSortIndex(SortList list, int i) override { selected[index(list)] = i; }
    void showRows(const std::vector<GridRow>& r) override {
        rows = r;
        current.reset();
    }
    std::optional<std::size_t> currentRow() const override { return current; }
    void selectRow(std::size_t row) override { current = row; }
    void enableEditDelete(bool enabled) override { editDeleteEnabled = enabled; }
    bool askYesNo(const std::string&) override {
        ++questions;
        return answerYes;
    }
    void showMessage(const std::string& text, ui::MessageIcon) override {
        messages.push_back(text);
        if (duringMessage)
            duringMessage();
    }
    void unload() override {}

    static std::size_t index(SortList list) { return list == SortList::Combo1 ? 0 : 1; }
    std::vector<std::string> messagesColumn() const {
        std::vector<std::string> out;
        for (const auto& r : rows)
            out.push_back(r.message);
        return out;
    }

    std::string caption, news, dateLine;
    bool oneTime = false;
    int selected[2] = {-1, -1};
    std::vector<GridRow> rows;
    std::optional<std::size_t> current;
    bool editDeleteEnabled = true;
    int questions = 0; // their text is read on the real window
    bool answerYes = false;
    std::vector<std::string> messages;
    std::function<void()> duringMessage;
};

// Each modal window is a scripted action, recorded by name.
class FakeWindows : public ReminderQueryWindows {
public:
    void showOTReminder() override { run("OTReminder"); }
    void showRecReminder() override { run("RecReminder"); }
    std::optional<DeleteAnswer> showFrmMsgbox() override {
        run("frmMsgbox");
        return deleteAnswer;
    }
    void showReminderSettings() override { run("ReminderSettings"); }

    std::vector<std::string> shown;
    std::function<void()> during;
    std::optional<DeleteAnswer> deleteAnswer;

private:
    void run(const char* name) {
        shown.push_back(name);
        if (during)
            during();
    }
};

class ReminderQueryTest : public ::testing::Test {
protected:
    void open() {
        form.Form_Load();
        form.Form_Activate();
    }
    std::int64_t oneTime(const std::string& message, int dayOffset) {
        return store::insertOneTimeReminder(db.conn, message, testNow().addDays(dayOffset), 0);
    }
    std::int64_t series(const std::string& message, int times) {
        std::vector<store::LocalDateTime> when;
        for (int i = 0; i < times; ++i)
            when.push_back(testNow().addDays(7 * i + 1));
        return store::insertRecurringReminder(
            db.conn, {message, when[0], store::RepeatKind::Weekly, times, std::nullopt, 0}, when);
    }

    test::TempDatabase db;
    store::FixedClock clock{testNow()};
    FakeListView view;
    FakeWindows windows;
    ReminderQuery form{view, windows, {db.conn, clock, {1, 0, 6}, [] { return "News!"; }}};
};

TEST_F(ReminderQueryTest, LoadShowsVersionDateNewsAndTheOneTimeListAndKeepsTheOrderOnReturn) {
    oneTime("Dentist\r\nbring the card\nand the form", 1); // listed on one line
    oneTime("Vet", 2);
    series("Gym", 2);
    open();
    EXPECT_EQ(view.caption + "|" + view.dateLine + "|" + view.news,
              "Davrin - Ver.1.0.6|Saturday 05 December 2026|News!");
    EXPECT_TRUE(view.oneTime);
    EXPECT_EQ(view.rows.at(0).dateText, "06/12/2026 09:30 PM");
    EXPECT_TRUE(view.editDeleteEnabled);

    view.selected[1] = 1;
    form.Combo2_Click();
    form.Form_Activate();
    EXPECT_EQ(view.selected[1], 1);
    EXPECT_EQ(view.messagesColumn(),
              (std::vector<std::string>{"Vet", "Dentist bring the card and the form"}));
}

// The store's tests sort each list; here each choice reaches the query.
TEST_F(ReminderQueryTest, EachSortKeyAndDirectionReachTheList) {
    oneTime("beta", 2);
    oneTime("  Alpha  ", 3); // shown trimmed
    oneTime("gamma", 1);
    open();
    const std::tuple<int, int, std::vector<std::string>> cases[] = {
        {0, 1, {"Alpha", "beta", "gamma"}},
        {1, 0, {"Alpha", "beta", "gamma"}},
        {1, 1, {"gamma", "beta", "Alpha"}},
    };
    for (const auto& [key, direction, expected] : cases) {
        view.selected[0] = key;
        view.selected[1] = direction;
        form.Combo1_Click(); // the grid is never empty here, so each click rebuilds
        EXPECT_EQ(view.messagesColumn(), expected) << key << " " << direction;
    }
}

TEST_F(ReminderQueryTest, NewOpensTheEditorOfTheListedKindAndEditTheOneTimeEditorForTheRow) {
    series("Gym", 2);
    open();
    windows.during = [this] { oneTime("made in editor", 1); };
    form.btnNew_Click();
    EXPECT_EQ(view.messagesColumn(), std::vector<std::string>{"made in editor"}); // rebuilt
    view.oneTime = false;
    form.btnNew_Click();
    EXPECT_EQ(windows.shown, (std::vector<std::string>{"OTReminder", "RecReminder"}));
    EXPECT_EQ(gEditMode, EditModeNew);
    view.oneTime = true;
    form.Option1_Click();
    EXPECT_EQ(view.messagesColumn(), std::vector<std::string>(2, "made in editor"));

    windows = {};
    view.oneTime = false;
    form.Option2_Click();
    form.btnEdit_Click(); // no row current: nothing opens
    EXPECT_TRUE(windows.shown.empty());
    view.current = 1;
    const auto expected = view.rows[1].remid;
    form.btnEdit_Click();
    EXPECT_EQ(windows.shown, (std::vector<std::string>{"OTReminder"}));
    EXPECT_EQ(gEditMode, EditModeEdit);
    EXPECT_EQ(gRemId, expected);
}

TEST_F(ReminderQueryTest, DeletingAOneTimeReminderAsksYesOrNo) {
    const auto keep = oneTime("keep", 1);
    oneTime("drop", 2);
    open();
    for (const bool yes : {false, true}) { // a No that deleted would leave no row 1 to ask about
        view.answerYes = yes;
        view.current = 1;
        form.btnDelete_Click();
    }
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.rows[0].remid, keep);
    form.btnDelete_Click(); // no row current: no question
    EXPECT_EQ(view.questions, 2);
}

TEST_F(ReminderQueryTest, DeletingASeriesOccurrenceAsksOneAllOrNone) {
    const auto gym = series("Gym", 3);
    series("Swim", 2);
    open();
    view.oneTime = false;
    view.selected[0] = 1; // by message: Gym x3, then Swim x2
    form.Option2_Click();
    for (const auto none : {std::optional{DeleteAnswer::None}, std::optional<DeleteAnswer>{}}) {
        windows.deleteAnswer = none;
        view.current = 0;
        form.btnDelete_Click();
        EXPECT_EQ(view.rows.size(), 5u);
    }
    EXPECT_EQ(gRecurrId, gym);

    windows.deleteAnswer = DeleteAnswer::One;
    view.current = 0;
    form.btnDelete_Click();
    EXPECT_EQ(view.messagesColumn(), (std::vector<std::string>{"Gym", "Gym", "Swim", "Swim"}));

    windows.deleteAnswer = DeleteAnswer::All;
    view.current = 0;
    form.btnDelete_Click();
    EXPECT_EQ(view.messagesColumn(), (std::vector<std::string>{"Swim", "Swim"}));
    EXPECT_EQ(db.count("FROM RECReminder"), 2); // definitions stay
    EXPECT_EQ(view.questions, 0);
    EXPECT_EQ(windows.shown.size(), 4u);

    // Dismissed by an alert meanwhile: nothing is asked.
    view.current = 0;
    db.exec("DELETE FROM OTReminder");
    form.btnDelete_Click();
    EXPECT_EQ(windows.shown.size(), 4u);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_FALSE(view.editDeleteEnabled);
}

TEST_F(ReminderQueryTest, AFailingQueryIsReportedOnceAndKeepsTheGrid) {
    oneTime("a", 1);
    open();
    db.exec("ALTER TABLE OTReminder RENAME TO Gone");
    // Closing the box activates the window, which rebuilds, before or after the box returns.
    int activations = 0;
    view.duringMessage = [&] {
        if (++activations < 5)
            form.Form_Activate();
    };
    form.grd1add();
    form.Form_Activate();
    form.grd1add();
    EXPECT_THAT(view.messages, ElementsAre(HasSubstr("OTReminder")));
    EXPECT_EQ(view.rows.size(), 1u);

    db.exec("ALTER TABLE Gone RENAME TO OTReminder");
    form.grd1add();
    EXPECT_EQ(view.messages.size(), 1u);
}

TEST_F(ReminderQueryTest, RowsWithAnUnreadableDateAreListedAsStoredAndToldOnce) {
    oneTime("Dentist", 1);
    db.exec("INSERT INTO OTReminder (remainder, remdate) VALUES ('From a phone', "
            "'06/12/2026 10:00 AM')");
    view.duringMessage = [&] { form.Form_Activate(); };
    open();
    EXPECT_EQ(view.messagesColumn(), (std::vector<std::string>{"From a phone", "Dentist"}));
    EXPECT_EQ(view.rows[0].dateText, "06/12/2026 10:00 AM");
    EXPECT_THAT(view.messages, ElementsAre(HasSubstr("\"06/12/2026 10:00 AM\": From a phone")));
}

// The question asked before a series occurrence is deleted; its texts are read on the real window.
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
        EXPECT_FALSE(box.answer());
        (box.*click)();
        EXPECT_EQ(box.answer(), answer);
        EXPECT_TRUE(view.closed);
    }
}

} // namespace
} // namespace davrin::editing
