// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "bench/sound_match.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Coarse = 4;
// The frame-by-frame search reaches this far around the coarse best, wider than
// the period of a tone whose neighbouring peaks the coarse search may confuse.
constexpr int FineReach = 40;

std::vector<double> decimated(const qint16* data, qsizetype frames)
{
    std::vector<double> out(size_t(frames / Coarse));
    for (size_t i = 0; i < out.size(); ++i) {
        double sum = 0;
        for (int j = 0; j < Coarse; ++j)
            sum += data[i * Coarse + j];
        out[i] = sum / Coarse;
    }
    return out;
}

template <class T>
double correlationAt(const std::vector<T>& rec, const std::vector<T>& tpl, qsizetype lag, double tplEnergy)
{
    double cross = 0;
    double energy = 0;
    const qsizetype n = std::min<qsizetype>(qsizetype(tpl.size()), qsizetype(rec.size()) - lag);
    for (qsizetype i = 0; i < n; ++i) {
        const double r = rec[size_t(lag + i)];
        cross += r * tpl[size_t(i)];
        energy += r * r;
    }
    return energy > 0 && tplEnergy > 0 ? cross / std::sqrt(energy * tplEnergy) : 0;
}

template <class T>
double energyOf(const std::vector<T>& v)
{
    double e = 0;
    for (T x : v)
        e += double(x) * x;
    return e;
}

} // namespace

SoundMatch FindSound(const std::vector<qint16>& recording, const WaveSample& sound, qsizetype from, qsizetype to,
                     qsizetype slotEnd)
{
    SoundMatch match;
    const qsizetype length = sound.frameCount();
    from = std::max<qsizetype>(from, 0);
    to = std::min<qsizetype>(to, qsizetype(recording.size()) - 1);
    if (length < Coarse * 8 || to <= from)
        return match;

    // Coarse search on quarter-rate copies, then frame by frame around the best.
    const qsizetype spanEnd = std::min<qsizetype>(qsizetype(recording.size()), to + length);
    const std::vector<double> rec = decimated(recording.data() + from, spanEnd - from);
    const std::vector<double> tpl = decimated(sound.pcm().data(), length);
    const double tplEnergy = energyOf(tpl);
    qsizetype bestLag = 0;
    double best = -2;
    for (qsizetype lag = 0; lag <= (to - from) / Coarse; ++lag) {
        const double c = correlationAt(rec, tpl, lag, tplEnergy);
        if (c > best) {
            best = c;
            bestLag = lag;
        }
    }
    const std::vector<qint16> full(recording.begin() + from, recording.begin() + spanEnd);
    const std::vector<qint16>& pcm = sound.pcm();
    const double pcmEnergy = energyOf(pcm);
    best = -2;
    for (qsizetype lag = std::max<qsizetype>(0, bestLag * Coarse - FineReach);
         lag <= std::min(to - from, bestLag * Coarse + FineReach); ++lag) {
        const double c = correlationAt(full, pcm, lag, pcmEnergy);
        if (c > best) {
            best = c;
            match.onset = from + lag;
        }
    }
    match.correlation = best;

    // Millisecond by millisecond: loud where the file is above 1 % of its peak,
    // heard where the recording there differs from it by less than half its level.
    const int window = std::max(1, sound.sampleRate() / 1000);
    int peak = 0;
    for (qint16 v : pcm)
        peak = std::max(peak, std::abs(int(v)));
    const double loudEnergy = double(window) * (peak / 100.0) * (peak / 100.0);
    qsizetype firstLoud = -1;
    qsizetype heardFrom = -1;
    bool ended = false;
    for (qsizetype start = 0; start + window <= length; start += window) {
        double fileEnergy = 0;
        double error = 0;
        for (qsizetype i = start; i < start + window; ++i) {
            const double f = pcm[size_t(i)];
            const qsizetype at = match.onset + i;
            const double r = at < std::min<qsizetype>(slotEnd, qsizetype(recording.size())) ? recording[size_t(at)] : 0;
            fileEnergy += f * f;
            error += (r - f) * (r - f);
        }
        if (fileEnergy < loudEnergy)
            continue;
        if (firstLoud < 0)
            firstLoud = start;
        match.loudFrames = start + window - firstLoud;
        const bool heard = error <= 0.25 * fileEnergy;
        if (heard && heardFrom < 0)
            heardFrom = start;
        if (heardFrom >= 0 && !ended) {
            if (heard)
                match.heardFrames = start + window - heardFrom;
            else
                ended = true;
        }
    }
    return match;
}
