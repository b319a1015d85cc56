// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt.h"
#include "core/disciplines.h"
#include "training/scoring.h"

#include <QString>

// The rule an attempt's answers are scored by. Windows that differ only in
// their rule are handed the one they use instead of asking a flag. A rule reads
// the attempt's data, the material given and the answers item by item (0 for
// none), in rows of rowWidth items: rows of digits on a sheet, decks of cards.
class ScoringRule {
public:
    // A rule's line of text: an interface text and its German default.
    struct Text {
        int id;
        const char* german;
    };

    virtual ~ScoringRule() = default;
    virtual ScoreResult score(const Attempt& attempt, int rowWidth) const = 0;
    // Who sets the rule, what it counts and where it is published.
    virtual Text text() const = 0;
    // That text in one line, in the given language (1 English, else German).
    QString name(qint32 language = 0) const;

protected:
    ScoringRule() = default;
    ScoringRule(const ScoringRule&) = default;
    ScoringRule& operator=(const ScoringRule&) = default;
};

// Row by row: whole rows, half rows with one error, nothing for more.
class ChampionshipRule final : public ScoringRule {
public:
    ScoreResult score(const Attempt& attempt, int rowWidth) const override;
    Text text() const override;
};

// Every digit up to the first error, across rows, as spoken numbers are scored.
class FirstErrorRule final : public ScoringRule {
public:
    ScoreResult score(const Attempt& attempt, int rowWidth) const override;
    Text text() const override;
};

// The rows of digits an attempt's answers make, as the row rules read them: an
// answer as its character, a cell without one as a blank.
QVector<RowTexts> DigitRows(const Attempt& attempt, int rowWidth);

// The rule object of a discipline's scoring. A picture run is not scored: it
// is never asked for one.
const ScoringRule& ScoringRuleOf(ScoringKind kind);
