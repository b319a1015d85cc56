// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/iam_rule.h"

ScoreResult IamRule::score(const Attempt& attempt, int rowWidth) const
{
    return ScoreChampionship(DigitRows(attempt, rowWidth));
}

ScoringRule::Text IamRule::text() const
{
    return {456, "IAM: Zeilen zu 40 (binär 30), halbe Zeile bei einem Fehler (iam-memory.org)"};
}
