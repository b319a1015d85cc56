// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QtGlobal>

// How long a queue the sound output asks the sound server to keep, and when it
// may open its stream again to change it. Times are milliseconds on any steady
// clock, passed in.
//
// A short queue keeps every sound close to its play(); a stream that runs dry
// anyway (the machine was too busy to feed it in time) cracks, so each dry run
// asks for StepMs more, up to MaxMs, and ten minutes without one give StepMs
// back. The stream may be opened again only when the mixer has been silent for
// longer than the queue holds: then nothing but silence is thrown away.
class OutputQueue {
public:
    static constexpr int MinMs = 20;
    static constexpr int MaxMs = 100;
    static constexpr int StepMs = 20;
    static constexpr qint64 StepBackAfterMs = 10 * 60 * 1000;

    // The queue a stream opened now gets.
    int wantedMs() const { return wantedMs_; }
    // A stream was opened with wantedMs().
    void opened(qint64 nowMs);
    // The stream, left to run dry in a long silence, was filled again: its
    // emptiness was no dry run, and the silence counts from now.
    void refilled(qint64 nowMs);
    // Each feed: the room the server offers, the room of an empty queue, and
    // whether the mixer had sound to give.
    void fed(qint64 nowMs, qint64 room, qint64 emptyRoom, bool sounding);
    // Since the mixer last had sound to give.
    qint64 silentMs(qint64 nowMs) const { return nowMs - soundMs_; }
    // The open stream should be opened again with wantedMs(), and may be.
    bool reopenNow(qint64 nowMs) const;

private:
    int openMs_ = MinMs;
    int wantedMs_ = MinMs;
    // The first feed of a stream finds it empty by nature.
    bool primed_ = false;
    qint64 dryMs_ = 0;
    qint64 soundMs_ = 0;
};
