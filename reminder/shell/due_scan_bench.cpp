// Cost of one scan tick: nothing due on a store of 100,000 future occurrences, and a file that
// another program keeps locked.
#include "reminder/shell/due_scan.h"
#include "reminder/shell/null_services.h"

#include "reminder/store/reminder_statements.h"
#include "reminder/store/store_test_support.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <vector>

namespace davrin::shell {
namespace {

void BM_TickWithNothingDue(benchmark::State& state) {
    std::random_device rd;
    const auto folder =
        std::filesystem::temp_directory_path() / ("davrin-scan-bench-" + std::to_string(rd()));
    std::filesystem::create_directories(folder);
    store::ConnectDatabase(folder);
    const store::LocalDateTime now(2026, 12, 5, 10, 0);
    std::vector<store::LocalDateTime> dates;
    for (int i = 1; i <= 100000; ++i)
        dates.push_back(now.addMinutes(i * 7));
    store::insertRecurringReminder(
        store::gConn, {"later", dates.front(), store::RepeatKind::Daily, 100000, {}, 0}, dates);

    store::FixedClock clock(now);
    PauseItem Prem;
    NullAlertWindow alert;
    NullListWindow list;
    NullHttpClient http;
    NullMessageBoxes boxes;
    DueReminderScan scan({store::gConn, clock, Prem, alert, list, http, boxes});
    for (auto _ : state)
        scan.Timer1_Timer();
    if (alert.shown != 0)
        state.SkipWithError("something was due");

    store::gConn.close();
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TickWithNothingDue)->Unit(benchmark::kMicrosecond);

// How long the window thread stands still on each tick while another program holds the file.
void BM_TickWhileAnotherProgramLocksTheFile(benchmark::State& state) {
    const test::TempFolder folder;
    store::ConnectDatabase(folder.path());
    const store::LocalDateTime now(2026, 12, 5, 10, 0);
    store::insertOneTimeReminder(store::gConn, "due", now, 0);
    const store::Connection other = store::openDatabase(folder / "KELVOR.db");
    test::execRaw(other, "BEGIN EXCLUSIVE");

    store::FixedClock clock(now);
    PauseItem Prem;
    NullAlertWindow alert;
    NullListWindow list;
    NullHttpClient http;
    NullMessageBoxes boxes;
    DueReminderScan scan({store::gConn, clock, Prem, alert, list, http, boxes});
    for (auto _ : state)
        scan.Timer1_Timer();
    if (alert.shown != 0)
        state.SkipWithError("the lock did not hold");
    test::execRaw(other, "ROLLBACK");
    store::gConn.close();
}
BENCHMARK(BM_TickWhileAnotherProgramLocksTheFile)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace davrin::shell

BENCHMARK_MAIN();
