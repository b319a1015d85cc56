#include "training/scoring_rule.h"

#include "training/card_scoring_rule.h"

QVector<RowTexts> DigitRows(const Attempt& attempt, int rowWidth)
{
    const int count = attempt.size();
    QVector<RowTexts> rows((count + rowWidth - 1) / rowWidth);
    for (int i = 0; i < count; ++i) {
        RowTexts& row = rows[i / rowWidth];
        row.given += QChar::fromLatin1(attempt.given.at(i));
        const char answer = i < attempt.answers.size() ? attempt.answers.at(i) : 0;
        row.recalled += answer ? QChar::fromLatin1(answer) : QLatin1Char(' ');
    }
    return rows;
}

ScoreResult ChampionshipRule::score(const Attempt& attempt, int rowWidth) const
{
    return ScoreChampionship(DigitRows(attempt, rowWidth));
}

ScoreResult FirstErrorRule::score(const Attempt& attempt, int rowWidth) const
{
    return ScoreFirstError(DigitRows(attempt, rowWidth));
}

const ScoringRule& ScoringRuleOf(ScoringKind kind)
{
    static const ChampionshipRule championship;
    static const FirstErrorRule untilFirstError;
    if (kind == ScoringKind::SpeedCards || kind == ScoringKind::CardDecks)
        return CardScoringRuleOf(kind);
    return kind == ScoringKind::FirstError ? static_cast<const ScoringRule&>(untilFirstError) : championship;
}
