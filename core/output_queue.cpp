// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/output_queue.h"

#include <algorithm>

namespace {

// Beyond the queue itself, what a feed may be late in seeing the mixer fall
// silent.
constexpr qint64 SilenceMarginMs = 10;

} // namespace

void OutputQueue::opened(qint64 nowMs)
{
    openMs_ = wantedMs_;
    primed_ = false;
    dryMs_ = nowMs;
    soundMs_ = nowMs;
}

void OutputQueue::refilled(qint64 nowMs)
{
    primed_ = false;
    soundMs_ = nowMs;
}

void OutputQueue::fed(qint64 nowMs, qint64 room, qint64 emptyRoom, bool sounding)
{
    if (sounding)
        soundMs_ = nowMs;
    // The server offers a whole queue only when nothing is left in it.
    const bool dry = primed_ && room >= emptyRoom;
    primed_ = true;
    if (dry) {
        dryMs_ = nowMs;
        wantedMs_ = std::min(openMs_ + StepMs, MaxMs);
    } else if (openMs_ > MinMs && nowMs - dryMs_ > StepBackAfterMs) {
        dryMs_ = nowMs;
        wantedMs_ = std::max(openMs_ - StepMs, MinMs);
    }
}

bool OutputQueue::reopenNow(qint64 nowMs) const
{
    return wantedMs_ != openMs_ && silentMs(nowMs) > openMs_ + SilenceMarginMs;
}
