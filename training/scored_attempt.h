// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt.h"
#include "core/attempt_log.h"
#include "core/disciplines.h"
#include "training/attempt_clock.h"
#include "training/scoring.h"

class ScoringRule;

// A scored attempt: its material memorised (from a sheet, or heard) against a
// limit, typed back against a second limit, and scored. Every moment is handed in
// as a tick, so a test moves the attempt by hand. The attempt keeps its material,
// the answers and when each answer was typed; the sheets only show them.
class ScoredAttempt {
public:
    enum Phase : quint8 { Idle = 0, Memorising = 1, Recalling = 2 };

    explicit ScoredAttempt(const Discipline& discipline) : discipline_(&discipline) {}

    const Discipline& discipline() const { return *discipline_; }
    Phase phase() const { return phase_; }
    const AttemptRecord::Setting& setting() const { return setting_; }
    const Attempt& attempt() const { return attempt_; }
    int digitCount() const { return attempt_.size(); }

    // START: a new attempt with this setting, memorising from now on; the
    // material follows, the clock starts once it is on show.
    void begin(const AttemptRecord::Setting& setting);
    void setGiven(QByteArray given);
    void startMemorising(quint32 tick);
    // While memorising material looked through piece by piece: count items from
    // first are on show from tick on, and what was on show before and is not now
    // went off at tick. Each item keeps when it first came on show and when it
    // was last on show.
    void showItems(int first, int count, quint32 tick);
    // Recall from tick on, at once after memorising.
    void startRecalling(quint32 tick);
    // During recall: the answer of an item (0 clears it), typed at tick.
    void answer(int index, char value, quint32 tick);
    // The end of recall at tick; the answers scored by the rule in rows of rowWidth.
    const ScoreResult& end(quint32 tick, const ScoringRule& rule, int rowWidth);

    // The tick the phase under way started at.
    quint32 startTick() const { return startTick_; }
    // The limit of the phase under way in minutes; none while idle, and none
    // while memorising material that is heard (its own pace ends it).
    std::optional<int> limitMinutes() const;

    // What the clock of the phase under way shows at tick.
    struct ClockReading {
        quint32 elapsedMs = 0;
        bool signal = false;        // the signal sounds in this tenth
        bool limitReached = false;  // the limit has passed: the phase moves on
        int limitMinutes = 0;
    };
    std::optional<ClockReading> clock(quint32 tick) const;

    // The user's own memorisation time, up to its limit; 0 for heard material.
    quint32 memoMsUsed() const { return memoMsUsed_; }
    double memoTimeUsed() const { return memoMsUsed_ / 1000.0; }
    // The time from START to recall, whoever spent it.
    double timeBeforeRecall() const { return timeBeforeRecall_; }
    double recallTimeUsed() const { return recallTimeUsed_; }
    const ScoreResult& score() const { return score_; }

    // The ended attempt as the history keeps it.
    AttemptRecord record() const;

private:
    const Discipline* discipline_;
    AttemptRecord::Setting setting_;
    Attempt attempt_;
    Phase phase_ = Idle;
    void takeOffShow(int first, int count, qint32 ms);

    quint32 startTick_ = 0;
    // The items on show while memorising.
    int onShowFirst_ = 0;
    int onShowCount_ = 0;
    quint32 memoMsUsed_ = 0;
    double timeBeforeRecall_ = 0;
    double recallTimeUsed_ = 0;
    int rowWidth_ = 0;
    ScoreResult score_;
};
