// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/item_tables.h"

#include "core/disciplines.h"
#include "history/item_codec.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

int ItemTables::MonthOf(const QDateTime& started)
{
    const QDate day = started.date();
    return day.year() * 100 + day.month();
}

bool ItemTables::write(QSqlQuery& q, qint64 attemptId, const AttemptRecord& attempt, const QDateTime& started)
{
    if (!writeItems(q, attemptId, attempt))
        return false;
    const Discipline* discipline = FindDiscipline(attempt.discipline);
    if (!discipline || attempt.items.size() == 0)
        return true;
    ItemTally tally(discipline->alphabetSize);
    tally.add(attempt);
    return addTallies(q, attempt.discipline, MonthOf(started), tally);
}

bool ItemTables::writeItems(QSqlQuery& q, qint64 attemptId, const AttemptRecord& attempt)
{
    const Attempt& items = attempt.items;
    if (items.size() == 0)
        return true;
    q.prepare(QStringLiteral("INSERT INTO attempt_items (attempt_id, items_per_row, given, answers, times)"
                             " VALUES (?, ?, ?, ?, ?)"));
    q.addBindValue(attemptId);
    q.addBindValue(attempt.itemsPerRow);
    q.addBindValue(ItemCodec::symbols(items.given));
    q.addBindValue(ItemCodec::symbols(items.answers));
    q.addBindValue(ItemCodec::times(items));
    return q.exec();
}

bool ItemTables::addTallies(QSqlQuery& q, int discipline, int month, const ItemTally& tally)
{
    if (tally.empty())
        return true;
    // A long attempt adds a few thousand counts. They go in as number literals,
    // a few hundred rows a statement: binding nine values a row costs Qt's SQL
    // layer more than SQLite needs for the rows themselves. Only numbers this
    // program made are written so; a time sum that is not a finite number is
    // written as 0.
    const QString head = QStringLiteral(
        "INSERT INTO item_tallies (discipline, kind, size, key, month, given, wrong, ms_sum, ms_square_sum)"
        " VALUES ");
    const QString tail = QStringLiteral(
        " ON CONFLICT DO UPDATE SET given = given + excluded.given, wrong = wrong + excluded.wrong,"
        " ms_sum = ms_sum + excluded.ms_sum, ms_square_sum = ms_square_sum + excluded.ms_square_sum");
    const auto real = [](double value) { return qIsFinite(value) ? QString::number(value, 'g', 17) : QStringLiteral("0"); };
    constexpr int RowsPerStatement = 400;
    QString sql;
    int rows = 0;
    const auto flush = [&] {
        if (rows == 0)
            return true;
        sql += tail;
        const bool ok = q.exec(sql);
        sql.clear();
        rows = 0;
        return ok;
    };
    for (const auto& [place, counts] : tally.counts()) {
        sql += rows == 0 ? head : QStringLiteral(",");
        sql += QLatin1Char('(') + QString::number(discipline) + QLatin1Char(',') + QString::number(int(place.kind))
               + QLatin1Char(',') + QString::number(place.size) + QLatin1Char(',') + QString::number(place.key)
               + QLatin1Char(',') + QString::number(month) + QLatin1Char(',') + QString::number(counts.given)
               + QLatin1Char(',') + QString::number(counts.wrong) + QLatin1Char(',') + real(counts.msSum)
               + QLatin1Char(',') + real(counts.msSquareSum) + QLatin1Char(')');
        if (++rows == RowsPerStatement && !flush())
            return false;
    }
    return flush();
}

bool ItemTables::read(QSqlQuery& q, qint64 attemptId, AttemptRecord& into)
{
    q.prepare(QStringLiteral("SELECT items_per_row, given, answers, times FROM attempt_items WHERE attempt_id = ?"));
    q.addBindValue(attemptId);
    if (!q.exec())
        return false;
    into.items = Attempt();
    into.itemsPerRow = 0;
    if (!q.next())
        return !q.lastError().isValid();
    into.itemsPerRow = q.value(0).toInt();
    into.items.given = ItemCodec::symbolsFrom(q.value(1));
    into.items.answers = ItemCodec::symbolsFrom(q.value(2));
    const bool ok = ItemCodec::readTimes(q.value(3).toByteArray(), into.items);
    q.finish();
    return ok;
}
