// The real list window and dialogs under Wine, driven by window messages on a temporary database.
#include "reminder/editing/editing_test_support.h"
#include "reminder/editing/editor_ids_win32.h"
#include "reminder/editing/modal_driver_win32_test.h"
#include "reminder/editing/reminder_query_ids_win32.h"
#include "reminder/editing/reminder_query_win32.h"

#include <commctrl.h>

namespace davrin::editing {
namespace {

using test::ModalDriver;
using test::textOf;

std::wstring cell(HWND grid, int row, int column) {
    wchar_t buffer[300] = {};
    ListView_GetItemText(grid, row, column, buffer, 300);
    return buffer;
}

class EditingDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.showModeless();
        window = list.handle();
        ASSERT_NE(window, nullptr);
        grid = GetDlgItem(window, list_ids::IdGrd1);
    }

    void click(int id) { SendDlgItemMessageW(window, id, BM_CLICK, 0, 0); }
    // Presses a button of the list and runs `actions` on the dialogs that it opens.
    void drive(int button, std::deque<ModalDriver::Action> actions) {
        ModalDriver(window).run(std::move(actions), [&] { click(button); });
    }
    void select(int row) {
        ListView_SetItemState(grid, row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    int rows() const { return ListView_GetItemCount(grid); }

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

TEST_F(EditingDialogsTest, OpensOnTodayWithTheNewsLineAndHandsOnSetting) {
    EXPECT_EQ(textOf(GetDlgItem(window, list_ids::IdLabel2)), L"Monday 07 January 2030");
    EXPECT_EQ(textOf(GetDlgItem(window, list_ids::IdLabel1)), L"Ten new thoughts this week");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, list_ids::IdBtnEdit)));
    click(list_ids::IdBtnSetting);
    EXPECT_EQ(settingsShown, 1);
}

TEST_F(EditingDialogsTest, ANewOneTimeReminderIsSavedAndDeletedOnlyAfterYes) {
    drive(list_ids::IdBtnNew, {[](HWND editor) {
              EXPECT_EQ(textOf(editor), L"Reminder - Monday 07,  January 2030");
              SetDlgItemTextW(editor, IdText4, L"  Dentist at 4, don't be late  ");
              SYSTEMTIME ninth{2030, 1, 3, 9, 0, 0, 0, 0};
              DateTime_SetSystemtime(GetDlgItem(editor, IdDTPicker1), GDT_VALID, &ninth);
              SendDlgItemMessageW(editor, IdCheck1, BM_CLICK, 0, 0);
              SendDlgItemMessageW(editor, IdCmdOk, BM_CLICK, 0, 0);
          }});
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(grid, 0, 1), L"09/01/2030 09:00 AM");
    EXPECT_EQ(cell(grid, 0, 2), L"Dentist at 4, don't be late");
    EXPECT_EQ(ListView_GetColumnWidth(grid, 0), 0); // the id column stays hidden
    EXPECT_EQ(db.count("FROM OTReminder WHERE remsms = 1"), 1);
    wchar_t shortBuffer[6] = {};
    ListView_GetItemText(grid, 0, 2, shortBuffer, 6);
    EXPECT_STREQ(shortBuffer, L"Denti"); // a caller's short buffer gets the text cut, not lost

    for (int answer : {IDNO, IDYES}) {
        select(0);
        drive(list_ids::IdBtnDelete, {[answer](HWND box) {
                  EXPECT_EQ(test::messageOf(box), L"Do you want to Delete this Entry ?");
                  SendDlgItemMessageW(box, answer, BM_CLICK, 0, 0);
              }});
        EXPECT_EQ(rows(), answer == IDNO ? 1 : 0);
    }
    EXPECT_EQ(db.count("FROM OTReminder"), 0);
}

TEST_F(EditingDialogsTest, ANewSeriesIsEditedInPlaceThenDeletedOneAndTheRest) {
    SendDlgItemMessageW(window, list_ids::IdOption2, BM_CLICK, 0, 0);
    drive(list_ids::IdBtnNew, {[](HWND editor) {
              SYSTEMTIME none{};
              EXPECT_EQ(SendDlgItemMessageW(editor, IdDTPicker3, DTM_GETSYSTEMTIME, 0,
                                            reinterpret_cast<LPARAM>(&none)),
                        GDT_NONE);
              SetDlgItemTextW(editor, IdText4, L"Team call");
              SendDlgItemMessageW(editor, IdOption1 + 1, BM_CLICK, 0, 0);
              HWND count = GetDlgItem(editor, IdText5);
              for (wchar_t key : {L'x', L'3', L'-'})
                  SendMessageW(count, WM_CHAR, key, 0);
              EXPECT_EQ(textOf(count), L"3");
              SendDlgItemMessageW(editor, IdCmdOk, BM_CLICK, 0, 0);
          }});
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(grid, 2, 1), L"21/01/2030 09:00 AM");

    select(1);
    drive(list_ids::IdBtnEdit, {[](HWND editor) {
              EXPECT_EQ(textOf(GetDlgItem(editor, IdText4)), L"Team call");
              SetDlgItemTextW(editor, IdText4, L"Team call (moved)");
              SendDlgItemMessageW(editor, IdCmdOk, BM_CLICK, 0, 0);
          }});
    EXPECT_EQ(cell(grid, 1, 2), L"Team call (moved)");
    EXPECT_EQ(ListView_GetNextItem(grid, -1, LVNI_SELECTED), 1);

    select(0);
    drive(list_ids::IdBtnDelete, {[](HWND box) {
              EXPECT_EQ(textOf(box), L"Recurrance Delete");
              SendDlgItemMessageW(box, IdFrmMsgboxCommand1, BM_CLICK, 0, 0);
          }});
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(grid, 0, 1), L"14/01/2030 09:00 AM");
    // The edited occurrence is still in the series: deleting the rest takes it too.
    select(1);
    drive(list_ids::IdBtnDelete,
          {[](HWND box) { SendDlgItemMessageW(box, IdFrmMsgboxCommand2, BM_CLICK, 0, 0); }});
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(db.count("FROM OTReminder"), 0);
    EXPECT_EQ(db.count("FROM RECReminder"), 1);
}

} // namespace
} // namespace davrin::editing
