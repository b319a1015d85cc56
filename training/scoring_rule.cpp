#include "training/scoring_rule.h"

ScoreResult ChampionshipRule::score(const QVector<RowTexts>& rows) const
{
    return ScoreChampionship(rows);
}

ScoreResult FirstErrorRule::score(const QVector<RowTexts>& rows) const
{
    return ScoreFirstError(rows);
}

const ScoringRule& ScoringRuleOf(ScoringKind kind)
{
    static const ChampionshipRule championship;
    static const FirstErrorRule untilFirstError;
    return kind == ScoringKind::FirstError ? static_cast<const ScoringRule&>(untilFirstError) : championship;
}
