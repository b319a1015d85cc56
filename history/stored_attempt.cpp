// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/stored_attempt.h"

QString UtcText(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime StartedAt(const QString& utcText, int utcOffsetSeconds)
{
    QDateTime time = QDateTime::fromString(utcText, Qt::ISODateWithMs);
    if (!time.isValid())
        return time;
    time.setTimeSpec(Qt::UTC);
    return time.toOffsetFromUtc(utcOffsetSeconds);
}
