// The real KELVOR.exe under Wine: alerts and their buttons, the tray icon and menu, one copy.
#include "reminder/shell/kelvor_process_win32_test.h"

#include "../editing/editor_ids_win32.h"
#include "../editing/reminder_query_ids_win32.h"
#include "davrin_version.h"
#include "reminder/shell/http_client_win32.h"
#include "reminder/shell/new_rem_screen.h"
#include "reminder/shell/resource_ids.h"
#include "reminder/store/clock.h"
#include "reminder/store/reminder_statements.h"
#include "reminder/ui/text_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace davrin::test {
namespace {

// The visible alert of the process (a dialog with the Snooze button).
HWND alertOf(DWORD process) {
    return waitForWindow([process] { return dialogOf(process, IDC_BTNSNOOZE); });
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

// Chooses a menu item by its access key, as typing it into the open menu does.
void chooseFromMenu(DWORD process, wchar_t accessKey) {
    HWND menu = menuOf(process);
    ASSERT_NE(menu, nullptr);
    HWND main = hiddenWindowOf(process, L"DavrinKelvorMain");
    PostMessageW(main, WM_KEYDOWN, static_cast<WPARAM>(accessKey), 0);
    ASSERT_TRUE(waitUntilGone(menu, 5s));
}

// Reads one row through a connection of its own, closed again at once, so the test never holds
// the file while the program writes it.
std::optional<store::Occurrence> rowIn(const std::filesystem::path& database, std::int64_t remid) {
    return store::selectOccurrence(store::openDatabase(database), remid);
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

class KelvorTest : public ::testing::Test {
protected:
    KelvorTest() { store::ConnectDatabase(folder.path()); }
    ~KelvorTest() override { store::gConn.close(); }

    std::int64_t addDue(const std::string& message, int minutesAgo) {
        return store::insertOneTimeReminder(store::gConn, message,
                                            clock.now().addMinutes(-minutesAgo), 0);
    }

    ProgramFolder folder;
    store::SystemClock clock;
};

constexpr const char* kLongPath =
    "\\\\fileserver\\accounts\\statements\\2026\\December\\overdraft-fee-refund-"
    "request-form-with-the-reference-number-XK-99812-7731-and-the-signature-page.pdf";

TEST_F(KelvorTest, AlertsShowTheirTextsOnTopAndEachButtonAnswers) {
    LoopbackServer news("  Markets closed higher today \r\n");
    store::saveSettings(store::gConn, store::Settings{30, "0123", news.address()});
    const auto first = addDue("Water the plants & the lawn", 3);
    const auto second = addDue(kLongPath, 2);
    const auto third = addDue("Book the dentist", 1);
    const std::string firstTitle =
        "Reminder of " +
        store::toAlertTimeText(store::selectOccurrence(store::gConn, first)->remdate);
    const std::string thought =
        store::thoughtOfDay(store::gConn, store::toDayKey(clock.now())).value_or("?");
    store::gConn.close();
    KelvorProcess kelvor(folder.path());

    HWND alert = alertOf(kelvor.id());
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(GetWindowLongW(alert, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(label(alert, IDC_LABEL7), firstTitle);
    EXPECT_EQ(label(alert, IDC_LABEL1), "Water the plants & the lawn");
    EXPECT_EQ(label(alert, IDC_LABEL2), thought);
    EXPECT_EQ(label(alert, IDC_LABEL3), "Markets closed higher today");
    EXPECT_EQ(label(alert, IDC_LABEL9), shell::toAlertDateText(clock.now()));
    int oneLine = 0;
    EXPECT_TRUE(waitUntil([&] { return (oneLine = inkRows(GetDlgItem(alert, IDC_LABEL1))) > 0; }));
    press(alert, IDC_BTNDISMISS);
    ASSERT_TRUE(waitUntilGone(alert));

    // A path without a blank is broken inside itself rather than cut after the first line.
    alert = alertOf(kelvor.id());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(label(alert, IDC_LABEL1), kLongPath);
    EXPECT_TRUE(
        waitUntil([&] { return inkRows(GetDlgItem(alert, IDC_LABEL1)) >= 2 * oneLine; }, 3s))
        << "the long path shows on " << inkRows(GetDlgItem(alert, IDC_LABEL1)) << " rows of pixels";
    const store::LocalDateTime snoozedAt = clock.now();
    press(alert, IDC_BTNSNOOZE);
    ASSERT_TRUE(waitUntilGone(alert));

    alert = alertOf(kelvor.id());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(label(alert, IDC_LABEL1), "Book the dentist");
    const store::LocalDateTime modifiedAt = clock.now();
    press(alert, IDC_BTNMODIFY); // the pickers hold the current minute: accepted
    HWND confirmation =
        waitForWindow([&] { return topWindowOf(kelvor.id(), L"#32770", L"KELVOR"); });
    ASSERT_NE(confirmation, nullptr);
    PostMessageW(confirmation, WM_COMMAND, IDOK, 0);

    // Moved to the current minute, it is due again and comes straight back.
    alert = alertOf(kelvor.id());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(label(alert, IDC_LABEL1), "Book the dentist");
    const auto modified = rowIn(folder.database(), third);
    ASSERT_TRUE(modified);
    EXPECT_GE(modified->remdate, modifiedAt);
    EXPECT_LE(modified->remdate, clock.now());
    press(alert, IDC_BTNDISMISS);
    ASSERT_TRUE(waitUntilGone(alert));
    EXPECT_TRUE(waitUntil([&] { return !rowIn(folder.database(), third); }));

    EXPECT_FALSE(rowIn(folder.database(), first));
    const auto snoozed = rowIn(folder.database(), second);
    ASSERT_TRUE(snoozed);
    EXPECT_GE(snoozed->remdate, snoozedAt.addMinutes(30));
    EXPECT_LE(snoozed->remdate, clock.now().addMinutes(30));
    EXPECT_EQ(topWindowOf(kelvor.id(), L"#32770"), nullptr);
}

TEST_F(KelvorTest, TrayIconSecondStartMenuPauseAndExit) {
    const auto later =
        store::insertOneTimeReminder(store::gConn, "next week", clock.now().addDays(7), 0);
    store::gConn.close();
    const std::string before = readFile(folder.database());
    KelvorProcess kelvor(folder.path());
    ASSERT_NE(waitForWindow(trayIconWindow), nullptr);
    // The shell registers the icon's tip a moment after the icon window appears.
    EXPECT_TRUE(waitUntil([] {
        const auto tips = trayTips();
        return std::find(tips.begin(), tips.end(), L"Davrin") != tips.end();
    })) << "no tray tip reads Davrin";
    // Animated: within a few frames the picture changes.
    const auto firstFrame = iconPixels();
    bool changed = false;
    for (int sample = 0; sample < 10 && !changed; ++sample) {
        Sleep(200);
        changed = iconPixels() != firstFrame;
    }
    EXPECT_TRUE(changed) << "the tray icon does not animate";

    // A second start hands over to the running copy, which opens its list, and ends.
    KelvorProcess second(folder.path());
    EXPECT_EQ(second.waitForExit(10s), 0u);
    HWND list = waitForWindow([&] { return dialogOf(kelvor.id(), editing::list_ids::IdGrd1); });
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(trayIconCount(), 1);
    press(list, editing::list_ids::IdCmd1);
    ASSERT_TRUE(waitUntilGone(list));

    clickTrayIcon(WM_RBUTTONDOWN);
    HWND menu = menuOf(kelvor.id());
    ASSERT_NE(menu, nullptr);
    // Cross-process menu texts are not readable under Wine; the access keys prove the captions:
    // P reaches only "&Pause Reminder", R only "&Resume Reminder".
    chooseFromMenu(kelvor.id(), L'P');

    // Paused: a reminder falling due now raises nothing.
    const auto paused = store::insertOneTimeReminder(store::openDatabase(folder.database()),
                                                     "while paused", clock.now(), 0);
    Sleep(2000);
    EXPECT_EQ(topWindowOf(kelvor.id(), L"#32770"), nullptr);

    clickTrayIcon(WM_RBUTTONDOWN);
    menu = menuOf(kelvor.id());
    ASSERT_NE(menu, nullptr);
    chooseFromMenu(kelvor.id(), L'R');
    HWND alert = alertOf(kelvor.id());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(label(alert, IDC_LABEL1), "while paused");
    press(alert, IDC_BTNDISMISS);
    ASSERT_TRUE(waitUntilGone(alert));
    ASSERT_TRUE(waitUntil([&] { return !rowIn(folder.database(), paused); }));

    {
        // Another program holds the file: told once, not on every tick.
        const store::Connection other = store::openDatabase(folder.database());
        execRaw(other, "BEGIN EXCLUSIVE");
        HWND box = waitForWindow([&] { return topWindowOf(kelvor.id(), L"#32770", L"Reminder"); });
        ASSERT_NE(box, nullptr);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(waitUntilGone(box));
        Sleep(1500); // five ticks
        EXPECT_EQ(topWindowOf(kelvor.id(), L"#32770"), nullptr);
        execRaw(other, "ROLLBACK");
    }

    const std::string afterAnswer = readFile(folder.database());
    clickTrayIcon(WM_RBUTTONDOWN);
    chooseFromMenu(kelvor.id(), L'E');
    EXPECT_EQ(kelvor.waitForExit(10s), 0u);
    EXPECT_TRUE(readFile(folder.database()) == afterAnswer) << "Exit changed the database";
    EXPECT_TRUE(before != afterAnswer) << "the answer to the alert was not stored";
    Sleep(500);
    EXPECT_EQ(trayIconCount(), 0);
    EXPECT_TRUE(rowIn(folder.database(), later));
}

// While the alert or the box confirming its new time is open, no other window of the program takes
// input, and Exit leaves an alert whose confirmation was not closed unanswered.
TEST_F(KelvorTest, AnAnswerInProgressKeepsEveryOtherWindowWaiting) {
    const auto dueSince = clock.now().addMinutes(-5);
    store::gConn.close();
    KelvorProcess kelvor(folder.path());
    ASSERT_NE(waitForWindow(trayIconWindow), nullptr);
    clickTrayIcon(WM_LBUTTONDBLCLK);
    HWND list = waitForWindow([&] { return dialogOf(kelvor.id(), editing::list_ids::IdGrd1); });
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(textOf(list), L"Davrin - Ver." DAVRIN_VERSION_WIDE); // from the version resource
    press(list, editing::list_ids::IdBtnNew);
    HWND editor =
        waitForWindow([&] { return dialogOf(kelvor.id(), editing::editor_ids::IdText4); });
    ASSERT_NE(editor, nullptr);
    const auto enabled = [](HWND window) { return IsWindowEnabled(window) != FALSE; };

    store::insertOneTimeReminder(store::openDatabase(folder.database()), "over the editor",
                                 dueSince, 0);
    HWND alert = alertOf(kelvor.id());
    ASSERT_NE(alert, nullptr);
    EXPECT_FALSE(enabled(editor));
    EXPECT_FALSE(enabled(list));
    press(alert, IDC_BTNMODIFY);
    HWND box = waitForWindow([&] { return topWindowOf(kelvor.id(), L"#32770", L"KELVOR"); });
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(enabled(editor));
    EXPECT_FALSE(enabled(list));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    alert = alertOf(kelvor.id()); // moved to this minute, it is due again
    ASSERT_NE(alert, nullptr);
    press(alert, IDC_BTNDISMISS);
    ASSERT_TRUE(waitUntilGone(alert));
    // Enabled again, except the list: the editor still holds it.
    EXPECT_TRUE(waitUntil([&] { return enabled(editor); }));
    EXPECT_FALSE(enabled(list));
    press(editor, editing::editor_ids::IdCmdCancel);
    ASSERT_TRUE(waitUntilGone(editor));
    EXPECT_TRUE(waitUntil([&] { return enabled(list); }));
    press(list, editing::list_ids::IdCmd1);
    ASSERT_TRUE(waitUntilGone(list));

    const auto pending = store::insertOneTimeReminder(store::openDatabase(folder.database()),
                                                      "Exit while confirming", dueSince, 0);
    alert = alertOf(kelvor.id());
    ASSERT_NE(alert, nullptr);
    press(alert, IDC_BTNMODIFY);
    ASSERT_NE(waitForWindow([&] { return topWindowOf(kelvor.id(), L"#32770", L"KELVOR"); }),
              nullptr);
    clickTrayIcon(WM_LBUTTONDBLCLK);
    clickTrayIcon(WM_RBUTTONDOWN);
    ASSERT_NE(menuOf(kelvor.id()), nullptr);
    // The double-click came first: it opened no list over the box.
    EXPECT_EQ(dialogOf(kelvor.id(), editing::list_ids::IdGrd1), nullptr);
    chooseFromMenu(kelvor.id(), L'E');
    EXPECT_EQ(kelvor.waitForExit(10s), 0u);
    const auto row = rowIn(folder.database(), pending);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->remdate, dueSince) << "Exit applied an answer that was not confirmed";
}

} // namespace
} // namespace davrin::test
