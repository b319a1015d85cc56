// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/history_store.h"

#include <optional>
#include <vector>

// How a training goes, over the attempts the history holds of one setting.

// Picture runs are better the faster they are; scored attempts the more points
// they have. A code this program does not know counts as a scored attempt.
bool IsTimedRun(int discipline);
// The result that the plot and the statistics follow: the seconds of a completed
// run, or the points of a scored attempt. Nothing for a broken-off run.
std::optional<double> ResultOf(const AttemptRecord& attempt);

// Whether an attempt takes part in the statistics and the plot: not one the user
// set aside.
bool Counts(const StoredAttempt& stored);

struct HistoryStatistics {
    int attempts = 0;  // those that count
    std::optional<double> best;
    std::optional<double> medianOfLastTen;
    // The median of the last ten less the median of the (up to) ten before them.
    std::optional<double> change;
};
// Over attempts given newest first; only results of attempts that count make the
// best, the median and the change.
HistoryStatistics ComputeStatistics(const std::vector<StoredAttempt>& newestFirst);
double Median(std::vector<double> values);
