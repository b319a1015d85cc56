// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"
#include "history/attempt_mark.h"

#include <QDateTime>
#include <QString>

// An attempt as the history holds it: what the window reported and when it began,
// in the local time of that moment.
struct StoredAttempt {
    AttemptRecord attempt;
    QDateTime started;
    // The row of the file it was read from (0 before it is in the file), and
    // whether the user set it aside.
    qint64 id = 0;
    AttemptMark mark = AttemptMark::Counted;
};

// A start is kept as its UTC time in ISO text with milliseconds (which sorts as
// it happened, across changes of the clock) and the offset the local time had.
QString UtcText(const QDateTime& time);
QDateTime StartedAt(const QString& utcText, int utcOffsetSeconds);
