// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/rule_sets.h"

#include "training/card_scoring_rule.h"
#include "training/championship_points.h"
#include "training/iam_rule.h"
#include "training/memory_league_rule.h"
#include "training/scoring_rule.h"
#include "training/whole_rows_rule.h"

namespace {

// Cards are scored deck by deck.
constexpr int CardsPerRuleDeck = 52;

const char* const Wmsc = "WMSC";
const char* const Iam = "IAM";

const MemoryLeagueRule memoryLeague;
const IamRule iam;
const WholeRowsRule wholeRows;

} // namespace

std::vector<RuleSet> RuleSetsOf(const Discipline& discipline, const AttemptRecord::Setting& setting)
{
    const ScoringRule& own = ScoringRuleOf(discipline.scoringOf(setting));
    switch (discipline.code) {
    case NumbersMemo:
        return {{&own, 0, Wmsc}, {&iam, 0, Iam}, {&wholeRows, WholeRowsRule::RowWidth, nullptr},
                {&memoryLeague, 0, nullptr}};
    case BinaryMemo:
        return {{&own, 0, Wmsc}, {&iam, 0, Iam}, {&memoryLeague, 0, nullptr}};
    case CardsMemo:
        return {{&own, CardsPerRuleDeck, Wmsc}, {&memoryLeague, CardsPerRuleDeck, nullptr}};
    default:
        break;
    }
    return {{&own, 0, Wmsc}, {&memoryLeague, 0, nullptr}};
}

QString StandardsDiscipline(const Discipline& discipline, const AttemptRecord::Setting& setting)
{
    switch (discipline.code) {
    case NumbersMemo:
        return QStringLiteral("numbers");
    case BinaryMemo:
        return QStringLiteral("binary");
    case SpokenNumbers:
        return QStringLiteral("spoken");
    case CardsMemo:
        return discipline.scoringOf(setting) == ScoringKind::SpeedCards ? QStringLiteral("speedcards")
                                                                         : QStringLiteral("cards");
    default:
        break;
    }
    return QString();
}

std::vector<RuleSetResult> ScoreUnderRuleSets(const AttemptForRules& a, const ChampionshipStandards& standards,
                                              qint32 language)
{
    std::vector<RuleSetResult> results;
    const QString discipline = StandardsDiscipline(*a.discipline, a.setting);
    const int minutes = a.setting.memoMinutes.value_or(0);
    for (const RuleSet& set : RuleSetsOf(*a.discipline, a.setting)) {
        RuleSetResult result;
        result.name = set.rule->name(language);
        const ScoreResult score = set.rule->score(*a.attempt, set.rowWidth > 0 ? set.rowWidth : a.sheetRowWidth);
        result.points = score.totalPoints;
        const ChampionshipStandard* standard =
            set.body ? standards.find(QLatin1String(set.body), discipline, minutes) : nullptr;
        if (standard) {
            result.championshipPoints =
                ChampionshipPoints(*standard, {score.totalPoints, a.memoSeconds, a.attempt->size()});
            result.standardYear = standard->year;
        }
        results.push_back(result);
    }
    return results;
}
