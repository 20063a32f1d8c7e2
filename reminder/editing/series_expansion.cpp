// Expansion of a recurring reminder into occurrences by the calendar step rule.
#include "series_expansion.h"

#include <stdexcept>

namespace davrin {

std::string_view repeatCode(RepeatKind kind) {
    switch (kind) {
    case RepeatKind::Daily:
        return "D";
    case RepeatKind::Weekly:
        return "W";
    case RepeatKind::Monthly:
        return "M";
    case RepeatKind::Quarterly:
        return "Q";
    case RepeatKind::HalfYearly:
        return "H";
    case RepeatKind::Yearly:
        return "Y";
    }
    throw std::invalid_argument("unknown repeat kind");
}

LocalDateTime seriesOccurrence(const LocalDateTime& start, RepeatKind kind, std::int64_t index) {
    switch (kind) {
    case RepeatKind::Daily:
        return start.addDays(index);
    case RepeatKind::Weekly:
        return start.addDays(7 * index);
    case RepeatKind::Monthly:
        return start.addMonths(index);
    case RepeatKind::Quarterly:
        return start.addQuarters(index);
    // Two quarter steps, each clamped on its own: 30 November gives 28 May, not 30 May.
    case RepeatKind::HalfYearly:
        return start.addQuarters(index).addQuarters(index);
    case RepeatKind::Yearly:
        return start.addYears(index);
    }
    throw std::invalid_argument("unknown repeat kind");
}

std::vector<LocalDateTime> expandSeries(const LocalDateTime& start, RepeatKind kind, int count,
                                        std::optional<std::chrono::year_month_day> endDate) {
    std::vector<LocalDateTime> out;
    if (count > 0) {
        out.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            out.push_back(seriesOccurrence(start, kind, i));
        return out;
    }
    if (!endDate)
        throw std::invalid_argument("a series needs a count or an end date");
    for (std::int64_t i = 0;; ++i) {
        LocalDateTime next;
        try {
            next = seriesOccurrence(start, kind, i);
        } catch (const std::out_of_range&) {
            break; // past the year 9999, so past any end date too
        }
        if (next.date() > *endDate)
            break;
        out.push_back(next);
    }
    return out;
}

} // namespace davrin
