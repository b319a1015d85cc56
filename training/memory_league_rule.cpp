// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/memory_league_rule.h"

ScoreResult MemoryLeagueRule::score(const Attempt& attempt, int rowWidth) const
{
    ScoreResult result;
    const int count = attempt.size();
    const int answered = qMin(count, int(attempt.answers.size()));
    result.rowPoints.resize(rowWidth > 0 ? (count + rowWidth - 1) / rowWidth : 0);
    int last = answered - 1;
    while (last >= 0 && !attempt.answers.at(last))
        --last;
    for (int i = 0; i <= last; ++i) {
        const char answer = attempt.answers.at(i);
        if (answer && answer == attempt.given.at(i)) {
            ++result.correctDigits;
            if (rowWidth > 0)
                ++result.rowPoints[i / rowWidth];
        } else {
            // Where the user stopped is no error; a gap before it is.
            ++result.errors;
        }
    }
    result.totalPoints = result.correctDigits;
    return result;
}

ScoringRule::Text MemoryLeagueRule::text() const
{
    return {454, "Memory League: jedes richtige Element ein Punkt, Fehler kosten nichts (memoryleague.com)"};
}
