// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/attempt_columns.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace {

QVariant nullable(const std::optional<int>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
}

QVariant nullable(const std::optional<double>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

std::optional<int> optionalInt(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
}

std::optional<double> optionalDouble(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

} // namespace

const QString& AttemptColumns::List()
{
    static const QString list = QStringLiteral(
        "discipline, count, per_line, memo_minutes, recall_minutes, pulse_ms, "
        "run_seconds, points, correct_digits, marked_errors, memo_seconds_used, recall_seconds_used, "
        "completed, saved_as_record, started_utc, utc_offset_s");
    return list;
}

QString AttemptColumns::SameAs()
{
    // "IS" matches an empty field to an empty one, where "=" never would.
    QStringList same;
    for (const QString& column : List().split(QStringLiteral(", ")))
        same << column + QStringLiteral(" IS ?");
    return same.join(QStringLiteral(" AND "));
}

void AttemptColumns::bindSetting(QSqlQuery& q, int discipline, const AttemptRecord::Setting& setting)
{
    q.addBindValue(discipline);
    q.addBindValue(nullable(setting.count));
    q.addBindValue(nullable(setting.perLine));
    q.addBindValue(nullable(setting.memoMinutes));
    q.addBindValue(nullable(setting.recallMinutes));
    q.addBindValue(nullable(setting.pulseMs));
}

void AttemptColumns::bind(QSqlQuery& q, const StoredAttempt& stored)
{
    const AttemptRecord& a = stored.attempt;
    bindSetting(q, a.discipline, a.setting);
    q.addBindValue(nullable(a.result.runSeconds));
    q.addBindValue(nullable(a.result.points));
    q.addBindValue(nullable(a.result.correctDigits));
    q.addBindValue(nullable(a.result.markedErrors));
    q.addBindValue(nullable(a.result.memoSecondsUsed));
    q.addBindValue(nullable(a.result.recallSecondsUsed));
    q.addBindValue(a.completed ? 1 : 0);
    q.addBindValue(a.savedAsRecord ? 1 : 0);
    q.addBindValue(UtcText(stored.started));
    q.addBindValue(stored.started.offsetFromUtc());
}

AttemptRecord::Setting AttemptColumns::readSetting(const QSqlQuery& q)
{
    AttemptRecord::Setting s;
    s.count = optionalInt(q.value(1));
    s.perLine = optionalInt(q.value(2));
    s.memoMinutes = optionalInt(q.value(3));
    s.recallMinutes = optionalInt(q.value(4));
    s.pulseMs = optionalInt(q.value(5));
    return s;
}

StoredAttempt AttemptColumns::read(const QSqlQuery& q)
{
    StoredAttempt s;
    AttemptRecord& a = s.attempt;
    a.discipline = q.value(0).toInt();
    a.setting = readSetting(q);
    a.result.runSeconds = optionalDouble(q.value(6));
    a.result.points = optionalInt(q.value(7));
    a.result.correctDigits = optionalInt(q.value(8));
    a.result.markedErrors = optionalInt(q.value(9));
    a.result.memoSecondsUsed = optionalDouble(q.value(10));
    a.result.recallSecondsUsed = optionalDouble(q.value(11));
    a.completed = q.value(12).toInt() != 0;
    a.savedAsRecord = q.value(13).toInt() != 0;
    s.started = StartedAt(q.value(14).toString(), q.value(15).toInt());
    return s;
}
