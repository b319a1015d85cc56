#pragma once

#include "core/attempt_log.h"

#include <QDateTime>
#include <QString>

// An attempt as the history holds it: what the window reported and when it began,
// in the local time of that moment.
struct StoredAttempt {
    AttemptRecord attempt;
    QDateTime started;
    // Its row in the history, 0 for one not stored yet.
    qint64 id = 0;
};

// A start is kept as its UTC time in ISO text with milliseconds (which sorts as
// it happened, across changes of the clock) and the offset the local time had.
QString UtcText(const QDateTime& time);
QDateTime StartedAt(const QString& utcText, int utcOffsetSeconds);
