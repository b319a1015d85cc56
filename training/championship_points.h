// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/championship_standards.h"

// The championship points of a result under a standard.
struct PointsInput {
    int score = 0;           // the points of the rule the standard belongs to
    double memoSeconds = 0;  // memorisation time used, for speed cards
    int cardCount = 0;       // cards of a speed-cards attempt
};

// PerStandard: score / value x 1000. SpeedCards: a deck recalled right to its
// end gives value / t^0.75 of its memorisation seconds; a shorter run of right
// cards counts as memorised in the whole five minutes, in proportion to the
// deck. Spoken: sqrt(score) x value. Nothing below 0 points.
double ChampionshipPoints(const ChampionshipStandard& standard, const PointsInput& input);

// The longest speed-cards memorisation, in seconds, at which the formula is taken.
inline constexpr double SpeedCardsFullSeconds = 300;
