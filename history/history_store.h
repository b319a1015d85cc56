// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"
#include "history/history_connection.h"
#include "history/history_problem.h"
#include "history/mark_undo.h"
#include "history/stored_attempt.h"
#include "history/waiting_attempts.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QSqlError;
class QSqlQuery;

// One setting of one discipline that the history has attempts of.
struct HistorySetting {
    int discipline = 0;
    AttemptRecord::Setting setting;
    int attempts = 0;
    QDateTime latest;  // UTC
};

// One step of the file's layout, from the version before it to `version`.
struct HistoryMigration {
    int version;
    QStringList statements;
};
const std::vector<HistoryMigration>& HistoryMigrations();

// The training history: every attempt in the SQLite file KORVANIS.SQLITE in the
// program folder, one row each, written in a transaction of its own.
//
// Nothing here throws. A file that cannot be opened or written is reported once
// through the reporter; attempts that could not be written wait, in memory and in
// a file beside the history, and are written with the next one that can be, or
// at a later start. A damaged file is renamed to a dated name and a new one
// begun, so nothing is ever deleted.
class HistoryStore final : public AttemptLog {
public:
    enum class State { Closed, Writable, ReadOnly, Unavailable };

    static constexpr const char* FileName = "KORVANIS.SQLITE";
    static constexpr int BusyTimeoutMs = 2000;

    HistoryStore();
    ~HistoryStore() override;
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Both are set before open(). The clock gives the local date and time; the
    // reporter hears each trouble once, until a write succeeds again.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    void setReporter(std::function<void(const HistoryProblem&)> reporter) { reporter_ = std::move(reporter); }

    // Opens, creates or brings up to date programDir + FileName, and writes the
    // attempts that earlier runs left waiting.
    void open(const QString& programDir);
    // Tries the attempts still waiting once more; what cannot be written stays in
    // its file for the next start, and the user hears how many wait, or are lost.
    void close();
    State state() const { return state_; }
    QString fileName() const;
    // How a reader of its own (another thread's) opens the file as this store
    // reads it: never writing, and a read-only file as it lies.
    HistoryConnection readerConnection() const;

    // Stamps the attempt with the clock and writes it, and any that waited.
    void record(const AttemptRecord& attempt) override;
    std::size_t pendingCount() const { return waiting_.size(); }

    // Every setting with attempts, newest first within a discipline.
    std::vector<HistorySetting> settings();
    // The attempts of one setting, newest first, without their items.
    std::vector<StoredAttempt> attempts(int discipline, const AttemptRecord::Setting& setting);
    // Every attempt of every discipline, newest first.
    std::vector<StoredAttempt> allAttempts();

    // Whether attempts can be marked: the file is writable and has the column.
    bool canMark() const { return state_ == State::Writable && hasMarks_; }
    // Gives the attempts their new marks, all or none; the reason if not. An
    // attempt that is no longer as the change expects it (another copy changed
    // its mark, the file is another one now) fails the whole command.
    QString setMarks(const std::vector<MarkChange>& changes);
    // The items of one of them, read one attempt at a time since a list of years
    // would hold millions; false, and told, when they cannot be read.
    bool readItems(qint64 id, AttemptRecord& into);

private:
    struct Failure {
        int code = 0;  // SQLite's primary result code, 0 for none
        QString text;
        explicit operator bool() const { return code != 0 || !text.isEmpty(); }
        bool damaged() const;
    };
    static Failure failureOf(const QSqlError& error);

    void connect(bool afterSettingAside);
    HistoryConnection connectionFor(bool readOnly, bool hasLog) const;
    Failure openConnection(bool readOnly, bool hasLog);
    Failure check();
    Failure migrate(int& version);
    bool hasMarkColumn();
    void dropConnection();
    void dropConnectionKeeping(const QString& fileNow);
    bool setLeftoversAside();
    void setAside(const Failure& why, bool afterSettingAside);
    void readFailed(const QSqlError& error);
    void flush();
    void keepWaiting();
    void takeInWaiting();
    void reportWaiting();
    Failure insert(const WaitingAttempts::Entry& entry);
    std::vector<StoredAttempt> select(const QString& where, const std::function<void(QSqlQuery&)>& bind);
    Failure alreadyStored(QSqlQuery& q, const StoredAttempt& stored, bool& found);
    void report(const HistoryProblem& problem);
    HistoryProblem problemOf(HistoryProblem::Kind kind, const QString& detail = QString()) const;

    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };
    std::function<void(const HistoryProblem&)> reporter_;
    QString programDir_;
    QString connection_;
    bool readOnlyConnection_ = false;
    // A read-only file of an older layout has no marks: all its attempts count.
    bool hasMarks_ = false;
    bool readOnlyHasLog_ = false;
    State state_ = State::Closed;
    bool reported_ = false;
    WaitingAttempts waiting_;
    WaitingAttempts::TakenIn merging_;
    QString keepError_;
};
