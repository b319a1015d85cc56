// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt.h"
#include "core/attempt_log.h"
#include "core/championship_standards.h"
#include "core/disciplines.h"

#include <QString>
#include <optional>
#include <vector>

class ScoringRule;

// A rule set one attempt is shown under: the rule, the rows it reads the
// answers in, and whose standards turn its points into championship points.
struct RuleSet {
    const ScoringRule* rule;
    int rowWidth;      // 0: the rows of the sheet the attempt was shown on
    const char* body;  // the standards' body; null where the rule set has no championship points
};

// The rule sets of an attempt of a discipline in a setting, the one the
// discipline scores by first.
std::vector<RuleSet> RuleSetsOf(const Discipline& discipline, const AttemptRecord::Setting& setting);

// What the standards call the discipline of a setting: "numbers", "binary",
// "spoken", "cards", or "speedcards" for a setting scored as speed cards.
QString StandardsDiscipline(const Discipline& discipline, const AttemptRecord::Setting& setting);

// One attempt under one rule set.
struct RuleSetResult {
    QString name;  // the rule and its source in one line
    int points = 0;
    std::optional<double> championshipPoints;  // none without a standard for the format
    int standardYear = 0;
};

// Everything the comparison needs of an ended attempt. The attempt alone
// decides the points, so an attempt read back from the history is shown
// exactly as it was when it ended.
struct AttemptForRules {
    const Discipline* discipline;
    AttemptRecord::Setting setting;
    const Attempt* attempt;
    int sheetRowWidth = 0;
    double memoSeconds = 0;
};

std::vector<RuleSetResult> ScoreUnderRuleSets(const AttemptForRules& attempt, const ChampionshipStandards& standards,
                                              qint32 language);
