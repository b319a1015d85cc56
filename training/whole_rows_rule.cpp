// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/whole_rows_rule.h"

ScoreResult WholeRowsRule::score(const Attempt& attempt, int) const
{
    return ScoreWholeRows(DigitRows(attempt, RowWidth));
}

ScoringRule::Text WholeRowsRule::text() const
{
    return {455, "USA Memory Championship: Zeilen zu 20 ohne halbe Punkte (usamemorychampionship.com)"};
}
