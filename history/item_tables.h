// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"
#include "history/item_tally.h"

#include <QDateTime>
#include <QString>

class QSqlQuery;

// The two tables beside the attempts that hold what the analysis looks at: each
// attempt's items (attempt_items, one row an attempt with material) and the
// counts of every discipline's attempts by calendar month (item_tallies), added to
// as each attempt is written, so an analysis over years reads a few thousand
// rows instead of millions of items.
class ItemTables {
public:
    // The month a start falls in, in the local time of the start: 202405.
    static int MonthOf(const QDateTime& started);

    // Inside the caller's transaction: the attempt's items under its row id, and
    // its counts. False on a failed statement, q's error telling why.
    static bool write(QSqlQuery& q, qint64 attemptId, const AttemptRecord& attempt, const QDateTime& started);
    // The items alone, for a caller that adds the counts of many attempts at once.
    static bool writeItems(QSqlQuery& q, qint64 attemptId, const AttemptRecord& attempt);
    // Adds counts of attempts of one discipline and month.
    static bool addTallies(QSqlQuery& q, int discipline, int month, const ItemTally& tally);
    // Fills the items of a stored attempt; an attempt without a row keeps none.
    // False on a failed read or a row this program cannot read.
    static bool read(QSqlQuery& q, qint64 attemptId, AttemptRecord& into);
};
