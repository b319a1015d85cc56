// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/scoring_rule.h"

// The International Association of Memory's rule for numbers and binary
// digits: rows of 40 (binary 30), a row without error scores its digits, one
// error half of them rounded up, more errors nothing, and the last written row
// counts up to its last entry. Its championship points come from the IAM's
// own standards, where the table of standards holds them.
class IamRule final : public ScoringRule {
public:
    ScoreResult score(const Attempt& attempt, int rowWidth) const override;
    Text text() const override;
};
