// The real list window and dialogs under Wine, driven by window messages on a temporary database.
#include "reminder/editing/edit_context.h"
#include "reminder/editing/editing_test_support.h"
#include "reminder/editing/editor_ids_win32.h"
#include "reminder/editing/modal_driver_win32_test.h"
#include "reminder/editing/reminder_query_ids_win32.h"
#include "reminder/editing/reminder_query_win32.h"
#include "reminder/store/reminder_statements.h"

#include <commctrl.h>

namespace davrin::editing {
namespace {

using test::ModalDriver;

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void setDate(HWND picker, int y, int m, int d) {
    SYSTEMTIME st{};
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

void setText(HWND dialog, int id, const wchar_t* text) {
    SetDlgItemTextW(dialog, id, text);
}

std::wstring cell(HWND grid, int row, int column) {
    wchar_t buffer[300] = {};
    ListView_GetItemText(grid, row, column, buffer, 300);
    return buffer;
}

class EditingDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES |
                                                           ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void SetUp() override {
        list.showModeless();
        window = list.handle();
        ASSERT_NE(window, nullptr);
        pump();
        grid = GetDlgItem(window, list_ids::IdGrd1);
    }

    void click(int id) { ModalDriver::press(window, id); }
    void select(int row) {
        ListView_SetItemState(grid, row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    int rows() const { return ListView_GetItemCount(grid); }
    std::wstring caption() const { return ModalDriver::text(window); }
    // A weekly "Team call" three times from today, shown in the Recurrance list.
    std::vector<store::Occurrence> teamCalls() {
        const std::vector dates{clock.now(), clock.now().addDays(7), clock.now().addDays(14)};
        store::insertRecurringReminder(
            db.conn, {"Team call", dates[0], store::RepeatKind::Weekly, 3, std::nullopt, 0}, dates);
        SendDlgItemMessageW(window, list_ids::IdOption2, BM_CLICK, 0, 0);
        return store::listOccurrences(db.conn, store::ListKind::Recurring,
                                      store::ListSortKey::DateTime,
                                      store::SortDirection::Ascending);
    }

    test::TempDatabase db;
    store::FixedClock clock{store::LocalDateTime(2030, 1, 7, 9, 0)}; // Monday 7 January 2030
    ReminderQueryWindow list{GetModuleHandleW(nullptr),
                             {db.conn, clock, [] { return std::string("0712345678"); },
                              [] { return std::string("Ten new thoughts this week"); },
                              [this](HWND) { ++settingsShown; }}};
    HWND window = nullptr;
    HWND grid = nullptr;
    int settingsShown = 0;
};

using namespace editor_ids;

TEST_F(EditingDialogsTest, OpensOnTodayWithTheNewsLineAndHandsOnSettingAndClose) {
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(caption().rfind(L"Davrin - Ver.", 0), 0u);
    EXPECT_EQ(ModalDriver::text(GetDlgItem(window, list_ids::IdLabel2)), L"Monday 07 January 2030");
    EXPECT_EQ(ModalDriver::text(GetDlgItem(window, list_ids::IdLabel1)),
              L"Ten new thoughts this week");
    EXPECT_EQ(rows(), 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, list_ids::IdBtnEdit)));
    click(list_ids::IdBtnSetting);
    EXPECT_EQ(settingsShown, 1);
    click(list_ids::IdCmd1);
    EXPECT_FALSE(list.isVisible());
}

TEST_F(EditingDialogsTest, ANewOneTimeReminderIsRefusedWithoutAMessageThenSaved) {
    ModalDriver(window).run(
        {[](HWND editor) {
             EXPECT_EQ(ModalDriver::text(editor), L"Reminder - Monday 07,  January 2030");
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IdCheck1)));
             ModalDriver::press(editor, IdCmdOk);
         },
         [](HWND box) {
             EXPECT_EQ(ModalDriver::text(box), L"Reminder");
             EXPECT_EQ(ModalDriver::messageBoxText(box), L"Reminder Message is Empty cannot Save!");
             ModalDriver::press(box, IDOK);
         },
         [](HWND editor) {
             setText(editor, IdText4, L"  Dentist at 4, don't be late  ");
             setDate(GetDlgItem(editor, IdDTPicker1), 2030, 1, 9);
             SendDlgItemMessageW(editor, IdCheck1, BM_CLICK, 0, 0);
             ModalDriver::press(editor, IdCmdOk);
         }},
        [&] { click(list_ids::IdBtnNew); });
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(grid, 0, 1), L"09/01/2030 09:00 AM");
    EXPECT_EQ(cell(grid, 0, 2), L"Dentist at 4, don't be late");
    EXPECT_EQ(ListView_GetColumnWidth(grid, 0), 0); // the id column stays hidden
    const auto saved =
        store::listOccurrences(db.conn, store::ListKind::OneTime, store::ListSortKey::DateTime,
                               store::SortDirection::Ascending);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].remsms, 1);
    EXPECT_EQ(cell(grid, 0, 0), std::to_wstring(saved[0].remid));
}

