// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/attempt_clock.h"

namespace {

constexpr qint64 MsPerMinute = 60000;
constexpr int TenthsBeforeLimit[] = {100, 50, 40, 30, 20, 10};

} // namespace

bool AttemptClock::limitReached(quint32 nowTick, int limitMinutes) const
{
    return qint64(elapsedMs(nowTick)) >= qint64(limitMinutes) * MsPerMinute;
}

quint32 AttemptClock::usedMs(quint32 nowTick, int limitMinutes) const
{
    const qint64 limit = qint64(limitMinutes) * MsPerMinute;
    return limitReached(nowTick, limitMinutes) ? quint32(qMin<qint64>(limit, 0xFFFFFFFFll)) : elapsedMs(nowTick);
}

bool AttemptClock::isSignalSecond(quint32 nowTick, int limitMinutes) const
{
    const qint64 limitTenths = qint64(limitMinutes) * 600;
    const qint64 elapsedTenths = elapsedMs(nowTick) / 100;
    for (int before : TenthsBeforeLimit) {
        if (elapsedTenths == limitTenths - before)
            return true;
    }
    return false;
}
