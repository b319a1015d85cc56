// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/card_decks_rule.h"

namespace {

char answerAt(const Attempt& attempt, int i)
{
    return i < attempt.answers.size() ? attempt.answers.at(i) : 0;
}

// The last place in [first, end) that holds an answer, or -1.
int lastAnswerIn(const Attempt& attempt, int first, int end)
{
    for (int i = end - 1; i >= first; --i) {
        if (answerAt(attempt, i))
            return i;
    }
    return -1;
}

int deckPoints(int cards, int errors)
{
    if (errors == 0)
        return cards;
    if (errors == 1)
        return (cards + 1) / 2;
    return 0;
}

} // namespace

ScoreResult CardDecksRule::score(const Attempt& attempt, int rowWidth) const
{
    ScoreResult result;
    const int count = attempt.size();
    const int decks = rowWidth > 0 ? (count + rowWidth - 1) / rowWidth : 0;
    result.rowPoints.resize(decks);
    // Walking back from the last deck, the first one with an answer is where the
    // user stopped.
    bool lastWrittenPending = true;
    for (int d = decks - 1; d >= 0; --d) {
        const int first = d * rowWidth;
        int end = qMin(count, first + rowWidth);
        const int last = lastAnswerIn(attempt, first, end);
        if (last < 0)
            continue;
        if (lastWrittenPending) {
            lastWrittenPending = false;
            end = last + 1;
        }
        int errors = 0;
        for (int i = first; i < end; ++i) {
            const char answer = answerAt(attempt, i);
            if (answer && answer == attempt.given.at(i))
                ++result.correctDigits;
            else
                ++errors;
        }
        result.rowPoints[d] = deckPoints(end - first, errors);
        result.totalPoints += result.rowPoints[d];
        result.errors += errors;
    }
    return result;
}

ScoringRule::Text CardDecksRule::text() const
{
    return {453, "Stapelwertung (WMSC): fehlerfreier Stapel ganz, mit einem Fehler halb, sonst 0"};
}

bool CardDecksRule::timeCounts(int, int) const
{
    return true;
}
