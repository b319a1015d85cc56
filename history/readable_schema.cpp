// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/readable_schema.h"

#include "core/disciplines.h"
#include "core/interface_text.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QString quoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1String("'"), QLatin1String("''")) + QLatin1Char('\'');
}

QString errorText(const QSqlQuery& q)
{
    const QSqlError e = q.lastError();
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

} // namespace

QList<ReadableSchema::Row> ReadableSchema::Rows()
{
    const InterfaceTextTable& texts = InterfaceTextTable::builtIn();
    QList<Row> rows;
    for (const Discipline& d : AllDisciplines()) {
        const QString german = QString::fromUtf8(d.name);
        rows.push_back({d.code, texts.lookup(0, d.nameTextId, german), texts.lookup(1, d.nameTextId, german),
                        d.isPictureRun() ? QStringLiteral("picture run") : QStringLiteral("scored attempt")});
    }
    return rows;
}

QStringList ReadableSchema::MigrationStatements()
{
    QStringList statements = {
        QStringLiteral("CREATE TABLE disciplines ("
                       " code INTEGER PRIMARY KEY,"
                       " name_de TEXT NOT NULL, name_en TEXT NOT NULL,"
                       " kind TEXT NOT NULL)"),
        // No value: the attempt counts.
        QStringLiteral("ALTER TABLE attempts ADD COLUMN set_aside TEXT CHECK (set_aside IN ('marked', 'deleted'))"),
        // The start as the wall clock showed it then, in the form every
        // spreadsheet and SQLite's own date functions read.
        QStringLiteral("CREATE VIEW attempts_readable AS SELECT"
                       " a.id AS id,"
                       " datetime(a.started_utc, a.utc_offset_s || ' seconds') AS started_local,"
                       " a.discipline AS discipline_code,"
                       " d.name_en AS discipline_en, d.name_de AS discipline_de, d.kind AS kind,"
                       " a.count AS item_count, a.per_line AS per_line,"
                       " a.memo_minutes AS memo_minutes, a.recall_minutes AS recall_minutes, a.pulse_ms AS pulse_ms,"
                       " a.run_seconds AS run_seconds, a.points AS points,"
                       " a.correct_digits AS correct_digits, a.marked_errors AS marked_errors,"
                       " a.memo_seconds_used AS memo_seconds_used, a.recall_seconds_used AS recall_seconds_used,"
                       " a.completed AS completed, a.saved_as_record AS saved_as_record,"
                       " a.set_aside AS set_aside,"
                       " a.started_utc AS started_utc, a.utc_offset_s AS utc_offset_s,"
                       " a.written_by AS written_by"
                       " FROM attempts a LEFT JOIN disciplines d ON d.code = a.discipline"
                       " ORDER BY a.started_utc, a.id"),
    };
    for (const Row& row : Rows())
        statements << QStringLiteral("INSERT INTO disciplines (code, name_de, name_en, kind) VALUES (%1, %2, %3, %4)")
                          .arg(row.code)
                          .arg(quoted(row.nameDe), quoted(row.nameEn), quoted(row.kind));
    return statements;
}

QString ReadableSchema::Refresh(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT code, name_de, name_en, kind FROM disciplines")))
        return errorText(q);
    QHash<int, Row> inFile;
    while (q.next())
        inFile.insert(q.value(0).toInt(), {q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                                           q.value(3).toString()});
    QList<Row> stale;
    for (const Row& row : Rows()) {
        if (inFile.value(row.code) != row)
            stale << row;
    }
    if (stale.isEmpty())
        return QString();

    const auto fail = [&q] {
        const QString text = errorText(q);
        q.exec(QStringLiteral("ROLLBACK"));
        return text;
    };
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail();
    for (const Row& row : std::as_const(stale)) {
        q.prepare(QStringLiteral("INSERT INTO disciplines (code, name_de, name_en, kind) VALUES (?, ?, ?, ?)"
                                 " ON CONFLICT (code) DO UPDATE SET name_de = excluded.name_de,"
                                 " name_en = excluded.name_en, kind = excluded.kind"));
        q.addBindValue(row.code);
        q.addBindValue(row.nameDe);
        q.addBindValue(row.nameEn);
        q.addBindValue(row.kind);
        if (!q.exec())
            return fail();
    }
    if (!q.exec(QStringLiteral("COMMIT")))
        return fail();
    return QString();
}
