// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// What makes the history file readable without this program: a table of the
// disciplines' names, a view of the attempts with those names and local times,
// and the column that says whether the user set an attempt aside.
class ReadableSchema {
public:
    struct Row {
        int code = 0;
        QString nameDe;
        QString nameEn;
        QString kind;  // "picture run" or "scored attempt"
        bool operator==(const Row&) const = default;
    };
    // One row for each discipline the program knows, in its order.
    static QList<Row> Rows();

    // The step of the file's layout that adds them, the names filled in.
    static QStringList MigrationStatements();

    // Puts the program's names into the table where they are missing or differ,
    // so that a discipline added or renamed later is named in files made before.
    // Rows of codes this program does not know stay: a later version wrote them.
    // Writes nothing when the table is right; an error text if the write failed.
    static QString Refresh(const QSqlDatabase& db);
};
