// Repeat kinds of a recurring reminder and the expansion of a series into its dated occurrences.
#pragma once

#include "date_time.h"

#include <chrono>
#include <optional>
#include <string_view>
#include <vector>

namespace davrin {

enum class RepeatKind { Daily, Weekly, Monthly, Quarterly, HalfYearly, Yearly };

// The letter stored in remrepeat: "D", "W", "M", "Q", "H", "Y".
std::string_view repeatCode(RepeatKind kind);

// The largest count the three-digit count box can hold.
inline constexpr int kMaxSeriesCount = 999;

// Occurrence `index` of a series, counted from the start every time so that clamping to a short
// month never carries over (31 January monthly gives 28 February, then 31 March again).
// Throws std::out_of_range past the year 9999.
LocalDateTime seriesOccurrence(const LocalDateTime& start, RepeatKind kind, std::int64_t index);

// A series ends either after `count` occurrences (count > 0) or on `endDate`: then every
// occurrence whose calendar date is not after the end date, whatever its time of day.
// Throws std::invalid_argument when neither bound is given, std::out_of_range when a counted
// series reaches past the year 9999.
std::vector<LocalDateTime> expandSeries(const LocalDateTime& start, RepeatKind kind, int count,
                                        std::optional<std::chrono::year_month_day> endDate);

} // namespace davrin
