#pragma once

#include "core/attempt_log.h"
#include "history/history_problem.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class QSqlError;

// An attempt as the history holds it: what the window reported and when it began,
// in the local time of that moment.
struct StoredAttempt {
    AttemptRecord attempt;
    QDateTime started;
};

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
// through the reporter; attempts that could not be written wait in memory and are
// written with the next one that can be. A damaged file is renamed to a dated
// name and a new one begun, so nothing is ever deleted.
class HistoryStore final : public AttemptLog {
public:
    enum class State { Closed, Writable, ReadOnly, Unavailable };

    static constexpr const char* FileName = "KORVANIS.SQLITE";
    static constexpr int BusyTimeoutMs = 2000;
    // Attempts held while the file cannot be written; beyond this the oldest go.
    static constexpr std::size_t MaxPending = 10000;

    HistoryStore();
    ~HistoryStore() override;
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Both are set before open(). The clock gives the local date and time; the
    // reporter hears each trouble once, until a write succeeds again.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    void setReporter(std::function<void(const HistoryProblem&)> reporter) { reporter_ = std::move(reporter); }

    // Opens, creates or brings up to date programDir + FileName.
    void open(const QString& programDir);
    void close();
    State state() const { return state_; }
    QString fileName() const;

    // Stamps the attempt with the clock and writes it, and any that waited.
    void record(const AttemptRecord& attempt) override;
    std::size_t pendingCount() const { return pending_.size(); }

    // Every setting with attempts, newest first within a discipline.
    std::vector<HistorySetting> settings();
    // The attempts of one setting, newest first.
    std::vector<StoredAttempt> attempts(int discipline, const AttemptRecord::Setting& setting);

private:
    struct Pending {
        AttemptRecord attempt;
        QDateTime started;
    };
    struct Failure {
        int code = 0;  // SQLite's primary result code, 0 for none
        QString text;
        explicit operator bool() const { return code != 0 || !text.isEmpty(); }
        bool damaged() const;
    };
    static Failure failureOf(const QSqlError& error);

    void connect(bool afterSettingAside);
    Failure openConnection(bool readOnly, bool hasLog);
    Failure check();
    Failure migrate(int& version);
    void dropConnection();
    void dropConnectionKeeping(const QString& fileNow);
    bool setLeftoversAside();
    void setAside(const Failure& why, bool afterSettingAside);
    void readFailed(const QSqlError& error);
    void flush();
    Failure insert(const Pending& pending);
    void report(const HistoryProblem& problem);
    HistoryProblem problemOf(HistoryProblem::Kind kind, const QString& detail = QString()) const;

    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };
    std::function<void(const HistoryProblem&)> reporter_;
    QString programDir_;
    QString connection_;
    bool readOnlyConnection_ = false;
    State state_ = State::Closed;
    bool reported_ = false;
    std::deque<Pending> pending_;
};
