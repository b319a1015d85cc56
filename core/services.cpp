// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/services.h"

#include <chrono>

quint32 SteadyTickSource::now()
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<quint32>(ms.count());
}

int SeededRandom::next(int n)
{
    if (n <= 1)
        return 0;
    std::uniform_int_distribution<int> dist(0, n - 1);
    return dist(engine_);
}

void SeededRandom::Randomize()
{
    engine_.seed(clockSeed());
}

quint64 clockSeed()
{
    return static_cast<quint64>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}
