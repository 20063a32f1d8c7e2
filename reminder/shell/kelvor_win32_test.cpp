// The real KELVOR.exe under Wine, one run: alerts, tray icon and menu, one copy, modal answers,
// SMS through the platform's request object, a locked file, Exit.
#include "reminder/shell/kelvor_process_win32_test.h"

#include "../editing/editor_ids_win32.h"
#include "../editing/reminder_query_ids_win32.h"
#include "davrin_version.h"
#include "reminder/shell/http_client_win32.h"
#include "reminder/shell/new_rem_screen.h"
#include "reminder/shell/resource_ids.h"
#include "reminder/shell/tray_site_win32.h"
#include "reminder/sms/credentials_file.h"
#include "reminder/store/clock.h"
#include "reminder/store/reminder_statements.h"
#include "reminder/ui/text_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace davrin::test {
namespace {

// The visible alert of the process (a dialog with the Snooze button).
HWND alertOf(DWORD process) {
    return waitForWindow([process] { return dialogOf(process, IDC_BTNSNOOZE); });
}

// A visible message box of the process with this caption.
HWND boxOf(DWORD process, const wchar_t* caption, std::chrono::milliseconds timeout = 15s) {
    return waitForWindow([=] { return topWindowOf(process, L"#32770", caption); }, timeout);
}

std::string label(HWND dialog, int id) {
    return ui::toUtf8(textOf(GetDlgItem(dialog, id)));
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Sends the tray icon a mouse message the way the user's hand would: to Wine's icon window.
void clickTrayIcon(UINT message) {
    HWND icon = trayIconWindow();
    ASSERT_NE(icon, nullptr);
    PostMessageW(icon, message, 0, MAKELPARAM(8, 8));
}

HWND menuOf(DWORD process) {
    return waitForWindow([process] { return topWindowOf(process, L"#32768"); }, 5s);
}

// What the tray icon looks like on the screen right now.
std::vector<COLORREF> iconPixels() {
    RECT r{};
    GetWindowRect(trayIconWindow(), &r);
    return screenPixels(r);
}

// How many pixel rows of an alert label carry text (bright on the alert's black).
int inkRows(HWND label) {
    RECT r{};
    GetWindowRect(label, &r);
    const auto pixels = screenPixels(r);
    const auto width = static_cast<std::ptrdiff_t>(r.right - r.left);
    int rows = 0;
    for (auto row = pixels.begin(); width > 0 && row != pixels.end(); row += width)
        rows += std::any_of(row, row + width, [](COLORREF c) { return GetGValue(c) > 128; });
    return rows;
}

// Chooses an item of the open tray menu by its access key, as typing it into the menu does.
// Cross-process menu texts are not readable under Wine; the access keys prove the captions:
// P reaches only "&Pause Reminder", R only "&Resume Reminder", E only "E&xit".
void chooseFromMenu(DWORD process, wchar_t accessKey) {
    HWND menu = menuOf(process);
    ASSERT_NE(menu, nullptr);
    PostMessageW(hiddenWindowOf(process, L"DavrinKelvorMain"), WM_KEYDOWN,
                 static_cast<WPARAM>(accessKey), 0);
    ASSERT_TRUE(waitUntilGone(menu, 5s));
}

// Reads one row through a connection of its own, closed again at once, so the test never holds
// the file while the program writes it.
std::optional<store::Occurrence> rowIn(const std::filesystem::path& database, std::int64_t remid) {
    return store::selectOccurrence(store::openDatabase(database), remid);
}

std::int64_t insert(const std::filesystem::path& database, const std::string& message,
                    const store::LocalDateTime& when, int sms = 0) {
    return store::insertOneTimeReminder(store::openDatabase(database), message, when, sms);
}

// A server that trickles its answer cannot hold the program beyond the fetch's time limit.
TEST(NewsFetchTest, ABodyStillComingAtTheTimeLimitIsGivenUp) {
    const std::string body(30, 'x');
    LoopbackServer trickling(body, 100ms); // three seconds for the whole body
    const std::string url = "http://" + trickling.address() + "/reminder.txt";
    shell::WinHttpClient Inet1;
    EXPECT_EQ(Inet1.get(url, 1s), std::nullopt);
    EXPECT_EQ(Inet1.get(url, 20s), body);
}

// The saved data the program's tray control loads, whatever the case of the name it asks for.
TEST(TrayPropertyBagTest, NamesTheTrayDavrin) {
    VARIANT title;
    VariantInit(&title);
    ASSERT_EQ(shell::makeTrayPropertyBag()->Read(L"traytitle", &title, nullptr), S_OK);
    ASSERT_EQ(title.vt, VT_BSTR);
    EXPECT_STREQ(title.bstrVal, L"Davrin");
    VariantClear(&title);
}

constexpr const char* kLongPath =
    "\\\\fileserver\\accounts\\statements\\2026\\December\\overdraft-fee-refund-"
    "request-form-with-the-reference-number-XK-99812-7731-and-the-signature-page.pdf";

// Closes the innermost open dialog of the process (a box, an alert, the editor, the list, each told
// apart by a control and closed by a button); whether there was one.
bool closeInnermost(DWORD process) {
    using namespace editing;
    for (auto [control, button] : {std::pair<int, int>{0xFFFF, IDOK},
                                   {IDC_BTNSNOOZE, IDC_BTNDISMISS},
                                   {editor_ids::IdText4, IDCANCEL},
                                   {list_ids::IdGrd1, list_ids::IdCmd1}})
        if (HWND dialog = dialogOf(process, control)) {
            press(dialog, button);
            return waitUntilGone(dialog);
        }
    return false;
}

// One KELVOR.exe for the scenarios below, which run in this order. Each starts with none of its
// windows open and, passed or failed, leaves none open for the next. Only the first one's
// reminder is due at the start; the others make their own, so the clean-up after a failure
// cannot answer the next one's alert.
class KelvorTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<ProgramFolder>();
        news_ = std::make_unique<LoopbackServer>("  Markets closed higher today \r\n");
        gateway_ = std::make_unique<LoopbackServer>("Code=120 Queued");
        store::saveSettings(store::openDatabase(db()), {30, "9876543210", news_->address()});
        first_ = insert(db(), "Water the plants & the lawn", clock_.now().addMinutes(-3));
        kelvor_ = std::make_unique<KelvorProcess>(folder_->path());
    }
    static void TearDownTestSuite() { kelvor_.reset(); }
    void TearDown() override {
        // After a failure, the answer to a box left open can bring its alert back a moment later.
        while (waitUntil([] { return closeInnermost(id()); }, HasFailure() ? 5s : 0s)) {
        }
    }
    static std::filesystem::path db() { return folder_->database(); }
    static DWORD id() { return kelvor_->id(); }

