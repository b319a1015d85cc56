// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/championship_points.h"

#include <QtMath>

double ChampionshipPoints(const ChampionshipStandard& standard, const PointsInput& input)
{
    const double score = qMax(0, input.score);
    switch (standard.formula) {
    case PointsFormula::PerStandard:
        return score / standard.value * 1000.0;
    case PointsFormula::Spoken:
        return qSqrt(score) * standard.value;
    case PointsFormula::SpeedCards: {
        if (input.cardCount <= 0)
            return 0;
        if (input.score >= input.cardCount) {
            // A time of 0 would give infinitely many points: a tenth is the
            // shortest the clock tells apart.
            const double seconds = qBound(0.1, input.memoSeconds, SpeedCardsFullSeconds);
            return standard.value / qPow(seconds, 0.75);
        }
        return standard.value / qPow(SpeedCardsFullSeconds, 0.75) * score / input.cardCount;
    }
    }
    return 0;
}
