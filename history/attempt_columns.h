// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/stored_attempt.h"

#include <QString>

class QSqlQuery;

// The columns of the attempts table that hold an attempt, and how an attempt maps
// onto them: the one place that knows their order.
class AttemptColumns {
public:
    // "discipline, count, per_line, ..., started_utc, utc_offset_s"
    static const QString& List();
    // "discipline IS ? AND count IS ? AND ...": a row with exactly these values.
    static QString SameAs();

    // Binds an attempt's values in the order of List().
    static void bind(QSqlQuery& q, const StoredAttempt& stored);
    // Binds the discipline and the five setting fields, List()'s first six.
    static void bindSetting(QSqlQuery& q, int discipline, const AttemptRecord::Setting& setting);

    // Reads a row selected with List(), from its first column on.
    static StoredAttempt read(const QSqlQuery& q);
    // Reads columns 1 to 5 of such a row as a setting.
    static AttemptRecord::Setting readSetting(const QSqlQuery& q);
};
