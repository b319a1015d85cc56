// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/pulse_schedule.h"

// Ticks are compared by their signed distance, which stays right across a wrap of
// the counter as long as the two lie within 24 days of each other; the longest
// schedule the window allows (1000 digits at 10 s) takes under 3 hours.

// An interval of at least 1 ms keeps every pulse after the one before it.
PulseSchedule::PulseSchedule(quint32 startTick, int intervalMs, int digitCount)
    : startTick_(startTick), intervalMs_(qMax(intervalMs, 1)), digitCount_(qMax(digitCount, 0))
{
}

quint32 PulseSchedule::dueTick(int pulse) const
{
    return startTick_ + quint32(qint64(pulse - 1) * intervalMs_);
}

int PulseSchedule::msUntil(int pulse, quint32 nowTick) const
{
    const qint32 ahead = qint32(dueTick(pulse) - nowTick);
    return ahead > 0 ? ahead : 0;
}

int PulseSchedule::pulseDueAt(quint32 nowTick) const
{
    const qint32 elapsed = qint32(nowTick - startTick_);
    if (elapsed < 0)
        return 0;
    return int(qMin<qint64>(elapsed / intervalMs_ + 1, qint64(digitCount_) + 1));
}
