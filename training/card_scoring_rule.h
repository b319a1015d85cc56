// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/scoring_rule.h"

#include <QString>

// A rule that memorised cards are scored by, deck by deck (rows of 52). Beside
// the points the result view names the rule in one line, and between two results
// of equal points the shorter memorisation time wins only where the rule lets
// time count.
class CardScoringRule : public ScoringRule {
public:
    // Whether the memorisation time decides between results of these points in
    // an attempt of cardCount cards.
    virtual bool timeCounts(int points, int cardCount) const = 0;

protected:
    CardScoringRule() = default;
};

// The card rule of a card ScoringKind (SpeedCards or CardDecks).
const CardScoringRule& CardScoringRuleOf(ScoringKind kind);
