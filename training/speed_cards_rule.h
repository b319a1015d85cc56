// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/card_scoring_rule.h"

// Speed cards: a point for every card from the first up to the first wrong or
// missing one. Only a deck recalled right to the end is timed: then the shorter
// memorisation time is the better result. Every right card, wherever it lies,
// is counted as well, as the correct items of the result (what Memory League
// scores).
class SpeedCardsRule final : public CardScoringRule {
public:
    ScoreResult score(const Attempt& attempt, int rowWidth) const override;
    Text text() const override;
    bool timeCounts(int points, int cardCount) const override;
};
