// Expansion of a recurring reminder into occurrences by the calendar step rule.
#include "reminder/editing/series_expansion.h"

#include <stdexcept>

namespace davrin::editing {

store::LocalDateTime seriesOccurrence(const store::LocalDateTime& start, store::RepeatKind kind,
                                      std::int64_t index) {
    switch (kind) {
    case store::RepeatKind::Daily:
        return start.addDays(index);
    case store::RepeatKind::Weekly:
        return start.addDays(7 * index);
    case store::RepeatKind::Monthly:
        return start.addMonths(index);
    case store::RepeatKind::Quarterly:
        return start.addQuarters(index);
    // Two quarter steps, each clamped on its own: 30 November gives 28 May, not 30 May.
    case store::RepeatKind::HalfYearly:
        return start.addQuarters(index).addQuarters(index);
    case store::RepeatKind::Yearly:
        return start.addYears(index);
    }
    throw std::invalid_argument("unknown repeat kind");
}

std::vector<store::LocalDateTime> expandSeries(const store::LocalDateTime& start,
                                               store::RepeatKind kind, int count,
                                               std::optional<std::chrono::year_month_day> endDate) {
    std::vector<store::LocalDateTime> out;
    if (count > 0) {
        out.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            out.push_back(seriesOccurrence(start, kind, i));
        return out;
    }
    if (!endDate)
        throw std::invalid_argument("a series needs a count or an end date");
    for (std::int64_t i = 0;; ++i) {
        store::LocalDateTime next;
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

} // namespace davrin::editing