TEST_F(EditingDialogsTest, ANewSeriesTakesOnlyDigitsForItsCount) {
    SendDlgItemMessageW(window, list_ids::IdOption2, BM_CLICK, 0, 0);
    ModalDriver(window).run({[](HWND editor) {
                                SYSTEMTIME none{};
                                EXPECT_EQ(SendDlgItemMessageW(editor, IdDTPicker3,
                                                              DTM_GETSYSTEMTIME, 0,
                                                              reinterpret_cast<LPARAM>(&none)),
                                          GDT_NONE);
                                setText(editor, IdText4, L"Team call");
                                SendDlgItemMessageW(editor, IdOption1 + 1, BM_CLICK, 0, 0);
                                HWND count = GetDlgItem(editor, IdText5);
                                for (wchar_t key : {L'x', L'3', L'-'})
                                    SendMessageW(count, WM_CHAR, key, 0);
                                EXPECT_EQ(ModalDriver::text(count), L"3");
                                ModalDriver::press(editor, IdCmdOk);
                            }},
                            [&] { click(list_ids::IdBtnNew); });
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(grid, 0, 1), L"07/01/2030 09:00 AM");
    EXPECT_EQ(cell(grid, 2, 1), L"21/01/2030 09:00 AM");
    EXPECT_EQ(db.count("FROM RECReminder WHERE remrepeat = 'W' AND remrectimes = 3"), 1);
}

TEST_F(EditingDialogsTest, AnEditedOccurrenceStaysInItsSeriesAndSelected) {
    const auto before = teamCalls();
    select(1);
    ModalDriver(window).run({[](HWND editor) {
                                EXPECT_EQ(ModalDriver::text(GetDlgItem(editor, IdText4)),
                                          L"Team call");
                                setText(editor, IdText4, L"Team call (moved)");
                                ModalDriver::press(editor, IdCmdOk);
                            }},
                            [&] { click(list_ids::IdBtnEdit); });
    const auto edited = store::selectOccurrence(db.conn, before[1].remid);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->remainder, "Team call (moved)");
    EXPECT_EQ(edited->recurrid, before[1].recurrid);
    EXPECT_EQ(cell(grid, 1, 2), L"Team call (moved)");
    EXPECT_EQ(ListView_GetNextItem(grid, -1, LVNI_SELECTED), 1);
}

TEST_F(EditingDialogsTest, DeleteOneOccurrenceThenTheRestOfItsSeries) {
    teamCalls();
    ModalDriver driver(window);
    select(0);
    driver.run({[](HWND box) {
                   EXPECT_EQ(ModalDriver::text(box), L"Recurrance Delete");
                   ModalDriver::press(box, IdFrmMsgboxCommand1);
               }},
               [&] { click(list_ids::IdBtnDelete); });
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(grid, 0, 1), L"14/01/2030 09:00 AM");
    select(1);
    driver.run({[](HWND box) { ModalDriver::press(box, IdFrmMsgboxCommand2); }},
               [&] { click(list_ids::IdBtnDelete); });
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(db.count("FROM OTReminder"), 0);
    EXPECT_EQ(db.count("FROM RECReminder"), 1);
}

TEST_F(EditingDialogsTest, AOneTimeReminderIsDeletedOnlyAfterYes) {
    store::insertOneTimeReminder(db.conn, "From an alert", clock.now(), 0);
    list.grd1add(); // what the due scan does while the window is open
    ASSERT_EQ(rows(), 1);
    wchar_t shortBuffer[6] = {};
    ListView_GetItemText(grid, 0, 2, shortBuffer, 6);
    EXPECT_STREQ(shortBuffer, L"From "); // a caller's short buffer gets the text cut, not lost
    for (int answer : {IDNO, IDYES}) {
        select(0);
        ModalDriver(window).run({[answer](HWND box) {
                                    EXPECT_EQ(ModalDriver::messageBoxText(box),
                                              L"Do you want to Delete this Entry ?");
                                    ModalDriver::press(box, answer);
                                }},
                                [&] { click(list_ids::IdBtnDelete); });
        EXPECT_EQ(rows(), answer == IDNO ? 1 : 0);
    }
    EXPECT_EQ(db.count("FROM OTReminder"), 0);
}

} // namespace
} // namespace davrin::editing
