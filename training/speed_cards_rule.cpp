// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/speed_cards_rule.h"

namespace {

int lastAnswered(const Attempt& attempt)
{
    for (int i = qMin(attempt.size(), int(attempt.answers.size())) - 1; i >= 0; --i) {
        if (attempt.answers.at(i))
            return i;
    }
    return -1;
}

} // namespace

ScoreResult SpeedCardsRule::score(const Attempt& attempt, int rowWidth) const
{
    ScoreResult result;
    const int count = attempt.size();
    result.rowPoints.resize(rowWidth > 0 ? (count + rowWidth - 1) / rowWidth : 0);
    const int last = lastAnswered(attempt);
    bool broken = false;
    for (int i = 0; i < count; ++i) {
        const char answer = i < attempt.answers.size() ? attempt.answers.at(i) : 0;
        if (answer && answer == attempt.given.at(i)) {
            ++result.correctDigits;
            if (!broken) {
                ++result.totalPoints;
                ++result.rowPoints[i / rowWidth];
            }
            continue;
        }
        broken = true;
        // The places after the last answer are where the user stopped, not errors.
        if (i <= last)
            ++result.errors;
    }
    return result;
}

ScoringRule::Text SpeedCardsRule::text() const
{
    return {452, "Speed Cards (WMSC): bis zum ersten Fehler, die Zeit zählt nur bei allen richtig"};
}

bool SpeedCardsRule::timeCounts(int points, int cardCount) const
{
    return cardCount > 0 && points == cardCount;
}
