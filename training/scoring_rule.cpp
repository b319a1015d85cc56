// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/scoring_rule.h"

#include "core/interface_text.h"
#include "training/card_scoring_rule.h"

QString ScoringRule::name(qint32 language) const
{
    const Text t = text();
    return InterfaceTextTable::builtIn().lookup(language, t.id, QString::fromUtf8(t.german));
}

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

ScoringRule::Text ChampionshipRule::text() const
{
    return {450, "Weltverband WMSC: Zeilen zu 40 (binär 30), halbe Zeile bei einem Fehler, sonst 0"};
}

ScoringRule::Text FirstErrorRule::text() const
{
    return {451, "Weltverband WMSC, gesprochene Zahlen: jede Ziffer bis zum ersten Fehler"};
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
