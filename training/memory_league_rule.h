// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/scoring_rule.h"

// Memory League: every item recalled right counts one point, wherever it lies;
// a wrong or missing item takes nothing away. The rows only group the points.
class MemoryLeagueRule final : public ScoringRule {
public:
    ScoreResult score(const Attempt& attempt, int rowWidth) const override;
    Text text() const override;
};
