// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/clock_text.h"

#include "core/formats.h"

static QString hhmmss(quint64 seconds)
{
    const quint64 hours = (seconds / 3600) % 24;
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString ClockText(quint32 elapsedMs)
{
    return hhmmss(elapsedMs / 1000) + DecimalSeparator() + QString::number((elapsedMs / 100) % 10);
}

QString LimitText(int minutes)
{
    return hhmmss(quint64(qMax(minutes, 0)) * 60);
}

QString RunningSecondsText(quint32 elapsedMs)
{
    return FormatFixed(elapsedMs / 1000.0, 1);
}

QString FinalSecondsText(quint32 elapsedMs)
{
    return FormatFixed(elapsedMs / 1000.0, 2);
}
