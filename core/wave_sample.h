// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <vector>

// A wave file's sound as 16-bit signed PCM, decoded once, so that starting it
// needs neither file access nor parsing. Frames are interleaved by channel.
// A sample that could not be decoded is empty and plays as nothing.
class WaveSample {
public:
    WaveSample() = default;
    WaveSample(int sampleRate, int channels, std::vector<qint16> pcm);

    // Decodes a RIFF WAVE image: uncompressed integer PCM of 8 to 32 bits or 32-bit
    // float, plain or in the extensible header, any channel count up to 8. A data
    // chunk cut short by a truncated file keeps its whole frames; a file that is
    // not a wave file, or in a compressed format, gives an empty sample.
    static WaveSample fromWave(const QByteArray& image);
    static WaveSample fromFile(const QString& fileName);

    bool isEmpty() const { return pcm_.empty(); }
    int sampleRate() const { return sampleRate_; }
    int channels() const { return channels_; }
    qsizetype frameCount() const { return channels_ > 0 ? qsizetype(pcm_.size()) / channels_ : 0; }
    const std::vector<qint16>& pcm() const { return pcm_; }
    qint64 durationUs() const;

    // The same sound at another rate and channel count: linear interpolation
    // between frames, mono spread to every channel, several channels to mono by
    // their mean, otherwise the first channels kept.
    WaveSample convertedTo(int sampleRate, int channels) const;

private:
    int sampleRate_ = 0;
    int channels_ = 0;
    std::vector<qint16> pcm_;
};
