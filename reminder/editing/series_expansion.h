// The expansion of a series into its dated occurrences.
#pragma once

#include "reminder/store/date_time.h"
#include "reminder/store/reminder_statements.h"

#include <chrono>
#include <optional>
#include <string_view>
#include <vector>

namespace davrin::editing {

// The largest count the three-digit count box can hold.
inline constexpr int kMaxSeriesCount = 999;

// Occurrence `index` of a series, counted from the start every time so that clamping to a short
// month never carries over (31 January monthly gives 28 February, then 31 March again).
// Throws std::out_of_range past the year 9999.
store::LocalDateTime seriesOccurrence(const store::LocalDateTime& start, store::RepeatKind kind,
                                      std::int64_t index);

// A series ends either after `count` occurrences (count > 0) or on `endDate`: then every
// occurrence whose calendar date is not after the end date, whatever its time of day.
// Throws std::invalid_argument when neither bound is given, std::out_of_range when a counted
// series reaches past the year 9999.
std::vector<store::LocalDateTime> expandSeries(const store::LocalDateTime& start,
                                               store::RepeatKind kind, int count,
                                               std::optional<std::chrono::year_month_day> endDate);

} // namespace davrin::editing
