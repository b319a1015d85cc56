// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/best_time_text.h"

#include "core/formats.h"
#include "training/picture_drill.h"

QString BestTimeText(double bestTime, bool afterRun)
{
    if (afterRun)
        return FormatFixed(bestTime, 2) + QLatin1Char('s');
    return bestTime == NoBestTime ? QStringLiteral("99999") : FormatFixed(bestTime, 2);
}

QString TimePerLineText(double bestTime, int itemCount, int perLine)
{
    return FormatFixed(TimePerLine(bestTime, itemCount, perLine), 2) + QLatin1Char('s');
}
