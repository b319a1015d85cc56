// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The history file and the companions SQLite keeps beside it: the write-ahead log
// (-wal), its shared index (-shm) and the rollback journal (-journal). A log or a
// journal may hold attempts the file itself does not, so the set only ever moves
// as a whole, and nothing of it is deleted that may hold an attempt.
class HistoryFileSet {
public:
    explicit HistoryFileSet(QString fileName);

    static const QStringList& CompanionSuffixes();

    const QString& fileName() const { return fileName_; }
    // The names, without their folder, of the file and the companions that exist.
    QStringList existing() const;

    // Some process (this one too) holds a lock on the file or its shared index:
    // a copy of the program has the file open.
    bool inUse() const;

    // A log or journal beside a missing or empty file that no copy has open, as a
    // copy, a restore or a crash leaves it. SQLite deletes such a log at the next
    // open, and every attempt in it.
    bool hasLeftovers() const;

    // A log with something in it: attempts that may not be in the file yet.
    bool hasLog() const;

    // SQLite gives the shared index and log that a read-only connection makes the
    // file's own mode, so a read-only file leaves read-only companions; once the
    // file may be written again they make every write fail. Unless a copy has
    // the file open, an index and an empty log without the owner's write
    // permission go (SQLite makes them anew), and a log with attempts in it gets
    // the permission back where the file has it.
    void tidyReadOnlyCompanions() const;

    // Renames the file and every companion that exists to `target` with the same
    // suffix: all of them, or, with `error` saying why, none.
    bool moveTo(const QString& target, QString& error) const;

    // A name beside the file under which a whole set can go, free for every
    // suffix: KORVANIS-2024-05-01-143000.SQLITE, numbered when taken.
    QString datedName(const QDateTime& now) const;

private:
    QString fileName_;
};
