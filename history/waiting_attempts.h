// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/stored_attempt.h"

#include <QString>
#include <QStringList>
#include <deque>

// Attempts the history file has not taken yet, oldest first. While any wait they
// are kept in a file of this copy's own beside the history as well,
// KORVANIS.SQLITE.<process id>.pending.json, rewritten whole whenever they
// change, so that neither the end of the program nor a kill loses one. A later
// start takes in what copies that no longer run left there.
class WaitingAttempts {
public:
    struct Entry {
        StoredAttempt stored;
        // Once an attempt has been in a file it may be in the history as well (a
        // kill between its write and the file's removal): it is written only where
        // the history does not hold it yet.
        bool kept = false;
    };

    // Beyond this the oldest go: a bound for memory, not a number a session reaches.
    static constexpr std::size_t MaxWaiting = 10000;

    void setHistoryFile(const QString& historyFile);
    QString ownFile() const;

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    const Entry& front() const { return entries_.front(); }
    void popFront();
    void push(const StoredAttempt& attempt);
    // Forgets every attempt; the files stay for the next start.
    void clear();

    // Takes in the files of copies that no longer run (this process's own number
    // included: such a file is from an earlier run that had it). A file that cannot
    // be read stays as it is and is named in `unreadable`.
    struct Unreadable {
        QString file;
        QString why;
    };
    struct TakenIn {
        int attempts = 0;
        QStringList files;
        QList<Unreadable> unreadable;
    };
    TakenIn takeInLeftBehind();

    // Brings the files up to date: while attempts wait, the own file holds them all
    // and the files taken in go; once none wait, all of them go. False, with
    // `error` saying why, when the own file could not be written: the attempts
    // that were in no file then wait in memory only.
    bool keep(QString& error);

    // The attempts that are in no file, lost if the program ended now.
    int unkept() const;
    // The files that hold waiting attempts now, without their folder.
    QStringList files() const;

private:
    QString historyFile_;
    std::deque<Entry> entries_;
    QStringList takenIn_;
    bool changed_ = false;
    bool ownWritten_ = false;
};