    static inline const store::SystemClock clock_;
    static inline std::unique_ptr<ProgramFolder> folder_;
    static inline std::unique_ptr<LoopbackServer> news_;
    static inline std::unique_ptr<LoopbackServer> gateway_;
    static inline std::int64_t first_ = 0;
    static inline std::unique_ptr<KelvorProcess> kelvor_;
};

TEST_F(KelvorTest, FirstAlertShowsItsLabels) {
    HWND alert = alertOf(id());
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(GetWindowLongW(alert, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(label(alert, IDC_LABEL7),
              "Reminder of " + store::toAlertTimeText(rowIn(db(), first_).value().remdate));
    EXPECT_EQ(label(alert, IDC_LABEL1), "Water the plants & the lawn");
    EXPECT_EQ(label(alert, IDC_LABEL2),
              store::thoughtOfDay(store::openDatabase(db()), store::toDayKey(clock_.now())));
    EXPECT_EQ(label(alert, IDC_LABEL3), "Markets closed higher today");
    EXPECT_EQ(label(alert, IDC_LABEL9), shell::toAlertDateText(clock_.now()));
    press(alert, IDC_BTNDISMISS);
    ASSERT_TRUE(waitUntilGone(alert));
    EXPECT_TRUE(waitUntil([] { return !rowIn(db(), first_); }));
}

// A path without a blank is broken inside itself rather than cut after the first line: it takes
// at least twice the rows of the one-line title above it, in the same font.
TEST_F(KelvorTest, LongPathWraps) {
    insert(db(), kLongPath, clock_.now().addMinutes(-2));
    HWND alert = alertOf(id());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(label(alert, IDC_LABEL1), kLongPath);
    const auto rows = [alert](int id) { return inkRows(GetDlgItem(alert, id)); };
    EXPECT_TRUE(waitUntil(
        [&] { return rows(IDC_LABEL7) > 0 && rows(IDC_LABEL1) >= 2 * rows(IDC_LABEL7); }, 3s))
        << "the long path shows on " << rows(IDC_LABEL1) << " rows of pixels";
}

// Animated, as the saved data of the tray control asks: within a few frames the picture changes.
TEST_F(KelvorTest, SnoozeMovesTheReminderAndTheTrayIconAnimates) {
    const auto snoozed = insert(db(), "Snooze me", clock_.now().addMinutes(-1));
    HWND alert = alertOf(id());
    ASSERT_NE(alert, nullptr);
    const store::LocalDateTime snoozedAt = clock_.now();
    press(alert, IDC_BTNSNOOZE);
    ASSERT_TRUE(waitUntilGone(alert));
    ASSERT_NE(waitForWindow(trayIconWindow), nullptr);
    const auto firstFrame = iconPixels();
    EXPECT_TRUE(waitUntil([&] { return iconPixels() != firstFrame; }, 5s))
        << "the tray icon does not animate";
    EXPECT_GE(rowIn(db(), snoozed).value().remdate, snoozedAt.addMinutes(30));
}

// A second start hands over to the running copy, which opens its list, and ends.
TEST_F(KelvorTest, SecondStartHandsOverToTheRunningCopy) {
    KelvorProcess secondStart(folder_->path());
    EXPECT_EQ(secondStart.waitForExit(10s), 0u);
    HWND list = waitForWindow([] { return dialogOf(id(), editing::list_ids::IdGrd1); });
    ASSERT_NE(list, nullptr);
    EXPECT_NE(trayIconWindow(), nullptr) << "not one tray icon";
    EXPECT_EQ(textOf(list), L"Davrin - Ver." DAVRIN_VERSION_WIDE); // from the version resource
    press(list, editing::list_ids::IdCmd1);
    ASSERT_TRUE(waitUntilGone(list));
}

// While the alert or the box confirming its new time is open, no other window takes input.
TEST_F(KelvorTest, AlertAndItsConfirmationAreModal) {
    clickTrayIcon(WM_LBUTTONDBLCLK);
    HWND list = waitForWindow([] { return dialogOf(id(), editing::list_ids::IdGrd1); });
    ASSERT_NE(list, nullptr);
    press(list, editing::list_ids::IdBtnNew);
    HWND editor = waitForWindow([] { return dialogOf(id(), editing::editor_ids::IdText4); });
    ASSERT_NE(editor, nullptr);
    const auto dentist = insert(db(), "Book the dentist", clock_.now().addMinutes(-1));
    HWND alert = alertOf(id());
    ASSERT_NE(alert, nullptr);
    const auto enabled = [&] { return std::pair(IsWindowEnabled(editor), IsWindowEnabled(list)); };
    EXPECT_EQ(enabled(), std::pair(FALSE, FALSE));
    const store::LocalDateTime modifiedAt = clock_.now();
    press(alert, IDC_BTNMODIFY); // the pickers hold the current minute: accepted
    HWND box = boxOf(id(), L"KELVOR");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(enabled(), std::pair(FALSE, FALSE));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    // Moved to the current minute, it is due again and comes straight back.
    alert = alertOf(id());
    ASSERT_NE(alert, nullptr);
    EXPECT_GE(rowIn(db(), dentist).value().remdate, modifiedAt);
    press(alert, IDC_BTNDISMISS);
    ASSERT_TRUE(waitUntilGone(alert));
    // Enabled again, except the list: the editor still holds it.
    EXPECT_TRUE(waitUntil([&] { return enabled().first; }));
    EXPECT_FALSE(enabled().second);
    press(editor, editing::editor_ids::IdCmdCancel);
    ASSERT_TRUE(waitUntilGone(editor));
    EXPECT_TRUE(waitUntil([&] { return enabled().second; }));
}

// Paused: a reminder falling due now raises nothing until Resume.
TEST_F(KelvorTest, PauseHoldsAlertsUntilResume) {
    clickTrayIcon(WM_RBUTTONDOWN);
    chooseFromMenu(id(), L'P');
    insert(db(), "while paused", clock_.now());
    Sleep(2000);
    EXPECT_EQ(topWindowOf(id(), L"#32770"), nullptr);
    clickTrayIcon(WM_RBUTTONDOWN);
    chooseFromMenu(id(), L'R');
    EXPECT_NE(alertOf(id()), nullptr);
}

// Another program holds the file, and the box says so (the Windows file locks at work). The lock
// ends with the connection, the box with the test.
TEST_F(KelvorTest, LockedFileIsReportedWithItsCause) {
    const store::Connection other = store::openDatabase(db());
    execRaw(other, "BEGIN EXCLUSIVE");
    // The next tick waits out the busy timeout first; a loaded machine stretches both.
    HWND box = boxOf(id(), L"Reminder", 40s);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(messageOf(box).find(L"in use by another program"), std::wstring::npos);
}

TEST_F(KelvorTest, SmsGoOutOnceTheAccountFileNamesAGateway) {
    const store::LocalDateTime smsAt =
        store::LocalDateTime(clock_.now().date(), std::chrono::minutes(21 * 60 + 30)).addDays(1);
    const auto sms = insert(db(), "Team call & review #3 (50% done)", smsAt, 1);
    const std::string address = "http://" + gateway_->address() + "/sms?";
    const std::array<std::string_view, sms::fieldCount> account{address,  "CDMA", "er", "",  "ss",
                                                                "DAVRIN", "pa",   "us", "wd"};
    writeFile(*folder_ / "Reminder.dat", sms::fileText(account));
    ASSERT_TRUE(waitUntil([&] { return rowIn(db(), sms)->SMSStatus == 1; }, 20s));
    EXPECT_EQ(gateway_->requests(),
              std::vector<std::string>{
                  "POST /sms?UserName=user&password=passwd&MobileNo=919876543210&SenderID=DAVRIN&"
                  "CDMAHeader=CDMA&Message=Team%20call%20%26%20review%20%233%20%2850%25%20done%29&"
                  "ScheduleDate=" +
                  store::toIsoDateText(smsAt) + "&ScheduleTime=21%3A30"});
}

// Exit while the box confirming a new time is open leaves that answer unapplied.
TEST_F(KelvorTest, ExitWhileConfirmingLeavesTheAnswerUnappliedAndRemovesTheIcon) {
    insert(db(), "Exit while confirming", clock_.now().addMinutes(-5));
    HWND alert = alertOf(id());
    ASSERT_NE(alert, nullptr);
    press(alert, IDC_BTNMODIFY);
    ASSERT_NE(boxOf(id(), L"KELVOR"), nullptr);
    clickTrayIcon(WM_LBUTTONDBLCLK);
    clickTrayIcon(WM_RBUTTONDOWN);
    ASSERT_NE(menuOf(id()), nullptr);
    // The double-click came first: it opened no list over the box.
    EXPECT_EQ(dialogOf(id(), editing::list_ids::IdGrd1), nullptr);
    const std::string beforeExit = readFile(db());
    chooseFromMenu(id(), L'E');
    EXPECT_EQ(kelvor_->waitForExit(10s), 0u);
    EXPECT_TRUE(readFile(db()) == beforeExit) << "Exit wrote to the database";
    EXPECT_TRUE(waitUntil([] { return trayIconWindow() == nullptr; }, 2s)) << "the icon stays";
}

} // namespace
} // namespace davrin::test
