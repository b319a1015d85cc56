// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/history_statistics.h"

#include "core/disciplines.h"

#include <algorithm>

bool IsTimedRun(int discipline)
{
    const Discipline* known = FindDiscipline(discipline);
    return known && known->isPictureRun();
}

std::optional<double> ResultOf(const AttemptRecord& attempt)
{
    if (!attempt.completed)
        return std::nullopt;
    if (IsTimedRun(attempt.discipline))
        return attempt.result.runSeconds;
    if (attempt.result.points)
        return double(*attempt.result.points);
    return std::nullopt;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(middle), values.end());
    const double upper = values[middle];
    if (values.size() % 2)
        return upper;
    const double lower = *std::max_element(values.begin(), values.begin() + std::ptrdiff_t(middle));
    return (lower + upper) / 2;
}

bool Counts(const StoredAttempt& stored)
{
    return stored.mark == AttemptMark::Counted;
}

HistoryStatistics ComputeStatistics(const std::vector<StoredAttempt>& newestFirst)
{
    HistoryStatistics stats;
    std::vector<double> results;
    for (const StoredAttempt& stored : newestFirst) {
        if (!Counts(stored))
            continue;
        ++stats.attempts;
        if (const std::optional<double> result = ResultOf(stored.attempt))
            results.push_back(*result);
    }
    if (results.empty())
        return stats;
    const bool timed = IsTimedRun(newestFirst.front().attempt.discipline);
    stats.best = timed ? *std::min_element(results.begin(), results.end())
                       : *std::max_element(results.begin(), results.end());
    const auto last = results.begin() + std::ptrdiff_t(std::min<std::size_t>(10, results.size()));
    stats.medianOfLastTen = Median({results.begin(), last});
    if (results.size() > 10) {
        const auto before = results.begin() + std::ptrdiff_t(std::min<std::size_t>(20, results.size()));
        stats.change = *stats.medianOfLastTen - Median({last, before});
    }
    return stats;
}
