// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt.h"
#include "core/attempt_log.h"
#include "core/disciplines.h"
#include "training/picture_drill.h"

// One run of a picture drill: the material flashed a line at a time, each press
// bringing the next line, and the time from START to the press after the last
// line. Every moment is handed in as a tick, so a test moves the run by hand.
// The run keeps its material and when each line came on show.
class PictureRun {
public:
    // No run: not under way, nothing on show.
    PictureRun() = default;
    // START at tick: the material in lines of perLine, the first line on show.
    PictureRun(QByteArray material, int perLine, quint32 tick);

    bool running() const { return running_; }
    const PictureDrill& drill() const { return drill_; }
    DrillGroup current() const { return drill_.current(); }
    const Attempt& attempt() const { return attempt_; }
    quint32 startTick() const { return startTick_; }

    // A press while the run is under way: the next line comes on show, or, on the
    // press after the last line, the run ends complete. Returns whether the run
    // is still under way.
    bool advance(quint32 tick);
    // START/STOP while the run is under way: the run ends broken off.
    void breakOff(quint32 tick);

    // While under way, the time since START; once ended, the time of the run.
    quint32 elapsedMs(quint32 tick) const;
    quint32 runMs() const { return runMs_; }
    double seconds() const { return runMs_ / 1000.0; }
    // Only a run pressed through to its end is a result.
    bool completed() const { return completed_; }
    // An ended run is offered as the record of its setting only when it is
    // complete and faster than the best time.
    bool offersRecord(double bestTime) const { return completed_ && IsNewBestTime(seconds(), bestTime); }

    // The ended run as the history keeps it.
    AttemptRecord record(DisciplineCode code) const;

private:
    void showCurrentLine(quint32 tick);
    void end(quint32 tick, bool complete);

    Attempt attempt_;
    PictureDrill drill_;
    quint32 startTick_ = 0;
    quint32 runMs_ = 0;
    bool running_ = false;
    bool completed_ = false;
};
