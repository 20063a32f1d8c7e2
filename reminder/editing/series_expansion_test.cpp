// Series expansion: every repeat kind, clamping to month ends, and both ways a series ends.
#include "reminder/editing/series_expansion.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace davrin::editing {
namespace {

// The days of a series, each followed by the time of the start (which every occurrence keeps).
std::vector<std::string> days(const std::vector<store::LocalDateTime>& moments) {
    std::vector<std::string> out;
    for (const auto& m : moments)
        out.push_back(store::toScheduleText(m).substr(0, 10));
    for (const auto& m : moments)
        EXPECT_EQ(m.timeOfDay(), moments.front().timeOfDay());
    return out;
}

using enum store::RepeatKind;

std::chrono::year_month_day ymd(int y, unsigned m, unsigned d) {
    return store::LocalDateTime(y, m, d).date();
}

TEST(SeriesExpansion, CountedSeriesStepFromTheStartAndClampToMonthEnd) {
    struct Case {
        store::LocalDateTime start;
        store::RepeatKind kind;
        std::vector<std::string> expected; // as many as counted
    };
    const Case cases[] = {
        {{2026, 12, 7, 9, 0}, Weekly, {"07/12/2026", "14/12/2026", "21/12/2026"}},
        {{2026, 12, 30, 23, 59}, Daily, {"30/12/2026", "31/12/2026", "01/01/2027"}},
        {{2028, 1, 31, 8, 15},
         Monthly,
         {"31/01/2028", "29/02/2028", "31/03/2028", "30/04/2028", "31/05/2028"}},
        {{2026, 8, 31, 12, 0}, Quarterly, {"31/08/2026", "30/11/2026", "28/02/2027"}},
        {{2026, 11, 30, 0, 0}, HalfYearly, {"30/11/2026", "28/05/2027", "30/11/2027"}},
        {{2028, 2, 29, 18, 0},
         Yearly,
         {"29/02/2028", "28/02/2029", "28/02/2030", "28/02/2031", "29/02/2032"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(store::toScheduleText(c.start));
        const int count = static_cast<int>(c.expected.size());
        const auto series = expandSeries(c.start, c.kind, count, std::nullopt);
        EXPECT_EQ(days(series), c.expected);
        EXPECT_EQ(series.at(0), c.start);
    }
    // The count wins over an end date.
    EXPECT_EQ(expandSeries({2026, 12, 1, 10, 0}, Daily, 2, ymd(2026, 12, 31)).size(), 2u);
}

TEST(SeriesExpansion, EndDateIsComparedByCalendarDateOnly) {
    const store::LocalDateTime late{2026, 12, 1, 22, 0};
    const auto toEnd = expandSeries(late, Daily, 0, ymd(2026, 12, 3));
    EXPECT_EQ(days(toEnd), (std::vector<std::string>{"01/12/2026", "02/12/2026", "03/12/2026"}));
    EXPECT_EQ(store::toScheduleText(toEnd.back()),
              "03/12/2026 10:00 PM"); // later in the day than 00:00
    EXPECT_EQ(expandSeries(late, Monthly, 0, ymd(2026, 12, 1)).size(), 1u);
    EXPECT_TRUE(expandSeries(late, Weekly, 0, ymd(2026, 11, 30)).empty());
    // Monthly to an end date keeps clamping from the start, not from the previous occurrence.
    EXPECT_EQ(days(expandSeries({2026, 1, 31, 9, 0}, Monthly, 0, ymd(2026, 4, 29))),
              (std::vector<std::string>{"31/01/2026", "28/02/2026", "31/03/2026"}));
}

TEST(SeriesExpansion, TenYearsDailyAndTheLimitsOfTheCalendar) {
    const auto tenYears = expandSeries({2026, 1, 1, 7, 0}, Daily, 0, ymd(2035, 12, 31));
    ASSERT_EQ(tenYears.size(), 3652u);
    EXPECT_EQ(store::toScheduleText(tenYears.back()), "31/12/2035 07:00 AM");

    // An end date at the edge of the calendar ends the series instead of failing.
    EXPECT_EQ(expandSeries({9998, 6, 1, 0, 0}, Yearly, 0, ymd(9999, 12, 31)).size(), 2u);
    // A counted series past the year 9999 cannot be stored and says so.
    EXPECT_THROW(expandSeries({9998, 6, 1, 0, 0}, Yearly, 3, std::nullopt), std::out_of_range);
    EXPECT_THROW(expandSeries({2026, 6, 1, 0, 0}, Daily, 0, std::nullopt), std::invalid_argument);
}

} // namespace
} // namespace davrin::editing
