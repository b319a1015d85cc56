// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/wave_sample.h"

#include <QtGlobal>
#include <memory>
#include <mutex>

// The program's sound output as a stream of 16-bit frames: one sound at a time,
// rendered into whatever the output asks for, silence when none plays.
//
// play() and stop() may be called from any thread and take effect at the next
// period boundary of the stream (every periodFrames frames), so a new sound starts,
// and the one it replaces is cut, at a frame the output places at a steady
// distance from the call. render() runs on the output's thread. A cut sound fades
// out over fadeFrames instead of stopping mid-wave, which would click; with 0 it
// stops dead.
class WaveMixer {
public:
    WaveMixer(int channels, int periodFrames, int fadeFrames);

    int channels() const { return channels_; }
    int periodFrames() const { return periodFrames_; }

    // Replaces the sound playing at the next period boundary. A sample with
    // another channel count than the stream's, or an empty one, stops only.
    void play(std::shared_ptr<const WaveSample> sample);
    // Silences from the next period boundary on.
    void stop();

    // Output thread only.
    void render(qint16* out, qsizetype frames);
    // Frames rendered so far.
    quint64 position() const { return position_; }
    // True while a sound, or the fade of a cut one, still has frames to give.
    bool isSounding() const { return current_.sample || fading_.sample; }
    // Nothing sounding and nothing asked for: all the stream would get is silence.
    // It takes the command lock, so a play() that returned before is seen.
    bool isIdle();

private:
    struct Voice {
        std::shared_ptr<const WaveSample> sample;
        qsizetype frame = 0;
    };

    void takeCommand();
    void mixCurrent(qint16* out, qsizetype frames);
    void mixFading(qint16* out, qsizetype frames);

    const int channels_;
    const int periodFrames_;
    const int fadeFrames_;

    std::mutex commandLock_;
    bool commandPending_ = false;
    std::shared_ptr<const WaveSample> commandSample_;

    // Owned by the output thread.
    Voice current_;
    Voice fading_;
    int fadeDone_ = 0;
    quint64 position_ = 0;
};
