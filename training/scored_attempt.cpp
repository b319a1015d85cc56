// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/scored_attempt.h"

#include "training/scoring_rule.h"

void ScoredAttempt::begin(const AttemptRecord::Setting& setting)
{
    setting_ = setting;
    attempt_ = Attempt();
    phase_ = Memorising;
    memoMsUsed_ = 0;
    onShowFirst_ = onShowCount_ = 0;
    timeBeforeRecall_ = recallTimeUsed_ = 0;
    rowWidth_ = 0;
    score_ = ScoreResult();
}

void ScoredAttempt::setGiven(QByteArray given)
{
    attempt_.given = std::move(given);
    attempt_.answers = QByteArray(attempt_.size(), '\0');
    attempt_.answeredAtMs = QVector<qint32>(attempt_.size(), -1);
}

void ScoredAttempt::startMemorising(quint32 tick)
{
    startTick_ = tick;
}

void ScoredAttempt::showItems(int first, int count, quint32 tick)
{
    if (phase_ != Memorising)
        return;
    const int size = attempt_.size();
    if (attempt_.shownAtMs.size() != size || attempt_.lastShownAtMs.size() != size) {
        attempt_.shownAtMs = QVector<qint32>(size, -1);
        attempt_.lastShownAtMs = QVector<qint32>(size, -1);
    }
    first = qBound(0, first, size);
    count = qBound(0, count, size - first);
    // Nothing is on show past the limit, however late the tick.
    const quint32 used = AttemptClock(startTick_).usedMs(tick, setting_.memoMinutes.value_or(0));
    const qint32 ms = qint32(qMin<quint32>(used, 0x7FFFFFFF));
    // What stays on show has not gone off; what leaves goes off now.
    for (int i = onShowFirst_; i < onShowFirst_ + onShowCount_; ++i) {
        if (i < first || i >= first + count)
            attempt_.lastShownAtMs[i] = ms;
    }
    for (int i = first; i < first + count; ++i) {
        if (attempt_.shownAtMs[i] < 0)
            attempt_.shownAtMs[i] = ms;
    }
    onShowFirst_ = first;
    onShowCount_ = count;
}

void ScoredAttempt::takeOffShow(int first, int count, qint32 ms)
{
    for (int i = first; i < first + count && i < attempt_.lastShownAtMs.size(); ++i)
        attempt_.lastShownAtMs[i] = ms;
}

std::optional<int> ScoredAttempt::limitMinutes() const
{
    switch (phase_) {
    case Memorising:
        return discipline_->memoTimeIsUsers() ? setting_.memoMinutes : std::nullopt;
    case Recalling:
        return setting_.recallMinutes;
    case Idle:
        break;
    }
    return std::nullopt;
}

std::optional<ScoredAttempt::ClockReading> ScoredAttempt::clock(quint32 tick) const
{
    const std::optional<int> minutes = limitMinutes();
    if (!minutes)
        return std::nullopt;
    const AttemptClock phaseClock(startTick_);
    ClockReading reading;
    reading.elapsedMs = phaseClock.elapsedMs(tick);
    reading.signal = phaseClock.isSignalSecond(tick, *minutes);
    reading.limitReached = phaseClock.limitReached(tick, *minutes);
    reading.limitMinutes = *minutes;
    return reading;
}

void ScoredAttempt::startRecalling(quint32 tick)
{
    const AttemptClock memoClock(startTick_);
    // Listening to spoken digits takes none of the user's own time.
    if (discipline_->memoTimeIsUsers()) {
        memoMsUsed_ = memoClock.usedMs(tick, setting_.memoMinutes.value_or(0));
        timeBeforeRecall_ = memoTimeUsed();
    } else {
        memoMsUsed_ = 0;
        timeBeforeRecall_ = memoClock.elapsedMs(tick) / 1000.0;
    }
    // What was on show was so until memorising ended, at its limit at the latest.
    takeOffShow(onShowFirst_, onShowCount_, qint32(qMin<quint32>(memoMsUsed_, 0x7FFFFFFF)));
    onShowCount_ = 0;
    startTick_ = tick;
    phase_ = Recalling;
}

void ScoredAttempt::answer(int index, char value, quint32 tick)
{
    if (phase_ != Recalling || index < 0 || index >= attempt_.size())
        return;
    attempt_.answers[index] = value;
    attempt_.answeredAtMs[index] = qint32(ElapsedMs(startTick_, tick));
}

const ScoreResult& ScoredAttempt::end(quint32 tick, const ScoringRule& rule, int rowWidth)
{
    recallTimeUsed_ = AttemptClock(startTick_).usedMs(tick, setting_.recallMinutes.value_or(0)) / 1000.0;
    phase_ = Idle;
    rowWidth_ = rowWidth;
    score_ = rule.score(attempt_, rowWidth);
    return score_;
}

AttemptRecord ScoredAttempt::record() const
{
    AttemptRecord attempt;
    attempt.discipline = discipline_->code;
    attempt.setting = setting_;
    attempt.result.points = score_.totalPoints;
    attempt.result.correctDigits = score_.correctDigits;
    attempt.result.markedErrors = score_.errors;
    // The history dates the attempt from its START, so it keeps the time before
    // recall even where the records table keeps none.
    attempt.result.memoSecondsUsed = timeBeforeRecall_;
    attempt.result.recallSecondsUsed = recallTimeUsed_;
    attempt.items = attempt_;
    attempt.itemsPerRow = rowWidth_;
    return attempt;
}
