// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/scored_attempt.h"

class AppContext;
class TPanel;

// One reading of the 100 ms clock of a scored attempt's phase under way: the
// signal sounds in its tenths before the limit, the clock panel shows the time,
// or, once the limit has passed, the limit itself. Returns whether the limit has
// passed, so that the window moves the attempt on as START/STOP does.
bool ShowScoredAttemptClock(const ScoredAttempt& attempt, AppContext& ctx, TPanel* pErgeb);
