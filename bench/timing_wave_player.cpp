// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "bench/timing_wave_player.h"

#include <chrono>

qint64 SteadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void TimingWavePlayer::play(const QString& fileName)
{
    const qint64 begin = SteadyNs();
    real_.play(fileName);
    const qint64 end = SteadyNs();
    files << fileName;
    startsNs.push_back(begin);
    durationsUs.push_back((end - begin) / 1000.0);
}
