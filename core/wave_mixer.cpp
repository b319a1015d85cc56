// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/wave_mixer.h"

#include <algorithm>
#include <cstring>
#include <utility>

WaveMixer::WaveMixer(int channels, int periodFrames, int fadeFrames)
    : channels_(std::max(channels, 1)), periodFrames_(std::max(periodFrames, 1)), fadeFrames_(std::max(fadeFrames, 0))
{
}

void WaveMixer::play(std::shared_ptr<const WaveSample> sample)
{
    if (sample && (sample->isEmpty() || sample->channels() != channels_))
        sample.reset();
    // The sample a pending command no longer needs is released outside the lock.
    std::shared_ptr<const WaveSample> replaced;
    {
        const std::lock_guard<std::mutex> lock(commandLock_);
        replaced = std::exchange(commandSample_, std::move(sample));
        commandPending_ = true;
    }
}

void WaveMixer::stop()
{
    play(nullptr);
}

bool WaveMixer::isIdle()
{
    if (isSounding())
        return false;
    const std::lock_guard<std::mutex> lock(commandLock_);
    return !commandPending_;
}

void WaveMixer::takeCommand()
{
    std::shared_ptr<const WaveSample> next;
    {
        const std::lock_guard<std::mutex> lock(commandLock_);
        if (!commandPending_)
            return;
        commandPending_ = false;
        next = std::move(commandSample_);
    }
    if (current_.sample && fadeFrames_ > 0) {
        fading_ = std::move(current_);
        fadeDone_ = 0;
    }
    current_ = Voice{std::move(next), 0};
}

void WaveMixer::render(qint16* out, qsizetype frames)
{
    while (frames > 0) {
        const qsizetype intoPeriod = qsizetype(position_ % quint64(periodFrames_));
        if (intoPeriod == 0)
            takeCommand();
        const qsizetype n = std::min(frames, qsizetype(periodFrames_) - intoPeriod);
        std::memset(out, 0, size_t(n * channels_) * sizeof(qint16));
        mixCurrent(out, n);
        mixFading(out, n);
        out += n * channels_;
        frames -= n;
        position_ += quint64(n);
    }
}

void WaveMixer::mixCurrent(qint16* out, qsizetype frames)
{
    if (!current_.sample)
        return;
    const qsizetype left = current_.sample->frameCount() - current_.frame;
    const qsizetype n = std::min(frames, left);
    std::memcpy(out, current_.sample->pcm().data() + current_.frame * channels_, size_t(n * channels_) * sizeof(qint16));
    current_.frame += n;
    if (current_.frame >= current_.sample->frameCount())
        current_ = Voice{};
}

void WaveMixer::mixFading(qint16* out, qsizetype frames)
{
    if (!fading_.sample)
        return;
    const qsizetype left = std::min(fading_.sample->frameCount() - fading_.frame, qsizetype(fadeFrames_ - fadeDone_));
    const qsizetype n = std::min(frames, left);
    const qint16* in = fading_.sample->pcm().data() + fading_.frame * channels_;
    for (qsizetype f = 0; f < n; ++f) {
        const int gain = fadeFrames_ - fadeDone_ - int(f);
        for (int c = 0; c < channels_; ++c) {
            const qsizetype i = f * channels_ + c;
            const int mixed = out[i] + in[i] * gain / (fadeFrames_ + 1);
            out[i] = qint16(std::clamp(mixed, -32768, 32767));
        }
    }
    fading_.frame += n;
    fadeDone_ += int(n);
    if (n == left)
        fading_ = Voice{};
}
