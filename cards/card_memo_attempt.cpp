// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_memo_attempt.h"

#include "cards/card_rules.h"
#include "core/formats.h"
#include "training/card_scoring_rule.h"
#include "training/faster_points_offer.h"

CardMemoAttempt::CardMemoAttempt() : flow_(DisciplineOf(CardsMemo)), entry_(0, RowWidth) {}

const CardScoringRule& CardMemoAttempt::ruleOf(const AttemptRecord::Setting& setting)
{
    return CardScoringRuleOf(DisciplineOf(CardsMemo).scoringOf(setting));
}

const CardScoringRule& CardMemoAttempt::rule() const
{
    return ruleOf(setting());
}

void CardMemoAttempt::begin(const AttemptRecord::Setting& setting, QByteArray dealt, quint32 tick)
{
    flow_.begin(setting);
    flow_.setGiven(std::move(dealt));
    entry_.reset(0);
    perView_ = qBound(1, setting.perLine.value_or(1), 3);
    flow_.startMemorising(tick);
    view_ = 0;
    showView(0, tick);
}

int CardMemoAttempt::viewCount() const
{
    return (cardCount() + perView_ - 1) / perView_;
}

DrillGroup CardMemoAttempt::onShow() const
{
    const int first = view_ * perView_;
    return DrillGroup{first, qMax(0, qMin(perView_, cardCount() - first))};
}

bool CardMemoAttempt::showView(int view, quint32 tick)
{
    if (phase() != ScoredAttempt::Memorising || view < 0 || view >= viewCount())
        return false;
    view_ = view;
    const DrillGroup group = onShow();
    flow_.showItems(group.first, group.size, tick);
    return true;
}

bool CardMemoAttempt::forward(quint32 tick)
{
    return showView(view_ + 1, tick);
}

bool CardMemoAttempt::back(quint32 tick)
{
    return showView(view_ - 1, tick);
}

void CardMemoAttempt::startRecalling(quint32 tick)
{
    flow_.startRecalling(tick);
    entry_.reset(cardCount());
}

std::optional<CardEdit> CardMemoAttempt::kept(std::optional<CardEdit> edit, quint32 tick)
{
    if (edit)
        flow_.answer(edit->place, edit->face, tick);
    return edit;
}

std::optional<CardEdit> CardMemoAttempt::type(QChar key, quint32 tick)
{
    if (phase() != ScoredAttempt::Recalling)
        return std::nullopt;
    return kept(entry_.type(key), tick);
}

std::optional<CardEdit> CardMemoAttempt::backspace(quint32 tick)
{
    if (phase() != ScoredAttempt::Recalling)
        return std::nullopt;
    return kept(entry_.backspace(), tick);
}

std::optional<CardEdit> CardMemoAttempt::erase(quint32 tick)
{
    if (phase() != ScoredAttempt::Recalling)
        return std::nullopt;
    return kept(entry_.erase(), tick);
}

std::optional<CardEdit> CardMemoAttempt::pick(int face, quint32 tick)
{
    if (phase() != ScoredAttempt::Recalling)
        return std::nullopt;
    return kept(entry_.pick(face), tick);
}

bool CardMemoAttempt::move(CardRecallEntry::Move move)
{
    return phase() == ScoredAttempt::Recalling && entry_.move(move);
}

bool CardMemoAttempt::moveTo(int place)
{
    return phase() == ScoredAttempt::Recalling && entry_.moveTo(place);
}

const ScoreResult& CardMemoAttempt::end(quint32 tick)
{
    return flow_.end(tick, rule(), CardsPerDeck);
}

bool CardMemoAttempt::timeCounts() const
{
    return rule().timeCounts(score().totalPoints, cardCount());
}

bool CardMemoAttempt::offersRecord(const FasterPointsOffer& offer) const
{
    return offer.offersRecord(score().totalPoints, flow_.memoTimeUsed(), timeCounts());
}

QString CardMemoAttempt::settingText(const AttemptRecord::Setting& s)
{
    return QStringLiteral("%1 Karten, %2 pro Zeile, Memorieren %3 min, Wiedergabe %4 min")
        .arg(s.count.value_or(0))
        .arg(s.perLine.value_or(1))
        .arg(s.memoMinutes.value_or(0))
        .arg(s.recallMinutes.value_or(0));
}

QString CardMemoAttempt::ruleText() const
{
    const double memoSeconds = flow_.memoTimeUsed();
    const QString time = timeCounts()
                             ? QStringLiteral("Die Memorierzeit von %1 s zählt.").arg(FormatFixed(memoSeconds, 2))
                             : QStringLiteral("Die Memorierzeit zählt nicht, da nicht alle Karten richtig sind.");
    return rule().name() + QLatin1Char('\n') + time;
}
