// Speed of the two store operations the program leans on: the due query and saving a series.
#include "reminder/store/reminder_statements.h"
#include "reminder/store/store_test_support.h"

#include <benchmark/benchmark.h>

namespace davrin::store {
namespace {

const LocalDateTime kNow(2026, 12, 5, 10, 7);

// A file with `rows` occurrences, one every 53 minutes from the minute after kNow (nothing due
// but the single overdue one), as several years of saved series leave it.
Connection fillStore(const test::TempFolder& folder, int rows) {
    Connection conn = openDatabase(folder / "KELVOR.db");
    std::vector<LocalDateTime> dates;
    for (int i = 0; i < rows - 1; ++i) {
        dates.push_back(kNow.addMinutes(1 + std::int64_t{i} * 53));
    }
    insertRecurringReminder(conn, {"Stretch your legs", kNow, RepeatKind::Daily, rows - 1, {}, 0},
                            dates);
    insertOneTimeReminder(conn, "Overdue", kNow.addDays(-1), 0);
    return conn;
}

void dueQueryOnAHundredThousandOccurrences(benchmark::State& state) {
    const test::TempFolder folder;
    const Connection conn = fillStore(folder, 100'000);
    for (auto _ : state) {
        const auto due = dueOccurrences(conn, kNow);
        benchmark::DoNotOptimize(due.data());
        if (due.size() != 1) {
            state.SkipWithError("wrong number of due occurrences");
        }
    }
}
BENCHMARK(dueQueryOnAHundredThousandOccurrences)->Unit(benchmark::kMicrosecond);

void saveDailySeriesOfTenYears(benchmark::State& state) {
    const test::TempFolder folder;
    const Connection conn = fillStore(folder, 10'000);
    const LocalDateTime start(2027, 1, 1, 9, 0);
    std::vector<LocalDateTime> dates;
    for (int day = 0; day < 3653; ++day) {
        dates.push_back(start.addDays(day));
    }
    const RecurringDefinition definition{
        "Take the vitamins", start, RepeatKind::Daily, 3653, {}, 1};
    for (auto _ : state) {
        const auto series = insertRecurringReminder(conn, definition, dates);
        // Keep the store at its size, so that every save meets the same file.
        state.PauseTiming();
        deleteSeries(conn, series);
        state.ResumeTiming();
    }
}
BENCHMARK(saveDailySeriesOfTenYears)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace davrin::store

BENCHMARK_MAIN();
