// The real list window and dialogs under Wine, driven by window messages on a temporary database.
#include "edit_context.h"
#include "editing_test_support.h"
#include "editor_ids_win32.h"
#include "modal_driver_win32_test.h"
#include "reminder_query_ids_win32.h"
#include "reminder_query_win32.h"
#include "reminder_statements.h"

#include <commctrl.h>

namespace davrin {
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

    test::TempDatabase db;
    FixedClock clock{LocalDateTime(2030, 1, 7, 9, 0)}; // Monday 7 January 2030
    ReminderQueryWindow list{GetModuleHandleW(nullptr),
                             {db.conn, clock, [] { return std::string("0712345678"); },
                              [] { return std::string("Ten new thoughts this week"); },
                              [this](HWND) { ++settingsShown; }}};
    HWND window = nullptr;
    HWND grid = nullptr;
    int settingsShown = 0;
};

TEST_F(EditingDialogsTest, CreateEditAndDeleteThroughTheListWindow) {
    using namespace editor_ids;
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(caption().rfind(L"Davrin - Ver.", 0), 0u);
    EXPECT_EQ(ModalDriver::text(GetDlgItem(window, list_ids::IdLabel2)), L"Monday 07 January 2030");
    EXPECT_EQ(ModalDriver::text(GetDlgItem(window, list_ids::IdLabel1)),
              L"Ten new thoughts this week");
    EXPECT_EQ(rows(), 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, list_ids::IdBtnEdit)));

    ModalDriver driver(window);

    // A one-time reminder: first refused without a message, then saved.
    driver.run({[](HWND editor) {
                    EXPECT_EQ(ModalDriver::text(editor), L"Reminder - Monday 07,  January 2030");
                    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IdCheck1)));
                    ModalDriver::press(editor, IdCmdOk);
                },
                [](HWND box) {
                    EXPECT_EQ(ModalDriver::text(box), L"Reminder");
                    EXPECT_EQ(ModalDriver::messageBoxText(box),
                              L"Reminder Message is Empty cannot Save!");
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
    auto oneTime = listOccurrences(db.conn, ListKind::OneTime, ListSortKey::DateTime,
                                   SortDirection::Ascending);
    ASSERT_EQ(oneTime.size(), 1u);
    EXPECT_EQ(oneTime[0].remsms, 1);
    EXPECT_EQ(cell(grid, 0, 0), std::to_wstring(oneTime[0].remid));

    // A weekly series of three, through the Recurrance list.
    SendDlgItemMessageW(window, list_ids::IdOption2, BM_CLICK, 0, 0);
    EXPECT_EQ(rows(), 0);
    driver.run({[](HWND editor) {
                   EXPECT_EQ(ModalDriver::text(editor), L"Reminder - Monday 07,  January 2030");
                   SYSTEMTIME none{};
                   EXPECT_EQ(SendDlgItemMessageW(editor, IdDTPicker3, DTM_GETSYSTEMTIME, 0,
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

    // Edit the second occurrence in the one-time editor; it stays in its series.
    select(1);
    const auto before = listOccurrences(db.conn, ListKind::Recurring, ListSortKey::DateTime,
                                        SortDirection::Ascending);
    driver.run({[](HWND editor) {
                   EXPECT_EQ(ModalDriver::text(GetDlgItem(editor, IdText4)), L"Team call");
                   setText(editor, IdText4, L"Team call (moved)");
                   ModalDriver::press(editor, IdCmdOk);
               }},
               [&] { click(list_ids::IdBtnEdit); });
    const auto edited = selectOccurrence(db.conn, before[1].remid);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->remainder, "Team call (moved)");
    EXPECT_EQ(edited->recurrid, before[1].recurrid);
    EXPECT_EQ(cell(grid, 1, 2), L"Team call (moved)");
    EXPECT_EQ(ListView_GetNextItem(grid, -1, LVNI_SELECTED), 1); // still selected after the rebuild

    // Delete one occurrence, then the rest of the series.
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
    EXPECT_EQ(db.count("FROM OTReminder WHERE recurrid <> 0"), 0);
    EXPECT_EQ(db.count("FROM RECReminder"), 1);

    // Back to the one-time list: No keeps the reminder, Yes deletes it.
    SendDlgItemMessageW(window, list_ids::IdOption1, BM_CLICK, 0, 0);
    ASSERT_EQ(rows(), 1);
    for (int answer : {IDNO, IDYES}) {
        select(0);
        driver.run({[answer](HWND box) {
                       EXPECT_EQ(ModalDriver::messageBoxText(box),
                                 L"Do you want to Delete this Entry ?");
                       ModalDriver::press(box, answer);
                   }},
                   [&] { click(list_ids::IdBtnDelete); });
    }
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(db.count("FROM OTReminder"), 0);

    // What the due scan does while the window is open.
    insertOneTimeReminder(db.conn, "From an alert", clock.now(), 0);
    list.grd1add();
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(grid, 0, 2), L"From an alert");
    wchar_t shortBuffer[6] = {};
    ListView_GetItemText(grid, 0, 2, shortBuffer, 6);
    EXPECT_STREQ(shortBuffer, L"From "); // a caller's short buffer gets the text cut, not lost

    click(list_ids::IdBtnSetting);
    EXPECT_EQ(settingsShown, 1);
    click(list_ids::IdCmd1);
    EXPECT_FALSE(list.isVisible());
}

} // namespace
} // namespace davrin
