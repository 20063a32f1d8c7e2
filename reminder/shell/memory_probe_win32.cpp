// Prints private memory figures: 10,000 scan ticks in this process, then a running KELVOR.exe.
#include "reminder/shell/due_scan.h"
#include "reminder/shell/kelvor_process_win32_test.h"
#include "reminder/shell/null_services.h"
#include "reminder/store/reminder_statements.h"

#include <psapi.h>
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

using namespace davrin;
using namespace davrin::shell;

double privateMegabytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    // Wine leaves PrivateUsage at 0; the page-file (committed private) figure is the same thing.
    const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void scanTicks(const test::ProgramFolder& folder) {
    store::ConnectDatabase(folder.path());
    store::SystemClock clock;
    std::vector<store::LocalDateTime> dates;
    for (int i = 1; i <= 100000; ++i)
        dates.push_back(clock.now().addMinutes(i * 7));
    store::insertRecurringReminder(
        store::gConn, {"later", dates.front(), store::RepeatKind::Daily, 100000, {}, 0}, dates);
    PauseItem Prem;
    NullAlertWindow alert;
    NullListWindow list;
    NullHttpClient http;
    NullMessageBoxes boxes;
    DueReminderScan scan({store::gConn, clock, Prem, alert, list, http, boxes});
    for (int i = 0; i < 100; ++i)
        scan.Timer1_Timer();
    const double before = privateMegabytes(GetCurrentProcess());
    for (int i = 0; i < 10000; ++i)
        scan.Timer1_Timer();
    const double after = privateMegabytes(GetCurrentProcess());
    std::printf("scan, 100,000 occurrences: private %.2f MB after 100 ticks, %.2f MB after "
                "10,100 ticks\n",
                before, after);
    store::gConn.close();
}

void runningProgram(const test::ProgramFolder& folder) {
    test::KelvorProcess kelvor(folder.path()); // ticks every 300 ms
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, kelvor.id());
    Sleep(5000);
    const double started = privateMegabytes(process);
    Sleep(60000);
    std::printf("KELVOR.exe: private %.2f MB after 5 s, %.2f MB after 65 s (about 200 more "
                "ticks)\n",
                started, privateMegabytes(process));
    CloseHandle(process);
}

} // namespace

int main() {
    // What Wine itself commits for a bare process, to tell it apart from the program's own.
    std::printf("this process at start: private %.2f MB\n", privateMegabytes(GetCurrentProcess()));
    test::ProgramFolder folder;
    scanTicks(folder);
    runningProgram(folder);
    return 0;
}
