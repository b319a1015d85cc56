// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/scoring_rule.h"

// The national rule of rows of 20 digits without half credit: a row recalled
// without error scores its digits, a row with any error nothing. In the last
// row that holds an entry the cells after it do not count, so a partly
// recalled last row scores its digits when they are all right. The rows are
// always 20 wide, whatever the width of the sheet the digits were shown on.
class WholeRowsRule final : public ScoringRule {
public:
    static constexpr int RowWidth = 20;

    ScoreResult score(const Attempt& attempt, int rowWidth) const override;
    Text text() const override;
};
