// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QtGlobal>

// When the spoken-numbers window speaks each digit and when recall begins.
// Pulses are numbered from 1: pulse k speaks digit k, and pulse digitCount + 1
// starts recall. Every due time is counted from START's tick, never from the
// pulse before, so a timer that fires late delays only its own digit; a window
// arms its timer for msUntil(next pulse, now) after each pulse.
class PulseSchedule {
public:
    PulseSchedule() = default;
    PulseSchedule(quint32 startTick, int intervalMs, int digitCount);

    quint32 startTick() const { return startTick_; }
    int intervalMs() const { return intervalMs_; }

    // START + (pulse - 1) x interval, wrapping with the tick counter.
    quint32 dueTick(int pulse) const;
    quint32 recallTick() const { return dueTick(digitCount_ + 1); }

    // Milliseconds from nowTick until the pulse is due; 0 once it is due.
    int msUntil(int pulse, quint32 nowTick) const;

    // The latest pulse due at nowTick: 0 before START, then the digit whose turn
    // it is, and digitCount + 1 from the time recall is due.
    int pulseDueAt(quint32 nowTick) const;

private:
    quint32 startTick_ = 0;
    int intervalMs_ = 1;
    int digitCount_ = 0;
};
