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
    q.prepare(QStringLiteral(
        "INSERT INTO item_tallies (discipline, kind, size, key, month, given, wrong, ms_sum, ms_square_sum)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"
        " ON CONFLICT DO UPDATE SET given = given + excluded.given, wrong = wrong + excluded.wrong,"
        " ms_sum = ms_sum + excluded.ms_sum, ms_square_sum = ms_square_sum + excluded.ms_square_sum"));
    for (const auto& [place, counts] : tally.counts()) {
        q.bindValue(0, discipline);
        q.bindValue(1, int(place.kind));
        q.bindValue(2, place.size);
        q.bindValue(3, place.key);
        q.bindValue(4, month);
        q.bindValue(5, counts.given);
        q.bindValue(6, counts.wrong);
        q.bindValue(7, counts.msSum);
        q.bindValue(8, counts.msSquareSum);
        if (!q.exec())
            return false;
    }
    return true;
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
