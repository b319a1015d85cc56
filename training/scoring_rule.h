#pragma once

#include "core/disciplines.h"
#include "training/scoring.h"

// The rule a window scores its recalled sheet by. Windows that differ only in
// their rule are handed the one they use instead of asking a flag.
class ScoringRule {
public:
    virtual ~ScoringRule() = default;
    virtual ScoreResult score(const QVector<RowTexts>& rows) const = 0;

protected:
    ScoringRule() = default;
    ScoringRule(const ScoringRule&) = default;
    ScoringRule& operator=(const ScoringRule&) = default;
};

// Row by row: whole rows, half rows with one error, nothing for more.
class ChampionshipRule final : public ScoringRule {
public:
    ScoreResult score(const QVector<RowTexts>& rows) const override;
};

// Every digit up to the first error, across rows, as spoken numbers are scored.
class FirstErrorRule final : public ScoringRule {
public:
    ScoreResult score(const QVector<RowTexts>& rows) const override;
};

// The rule object of a discipline's scoring. A picture run is not scored: it
// is never asked for one.
const ScoringRule& ScoringRuleOf(ScoringKind kind);
