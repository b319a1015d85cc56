// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QtGlobal>

// Elapsed milliseconds between two tick readings, across a wrap of the counter.
inline quint32 ElapsedMs(quint32 startTick, quint32 nowTick)
{
    return nowTick - startTick;
}

// The clock of one timed phase of an attempt (memorising, recalling, a picture
// run). It holds only the tick the phase started at; every reading is handed in,
// so the same answers come from a test's hand-moved ticks as from the system.
class AttemptClock {
public:
    AttemptClock() = default;
    explicit AttemptClock(quint32 startTick) : startTick_(startTick) {}

    quint32 startTick() const { return startTick_; }

    quint32 elapsedMs(quint32 nowTick) const { return ElapsedMs(startTick_, nowTick); }

    // A limit of so many minutes is reached once the elapsed time is no longer
    // below it.
    bool limitReached(quint32 nowTick, int limitMinutes) const;

    // The time the phase took, never more than its limit: a tick that comes late
    // (a window closed during the phase and opened again hours later) ends the
    // phase at the limit, and the user had no more than that.
    quint32 usedMs(quint32 nowTick, int limitMinutes) const;

    // Whether nowTick lies in a tenth of a second at which the signal sounds: the
    // one 10, 5, 4, 3, 2 and 1 seconds before the limit. The clock is read every
    // 100 ms, so exactly one reading falls into each such tenth unless the timer
    // skips it; then that signal is missed rather than played late.
    bool isSignalSecond(quint32 nowTick, int limitMinutes) const;

private:
    quint32 startTick_ = 0;
};
