// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/card_scoring_rule.h"

// The longer card trials, deck by deck: a deck recalled without error scores
// its cards (52), with one error half of them rounded up (26), with more
// nothing. A wrong card and a place left empty are errors alike, except in
// the last deck that holds an answer: there the places after the last answer
// are not counted, so a deck recalled only partly scores the cards up to where
// the user stopped. A deck without any answer scores nothing and counts no
// errors. At equal points the shorter memorisation time wins.
class CardDecksRule final : public CardScoringRule {
public:
    ScoreResult score(const Attempt& attempt, int rowWidth) const override;
    Text text() const override;
    bool timeCounts(int points, int cardCount) const override;
};
