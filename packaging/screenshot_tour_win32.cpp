// The guide's pictures: opens each window of a real KELVOR.exe over sample reminders and saves
// what the screen shows of it. scripts/screenshots runs it under Wine and Xvfb.
//   screenshot_tour <output folder>   writes <name>.ppm files there, one per window it reached
#include "reminder/editing/series_expansion.h"
#include "reminder/shell/kelvor_process_win32_test.h"
#include "reminder/store/clock.h"
#include "reminder/store/reminder_statements.h"

#include "reminder/editing/editor_ids_win32.h"
#include "reminder/editing/reminder_query_ids_win32.h"
#include "reminder/shell/resource_ids.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>

namespace davrin::test {
namespace {

namespace fs = std::filesystem;

fs::path gOutput;
int gMissed = 0;

// Saves the screen inside `area` as a binary PPM, which ImageMagick turns into a PNG.
void save(const char* name, RECT area) {
    area.left = std::max<LONG>(area.left, 0);
    area.top = std::max<LONG>(area.top, 0);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        std::cerr << "screenshots: " << name << " has no area on the screen\n";
        ++gMissed;
        return;
    }
    Sleep(400); // let the window finish painting
    const auto pixels = screenPixels(area);
    std::ofstream out(gOutput / (std::string(name) + ".ppm"), std::ios::binary);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    for (const COLORREF c : pixels)
        out << static_cast<char>(GetRValue(c)) << static_cast<char>(GetGValue(c))
            << static_cast<char>(GetBValue(c));
    std::cout << "screenshots: " << name << " " << width << "x" << height << "\n";
}

void saveWindow(const char* name, HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    save(name, r);
}

void missed(const char* what) {
    std::cerr << "screenshots: " << what << " did not appear; no picture of it\n";
    ++gMissed;
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void setText(HWND dialog, int id, const wchar_t* text) {
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                        SMTO_BLOCK, 2000, nullptr);
}

// The menu opens at the mouse pointer, so the pointer goes to the icon first, as a hand would.
void clickTrayIcon(UINT message) {
    if (HWND icon = trayIconWindow()) {
        RECT r{};
        GetWindowRect(icon, &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageW(icon, message, 0, MAKELPARAM(8, 8));
    }
}

// Every visible top-level window of the process.
std::set<HWND> visibleWindowsOf(DWORD process) {
    struct Query {
        DWORD process;
        std::set<HWND> found;
    } q{process, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& query = *reinterpret_cast<Query*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == query.process && IsWindowVisible(window))
                query.found.insert(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&q));
    return q.found;
}

// A visible window of the process that was not there before; nothing after a few seconds.
HWND newWindowOf(DWORD process, const std::set<HWND>& before) {
    return waitForWindow(
        [&]() -> HWND {
            for (HWND w : visibleWindowsOf(process))
                if (!before.contains(w))
                    return w;
            return nullptr;
        },
        5s);
}

void fillDatabase(const fs::path& folder, const std::string& newsServer) {
    store::ConnectDatabase(folder);
    const store::LocalDateTime now = store::SystemClock().now();
    const store::LocalDateTime morning(now.date(),
                                       std::chrono::hours(9) + std::chrono::minutes(30));
    store::saveSettings(store::gConn, store::Settings{15, "9876543210", newsServer});
    store::insertOneTimeReminder(store::gConn, "Pay the electricity bill", morning.addDays(1), 0);
    store::insertOneTimeReminder(store::gConn, "Call the dentist about Thursday",
                                 morning.addDays(2).addMinutes(300), 0);
    store::insertOneTimeReminder(store::gConn, "Pick up the suit from the tailor",
                                 morning.addDays(4), 0);
    store::insertOneTimeReminder(store::gConn, "Mother's birthday: order flowers",
                                 morning.addDays(9), 1);
    store::RecurringDefinition weekly{
        "Team meeting notes", morning.addDays(3), store::RepeatKind::Weekly, 8, {}, 0};
    store::insertRecurringReminder(
        store::gConn, weekly,
        editing::expandSeries(weekly.remdate, store::RepeatKind::Weekly, 8, std::nullopt));
    store::gConn.close();
}

void tour(const fs::path& folder) {
    LoopbackServer news("Markets closed higher; rain expected this evening");
    fillDatabase(folder, news.address());
    KelvorProcess kelvor(folder);
    const DWORD id = kelvor.id();
    if (!waitForWindow(trayIconWindow, 60s))
        return missed("the tray icon");
    HWND main = hiddenWindowOf(id, L"DavrinKelvorMain");

    // The tray icon with its menu open beside it.
    clickTrayIcon(WM_RBUTTONDOWN);
    if (HWND menu = waitForWindow([&] { return topWindowOf(id, L"#32768"); }, 5s)) {
        RECT icon{}, list{}, both{};
        GetWindowRect(GetParent(trayIconWindow()) ? GetParent(trayIconWindow()) : trayIconWindow(),
                      &icon);
        GetWindowRect(menu, &list);
        UnionRect(&both, &icon, &list);
        InflateRect(&both, 8, 8);
        save("tray-menu", both);
        PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
        waitUntilGone(menu, 5s);
    } else {
        missed("the tray menu");
    }

    // About, once the program has one to show.
    clickTrayIcon(WM_RBUTTONDOWN);
    if (HWND menu = waitForWindow([&] { return topWindowOf(id, L"#32768"); }, 5s)) {
        const auto before = visibleWindowsOf(id);
        PostMessageW(main, WM_KEYDOWN, L'A', 0);
        waitUntilGone(menu, 5s);
        if (HWND about = newWindowOf(id, before)) {
            saveWindow("about", about);
            PostMessageW(about, WM_COMMAND, IDOK, 0);
            PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
            waitUntilGone(about, 5s);
        } else {
            missed("the about window");
        }
    }

    clickTrayIcon(WM_LBUTTONDBLCLK);
    HWND list = waitForWindow([&] { return dialogOf(id, editing::list_ids::IdGrd1); });
    if (!list)
        return missed("the list window");
    saveWindow("list", list);

    press(list, editing::list_ids::IdBtnNew);
    if (HWND editor = waitForWindow([&] { return dialogOf(id, editing::editor_ids::IdText4); })) {
        setText(editor, editing::editor_ids::IdText4, L"Renew the car insurance");
        saveWindow("one-time-editor", editor);
        press(editor, editing::editor_ids::IdCmdCancel);
        waitUntilGone(editor);
    } else {
        missed("the one-time editor");
    }

    PostMessageW(GetDlgItem(list, editing::list_ids::IdOption2), BM_CLICK, 0, 0);
    Sleep(300);
    saveWindow("list-recurring", list);
    press(list, editing::list_ids::IdBtnNew);
    if (HWND editor = waitForWindow([&] { return dialogOf(id, editing::editor_ids::IdOption1); })) {
        setText(editor, editing::editor_ids::IdText4, L"Water the plants");
        saveWindow("recurring-editor", editor);
        press(editor, editing::editor_ids::IdCmdCancel);
        waitUntilGone(editor);
    } else {
        missed("the recurring editor");
    }
    PostMessageW(GetDlgItem(list, editing::list_ids::IdOption1), BM_CLICK, 0, 0);

    press(list, editing::list_ids::IdBtnSetting);
    if (HWND settings = waitForWindow([&] { return dialogOf(id, IDC_UPDOWN2); })) {
        saveWindow("settings", settings);
        press(settings, IDCANCEL);
        waitUntilGone(settings);
    } else {
        missed("the settings window");
    }
    press(list, editing::list_ids::IdCmd1);
    waitUntilGone(list);

    // An alert: a reminder that fell due a minute ago.
    store::insertOneTimeReminder(store::openDatabase(folder / "KELVOR.db"),
                                 "Take the cake out of the oven and switch it off",
                                 store::SystemClock().now().addMinutes(-1), 0);
    if (HWND alert = waitForWindow([&] { return dialogOf(id, IDC_BTNSNOOZE); }, 30s)) {
        // The news line comes with the alert; give its fetch a moment to land.
        waitUntil([&] { return !textOf(GetDlgItem(alert, IDC_LABEL3)).empty(); }, 5s);
        saveWindow("alert", alert);
        press(alert, IDC_BTNDISMISS);
        waitUntilGone(alert);
    } else {
        missed("the alert");
    }
}

} // namespace
} // namespace davrin::test

int wmain(int argc, wchar_t** argv) {
    using namespace davrin::test;
    if (argc != 2) {
        std::cerr << "usage: screenshot_tour <output folder>\n";
        return 2;
    }
    gOutput = argv[1];
    try {
        std::filesystem::create_directories(gOutput);
        ProgramFolder folder;
        tour(folder.path());
    } catch (const std::exception& e) {
        std::cerr << "screenshots: " << e.what() << "\n";
        return 1;
    }
    return gMissed == 0 ? 0 : 3;
}
