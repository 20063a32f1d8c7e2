// Benchmarks: saving a ten-year daily series through the recurring editor, and rebuilding the
// list window's grid over 10,000 occurrences.
#include "reminder/editing/edit_context.h"
#include "reminder/editing/editor_fakes_test.h"
#include "reminder/editing/reminder_query.h"
#include "reminder/store/reminder_statements.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace davrin::editing {
namespace {

using std::chrono::year_month_day;

class BenchDatabase {
public:
    BenchDatabase() {
        std::random_device rd;
        folder_ = std::filesystem::temp_directory_path() /
                  ("davrin-editing-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(folder_);
        conn = store::openDatabase(folder_ / "KELVOR.db");
    }
    ~BenchDatabase() {
        conn.close();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    store::Connection conn;

private:
    std::filesystem::path folder_;
};

const store::LocalDateTime kNow(2026, 12, 5, 21, 30);

void BM_SaveTenYearDailySeries(benchmark::State& state) {
    BenchDatabase db;
    store::FixedClock clock(kNow);
    std::size_t saved = 0;
    for (auto _ : state) {
        test::FakeRecReminderView view;
        RecReminder form(view, {db.conn, clock, [] { return std::string(); }});
        form.Form_Load();
        view.message = "Take the tablets";
        view.repeat = store::RepeatKind::Daily;
        // From 5 December 2026 to 4 December 2036: 3,653 days.
        view.endDate =
            year_month_day{std::chrono::year{2036}, std::chrono::December, std::chrono::day{4}};
        form.CmdOk_Click();
        if (!view.unloaded)
            state.SkipWithError(view.lastMessage().c_str());
        ++saved;
    }
    const auto rows =
        store::listOccurrences(db.conn, store::ListKind::Recurring, store::ListSortKey::DateTime,
                               store::SortDirection::Ascending)
            .size();
    if (rows != saved * 3653)
        state.SkipWithError("unexpected number of occurrences");
    state.counters["occurrences"] = 3653;
}
BENCHMARK(BM_SaveTenYearDailySeries)->Unit(benchmark::kMillisecond);

class CountingListView : public ReminderQueryView {
public:
    void setCaption(const std::string&) override {}
    void setLabel1(const std::string&) override {}
    void setLabel2(const std::string&) override {}
    bool Option1() const override { return true; }
    void setOption1(bool) override {}
    void fillSortList(SortList, const std::vector<std::string>&) override {}
    int sortIndex(SortList) const override { return 0; }
    void setSortIndex(SortList, int) override {}
    void showRows(const std::vector<GridRow>& rows) override { shown = rows.size(); }
    std::optional<std::size_t> currentRow() const override { return std::nullopt; }
    void selectRow(std::size_t) override {}
    void enableEditDelete(bool) override {}
    bool askYesNo(const std::string&) override { return false; }
    void showMessage(const std::string&, ui::MessageIcon) override {}
    void unload() override {}
    std::size_t shown = 0;
};

class NoWindows : public ReminderQueryWindows {
public:
    void showOTReminder() override {}
    void showRecReminder() override {}
    std::optional<DeleteAnswer> showFrmMsgbox() override { return std::nullopt; }
    void showReminderSettings() override {}
};

void BM_Grd1addTenThousandRows(benchmark::State& state) {
    BenchDatabase db;
    for (int i = 0; i < 10000; ++i)
        store::insertOneTimeReminder(db.conn, "  Reminder number " + std::to_string(i) + "  ",
                                     kNow.addMinutes(i * 37), i % 2);
    store::FixedClock clock(kNow);
    CountingListView view;
    NoWindows windows;
    ReminderQuery form(view, windows, {db.conn, clock, {}, {}});
    for (auto _ : state)
        form.grd1add();
    if (view.shown != 10000)
        state.SkipWithError("grid does not hold 10,000 rows");
}
BENCHMARK(BM_Grd1addTenThousandRows)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace davrin::editing

BENCHMARK_MAIN();
