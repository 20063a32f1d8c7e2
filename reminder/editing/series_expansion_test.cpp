// Series expansion: every repeat kind, clamping to month ends, and both ways a series ends.
#include "series_expansion.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace davrin {
namespace {

using std::chrono::year_month_day;

std::vector<std::string> texts(const std::vector<LocalDateTime>& moments) {
    std::vector<std::string> out;
    for (const auto& m : moments)
        out.push_back(toScheduleText(m));
    return out;
}

year_month_day ymd(int y, unsigned m, unsigned d) {
    return year_month_day{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

struct CountedCase {
    const char* name;
    LocalDateTime start;
    RepeatKind kind;
    int count;
    std::vector<std::string> expected;
};

TEST(SeriesExpansion, CountedSeriesStepFromTheStartAndClampToMonthEnd) {
    const std::vector<CountedCase> cases = {
        {"weekly",
         LocalDateTime(2026, 12, 7, 9, 0),
         RepeatKind::Weekly,
         3,
         {"07/12/2026 09:00 AM", "14/12/2026 09:00 AM", "21/12/2026 09:00 AM"}},
        {"daily across a month and a year",
         LocalDateTime(2026, 12, 30, 23, 59),
         RepeatKind::Daily,
         3,
         {"30/12/2026 11:59 PM", "31/12/2026 11:59 PM", "01/01/2027 11:59 PM"}},
        {"monthly from 31 January (leap year)",
         LocalDateTime(2028, 1, 31, 8, 15),
         RepeatKind::Monthly,
         5,
         {"31/01/2028 08:15 AM", "29/02/2028 08:15 AM", "31/03/2028 08:15 AM",
          "30/04/2028 08:15 AM", "31/05/2028 08:15 AM"}},
        {"monthly from 31 January (common year)",
         LocalDateTime(2027, 1, 31, 8, 15),
         RepeatKind::Monthly,
         2,
         {"31/01/2027 08:15 AM", "28/02/2027 08:15 AM"}},
        {"quarterly from 31 August",
         LocalDateTime(2026, 8, 31, 12, 0),
         RepeatKind::Quarterly,
         3,
         {"31/08/2026 12:00 PM", "30/11/2026 12:00 PM", "28/02/2027 12:00 PM"}},
        {"half yearly from 30 November",
         LocalDateTime(2026, 11, 30, 0, 0),
         RepeatKind::HalfYearly,
         3,
         {"30/11/2026 12:00 AM", "28/05/2027 12:00 AM", "30/11/2027 12:00 AM"}},
        {"yearly from 29 February",
         LocalDateTime(2028, 2, 29, 18, 0),
         RepeatKind::Yearly,
         5,
         {"29/02/2028 06:00 PM", "28/02/2029 06:00 PM", "28/02/2030 06:00 PM",
          "28/02/2031 06:00 PM", "29/02/2032 06:00 PM"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(texts(expandSeries(c.start, c.kind, c.count, std::nullopt)), c.expected);
    }
}

TEST(SeriesExpansion, CountWinsOverAnEndDate) {
    const auto series =
        expandSeries(LocalDateTime(2026, 12, 1, 10, 0), RepeatKind::Daily, 2, ymd(2026, 12, 31));
    EXPECT_EQ(series.size(), 2u);
}

TEST(SeriesExpansion, EndDateIsComparedByCalendarDateOnly) {
    // 10:00 PM on the end date is still in the series.
    EXPECT_EQ(texts(expandSeries(LocalDateTime(2026, 12, 1, 22, 0), RepeatKind::Daily, 0,
                                 ymd(2026, 12, 3))),
              (std::vector<std::string>{"01/12/2026 10:00 PM", "02/12/2026 10:00 PM",
                                        "03/12/2026 10:00 PM"}));
    // An end date on the start's own day gives exactly the start.
    EXPECT_EQ(
        expandSeries(LocalDateTime(2026, 12, 1, 22, 0), RepeatKind::Monthly, 0, ymd(2026, 12, 1))
            .size(),
        1u);
    // Before the start's date: nothing.
    EXPECT_TRUE(
        expandSeries(LocalDateTime(2026, 12, 1, 0, 0), RepeatKind::Weekly, 0, ymd(2026, 11, 30))
            .empty());
}

TEST(SeriesExpansion, MonthlyToAnEndDateKeepsClampingFromTheStart) {
    EXPECT_EQ(texts(expandSeries(LocalDateTime(2026, 1, 31, 9, 0), RepeatKind::Monthly, 0,
                                 ymd(2026, 4, 29))),
              (std::vector<std::string>{"31/01/2026 09:00 AM", "28/02/2026 09:00 AM",
                                        "31/03/2026 09:00 AM"}));
}

TEST(SeriesExpansion, TenYearsDailyAndTheLimitsOfTheCalendar) {
    const auto tenYears =
        expandSeries(LocalDateTime(2026, 1, 1, 7, 0), RepeatKind::Daily, 0, ymd(2035, 12, 31));
    ASSERT_EQ(tenYears.size(), 3652u);
    EXPECT_EQ(toScheduleText(tenYears.back()), "31/12/2035 07:00 AM");

    // An end date at the edge of the calendar ends the series instead of failing.
    EXPECT_EQ(
        expandSeries(LocalDateTime(9998, 6, 1, 0, 0), RepeatKind::Yearly, 0, ymd(9999, 12, 31))
            .size(),
        2u);
    // A counted series past the year 9999 cannot be stored and says so.
    EXPECT_THROW(expandSeries(LocalDateTime(9998, 6, 1, 0, 0), RepeatKind::Yearly, 3, std::nullopt),
                 std::out_of_range);
    EXPECT_THROW(expandSeries(LocalDateTime(2026, 6, 1, 0, 0), RepeatKind::Daily, 0, std::nullopt),
                 std::invalid_argument);
}

} // namespace
} // namespace davrin
