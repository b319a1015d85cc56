// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/scored_attempt_clock.h"

#include "core/app_context.h"
#include "training/clock_text.h"
#include "widgets/panel.h"

bool ShowScoredAttemptClock(const ScoredAttempt& attempt, AppContext& ctx, TPanel* pErgeb)
{
    const std::optional<ScoredAttempt::ClockReading> clock = attempt.clock(ctx.tickSource.now());
    if (!clock)
        return false;
    if (clock->signal)
        ctx.SRWavePlayer.play(ctx.signalSound());
    if (clock->limitReached) {
        pErgeb->setText(LimitText(clock->limitMinutes));
        return true;
    }
    pErgeb->setText(ClockText(clock->elapsedMs));
    return false;
}
