#include "training/scoring_rule.h"

ScoreResult ChampionshipRule::score(const QVector<RowTexts>& rows) const
{
    return ScoreChampionship(rows);
}

ScoreResult FirstErrorRule::score(const QVector<RowTexts>& rows) const
{
    return ScoreFirstError(rows);
}
