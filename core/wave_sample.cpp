// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/wave_sample.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;
constexpr int MaxChannels = 8;
// The sounds are short words and signals; anything this big is not one of them
// and would only fill the memory.
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

struct Format {
    quint16 tag = 0;
    int channels = 0;
    int sampleRate = 0;
    int blockAlign = 0;
    int bits = 0;
};

quint16 u16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 u32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

std::optional<Format> parseFormat(const char* p, quint32 size)
{
    if (size < 16)
        return std::nullopt;
    Format f;
    f.tag = u16(p);
    f.channels = u16(p + 2);
    f.sampleRate = int(std::min<quint32>(u32(p + 4), 1u << 30));
    f.blockAlign = u16(p + 12);
    f.bits = u16(p + 14);
    // The extensible header names the real format in the first two bytes of its
    // sub-format GUID.
    if (f.tag == FormatExtensible) {
        if (size < 40)
            return std::nullopt;
        f.tag = u16(p + 24);
    }
    const bool integer = f.tag == FormatPcm && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
    const bool floating = f.tag == FormatFloat && (f.bits == 32 || f.bits == 64);
    if (!integer && !floating)
        return std::nullopt;
    if (f.channels < 1 || f.channels > MaxChannels || f.sampleRate < 1000 || f.sampleRate > 768000)
        return std::nullopt;
    if (f.blockAlign != f.channels * (f.bits / 8))
        return std::nullopt;
    return f;
}

qint16 fromFloat(double v)
{
    if (!(v == v))
        return 0;
    return qint16(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0));
}

// One sample of the format at p, scaled to 16 bits; wider integers keep their
// top 16 bits.
qint16 decodeOne(const Format& f, const char* p)
{
    if (f.tag == FormatFloat) {
        if (f.bits == 32) {
            const quint32 bits = u32(p);
            float v;
            std::memcpy(&v, &bits, sizeof v);
            return fromFloat(v);
        }
        const quint64 bits = qFromLittleEndian<quint64>(p);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return fromFloat(v);
    }
    switch (f.bits) {
    case 8:
        return qint16((int(quint8(p[0])) - 128) * 256);
    case 16:
        return qint16(u16(p));
    default:
        return qint16(u16(p + f.bits / 8 - 2));
    }
}

} // namespace

WaveSample::WaveSample(int sampleRate, int channels, std::vector<qint16> pcm)
    : sampleRate_(sampleRate), channels_(channels), pcm_(std::move(pcm))
{
    if (channels_ < 1 || sampleRate_ < 1) {
        channels_ = 0;
        pcm_.clear();
    }
    pcm_.resize(pcm_.size() - pcm_.size() % std::max(channels_, 1));
}

WaveSample WaveSample::fromWave(const QByteArray& image)
{
    const char* data = image.constData();
    const qsizetype size = image.size();
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return {};
    // The RIFF size is not trusted: writers that stream leave it wrong, and a
    // truncated file no longer has what it claims.
    std::optional<Format> format;
    const char* samples = nullptr;
    qsizetype sampleBytes = 0;
    qsizetype pos = 12;
    while (pos + 8 <= size) {
        const char* chunk = data + pos;
        const qsizetype declared = u32(chunk + 4);
        const qsizetype present = std::min(declared, size - pos - 8);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && !format) {
            format = parseFormat(chunk + 8, quint32(present));
            if (!format)
                return {};
        } else if (std::memcmp(chunk, "data", 4) == 0 && !samples) {
            samples = chunk + 8;
            sampleBytes = present;
        }
        if (declared > present)
            break;
        pos += 8 + declared + (declared & 1);
    }
    if (!format || !samples)
        return {};

    const int bytesPerSample = format->bits / 8;
    const qsizetype frames = sampleBytes / format->blockAlign;
    std::vector<qint16> pcm(size_t(frames * format->channels));
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = decodeOne(*format, samples + qsizetype(i) * bytesPerSample);
    return WaveSample(format->sampleRate, format->channels, std::move(pcm));
}

WaveSample WaveSample::fromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return {};
    return fromWave(file.readAll());
}

qint64 WaveSample::durationUs() const
{
    return sampleRate_ > 0 ? qint64(frameCount()) * 1000000 / sampleRate_ : 0;
}

WaveSample WaveSample::convertedTo(int sampleRate, int channels) const
{
    if (isEmpty() || sampleRate < 1 || channels < 1)
        return {};
    if (sampleRate == sampleRate_ && channels == channels_)
        return *this;

    const qsizetype frames = frameCount();
    std::vector<qint16> mixed(size_t(frames * channels));
    for (qsizetype f = 0; f < frames; ++f) {
        const qint16* in = pcm_.data() + f * channels_;
        qint16* out = mixed.data() + f * channels;
        if (channels_ == 1) {
            std::fill(out, out + channels, in[0]);
        } else if (channels == 1) {
            int sum = 0;
            for (int c = 0; c < channels_; ++c)
                sum += in[c];
            out[0] = qint16(sum / channels_);
        } else {
            for (int c = 0; c < channels; ++c)
                out[c] = c < channels_ ? in[c] : 0;
        }
    }
    if (sampleRate == sampleRate_)
        return WaveSample(sampleRate, channels, std::move(mixed));

    const qsizetype outFrames = std::max<qsizetype>(1, std::llround(double(frames) * sampleRate / sampleRate_));
    std::vector<qint16> pcm(size_t(outFrames * channels));
    const double step = double(sampleRate_) / sampleRate;
    for (qsizetype j = 0; j < outFrames; ++j) {
        const double at = j * step;
        const qsizetype i = std::min<qsizetype>(qsizetype(at), frames - 1);
        const qsizetype next = std::min<qsizetype>(i + 1, frames - 1);
        const double frac = at - double(i);
        for (int c = 0; c < channels; ++c) {
            const double a = mixed[size_t(i * channels + c)];
            const double b = mixed[size_t(next * channels + c)];
            pcm[size_t(j * channels + c)] = qint16(std::lround(a + (b - a) * frac));
        }
    }
    return WaveSample(sampleRate, channels, std::move(pcm));
}
