// Tests of the local date-time: validation, calendar arithmetic and every text form.
#include "reminder/store/date_time.h"
#include "reminder/store/store_test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

namespace davrin::store {
namespace {

TEST(LocalDateTime, RejectsFieldsThatNameNoMinute) {
    const std::tuple<int, unsigned, unsigned, int, int> invalid[] = {
        {2026, 2, 29, 0, 0},  {2100, 2, 29, 0, 0},  {2026, 4, 31, 0, 0}, {2026, 13, 1, 0, 0},
        {2026, 0, 1, 0, 0},   {2026, 1, 0, 0, 0},   {2026, 1, 32, 0, 0}, {2026, 1, 1, 24, 0},
        {2026, 1, 1, -1, 0},  {2026, 1, 1, 0, 60},  {0, 1, 1, 0, 0},     {10000, 1, 1, 0, 0},
        {2026, 257, 1, 0, 0}, {2026, 1, 257, 0, 0}, // fields the calendar types would truncate
    };
    for (const auto& [y, mo, d, h, mi] : invalid) {
        SCOPED_TRACE(testing::Message() << y << '-' << mo << '-' << d << ' ' << h << ':' << mi);
        EXPECT_FALSE(LocalDateTime::fromFields(y, mo, d, h, mi));
        EXPECT_THROW(LocalDateTime(y, mo, d, h, mi), std::invalid_argument);
    }
    EXPECT_TRUE(LocalDateTime::fromFields(2024, 2, 29, 23, 59));
    EXPECT_TRUE(LocalDateTime::fromFields(2000, 2, 29, 0, 0));
    EXPECT_THROW(LocalDateTime(std::chrono::year{2026} / 1 / 1, std::chrono::minutes{24 * 60}),
                 std::invalid_argument);
}

// Only the steps a snooze or a series takes are used; their month ends and leap days are the
// series tests'. Here the turn of a year within a snooze, and the edges of the calendar.
TEST(LocalDateTime, AddsAcrossAYearAndRefusesArithmeticOutsideTheYearsOneToNineThousand) {
    EXPECT_EQ(LocalDateTime(2026, 12, 31, 23, 50).addMinutes(15), LocalDateTime(2027, 1, 1, 0, 5));
    EXPECT_THROW(LocalDateTime(9999, 12, 31, 23, 59).addMinutes(1), std::out_of_range);
    EXPECT_THROW(LocalDateTime(1, 1, 1).addDays(-1), std::out_of_range);
    EXPECT_THROW(LocalDateTime(9999, 12, 1).addMonths(1), std::out_of_range);
    EXPECT_THROW(LocalDateTime(2026, 1, 1).addYears(1'000'000), std::out_of_range);
    EXPECT_THROW(LocalDateTime(2026, 1, 1).addMinutes(INT64_MAX), std::out_of_range);
    EXPECT_EQ(LocalDateTime(9998, 12, 31).addYears(1), LocalDateTime(9999, 12, 31));
}

TEST(DateTimeText, EveryFormOfOneMoment) {
    // The windows' tests read these forms of ordinary days; here the leap day and midnight.
    const LocalDateTime t(2024, 2, 29, 0, 0);
    const std::string storage = toStorageText(t);
    EXPECT_EQ(storage + '|' + toScheduleText(t) + '|' + toDayKey(t) + '|' + toCaptionDateText(t) +
                  '|' + toAlertTimeText(t) + '|' + toGeneralText(t) + '|' + toIsoDateText(t),
              "2024-02-29 00:00|29/02/2024 12:00 AM|29-Feb|Thursday 29,  February 2024|"
              "Thursday 29 Feb 2024 12:00 AM|29/02/2024 00:00:00|2024-02-29");
    EXPECT_EQ(parseStorageText(storage), t);
    // The other edges of the 12-hour clock: noon is 12 PM, the hour before it AM.
    EXPECT_EQ(toScheduleText(LocalDateTime(2026, 7, 1, 12, 0)), "01/07/2026 12:00 PM");
    EXPECT_EQ(toScheduleText(LocalDateTime(2026, 5, 31, 11, 59)), "31/05/2026 11:59 AM");
}

TEST(DateTimeText, TheStorageParserIsStrict) {
    for (const char* text :
         {"", "2026-12-05 15:07:00", "2026-12-05 15:7", "2026/12/05 15:07", "2026-12-05T15:07",
          "2026-02-29 10:00", "2026-12-05 24:00", "2026-12-05 23:60", "0000-01-01 00:00",
          "2026-12-05 1a:07", " 2026-12-05 15:07", "+026-12-05 15:07"}) {
        EXPECT_FALSE(parseStorageText(text)) << '"' << text << '"';
    }
}

} // namespace
} // namespace davrin::store
