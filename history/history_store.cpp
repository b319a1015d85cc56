// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/history_store.h"

#include "history/attempt_columns.h"
#include "history/history_file_set.h"
#include "history/item_tables.h"
#include "history/readable_schema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {

// SQLite's primary result codes that the store tells apart.
constexpr int SqliteError = 1;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

int connectionSerial = 0;

} // namespace

const std::vector<HistoryMigration>& HistoryMigrations()
{
    // Each step brings a file of the version before it to its own version. A
    // released step is never changed: files of that version exist.
    static const std::vector<HistoryMigration> migrations = {
        {1,
         {QStringLiteral("CREATE TABLE attempts ("
                         " id INTEGER PRIMARY KEY,"
                         " discipline INTEGER NOT NULL,"
                         " count INTEGER, per_line INTEGER, memo_minutes INTEGER, recall_minutes INTEGER,"
                         " pulse_ms INTEGER,"
                         " run_seconds REAL, points INTEGER, correct_digits INTEGER, marked_errors INTEGER,"
                         " memo_seconds_used REAL, recall_seconds_used REAL,"
                         " completed INTEGER NOT NULL CHECK (completed IN (0, 1)),"
                         " saved_as_record INTEGER NOT NULL CHECK (saved_as_record IN (0, 1)),"
                         " started_utc TEXT NOT NULL,"
                         " utc_offset_s INTEGER NOT NULL)")}},
        // The history window asks for one setting at a time, newest first; and a
        // result read years later should say which program wrote it.
        {2,
         {QStringLiteral("ALTER TABLE attempts ADD COLUMN written_by TEXT"),
          QStringLiteral("CREATE INDEX attempts_by_setting ON attempts (discipline, count, per_line,"
                         " memo_minutes, recall_minutes, pulse_ms, started_utc)")}},
        // A user with sqlite3 or a spreadsheet reads names and local times, and an
        // attempt the user set aside says so.
        {3, ReadableSchema::MigrationStatements()},
        // Each attempt's material, answers and item times, beside its row so the
        // lists of results read no more than before; and the counts of the
        // analysis by month, added to with each attempt, so that an analysis of
        // years of training never reads every item. Attempts written before keep
        // their rows as they are and have no items.
        {4,
         {QStringLiteral("CREATE TABLE attempt_items ("
                         " attempt_id INTEGER PRIMARY KEY REFERENCES attempts (id),"
                         " items_per_row INTEGER NOT NULL,"
                         " given, answers,"
                         " times BLOB)"),
          QStringLiteral("CREATE TABLE item_tallies ("
                         " discipline INTEGER NOT NULL, kind INTEGER NOT NULL, size INTEGER NOT NULL,"
                         " key INTEGER NOT NULL, month INTEGER NOT NULL,"
                         " given INTEGER NOT NULL, wrong INTEGER NOT NULL,"
                         " ms_sum REAL NOT NULL, ms_square_sum REAL NOT NULL,"
                         " PRIMARY KEY (discipline, kind, size, key, month)) WITHOUT ROWID")}},
    };
    return migrations;
}

bool HistoryStore::Failure::damaged() const
{
    return code == SqliteCorrupt || code == SqliteNotADatabase;
}

// The failure a Qt SQL error stands for, with SQLite's own code and words.
HistoryStore::Failure HistoryStore::failureOf(const QSqlError& error)
{
    bool numeric = false;
    const int native = error.nativeErrorCode().toInt(&numeric);
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    // Extended result codes carry the primary one in their low byte.
    return {numeric && native != 0 ? (native & 0xFF) : SqliteError, text};
}

HistoryStore::HistoryStore() = default;

HistoryStore::~HistoryStore()
{
    close();
}

QString HistoryStore::fileName() const
{
    return programDir_ + QLatin1String(FileName);
}

void HistoryStore::open(const QString& programDir)
{
    close();
    programDir_ = programDir;
    waiting_.setHistoryFile(fileName());
    connect(false);
    takeInWaiting();
}

void HistoryStore::close()
{
    if (state_ != State::Closed && !waiting_.empty()) {
        // The cause may have gone since the last attempt (the other copy let go).
        flush();
        reportWaiting();
    }
    dropConnection();
    state_ = State::Closed;
    waiting_.clear();
    merging_ = {};
}

void HistoryStore::dropConnection()
{
    if (connection_.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    connection_.clear();
    if (readOnlyConnection_)
        HistoryFileSet(fileName()).tidyReadOnlyCompanions();
    readOnlyConnection_ = false;
}

void HistoryStore::connect(bool afterSettingAside)
{
    dropConnection();
    state_ = State::Unavailable;
    hasMarks_ = false;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        report(problemOf(HistoryProblem::CannotOpen, QStringLiteral("Qt SQL driver QSQLITE not installed")));
        return;
    }
    if (!setLeftoversAside())
        return;
    // A file whose owner may not write it is marked read-only, as the records
    // table honours it: whoever set the mark wants the file kept as it is, even
    // where the system would let us write (root).
    const QFileInfo info(fileName());
    const bool markedReadOnly = info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
    const HistoryFileSet files(fileName());
    if (!markedReadOnly)
        files.tidyReadOnlyCompanions();

    Failure failure = openConnection(markedReadOnly, files.hasLog());
    if (!failure)
        failure = check();
    if (!failure)
        hasMarks_ = markedReadOnly ? hasMarkColumn() : true;
    int version = 0;
    if (!failure && !markedReadOnly)
        failure = migrate(version);
    if (failure) {
        if (failure.damaged()) {
            setAside(failure, afterSettingAside);
            return;
        }
        dropConnection();
        report(problemOf(HistoryProblem::CannotOpen, failure.text));
        return;
    }
    if (markedReadOnly) {
        state_ = State::ReadOnly;
        report(problemOf(HistoryProblem::ReadOnly));
        return;
    }
    if (version > HistoryMigrations().back().version) {
        state_ = State::ReadOnly;
        report(problemOf(HistoryProblem::NewerVersion));
        return;
    }
    // The names are for readers of the file; one that cannot be brought up to
    // date now (a second copy holds the file) is tried again at the next start.
    ReadableSchema::Refresh(QSqlDatabase::database(connection_, false));
    state_ = State::Writable;
}

HistoryConnection HistoryStore::connectionFor(bool readOnly, bool hasLog) const
{
    // A second running copy holds the file only for the moment of a write; the
    // busy timeout lets each copy wait for the other instead of failing.
    HistoryConnection c{fileName(), QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs)};
    if (readOnly) {
        // A read-only file is read as it lies, without the index and log SQLite
        // would make beside it. Only a log left with attempts in it needs SQLite's
        // usual reading, which makes an index: that goes again at the close.
        const QString path = QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(fileName()).absoluteFilePath(), "/"));
        c.databaseName = QStringLiteral("file:") + path
            + (hasLog ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=ro&immutable=1"));
        c.options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
    }
    return c;
}

HistoryConnection HistoryStore::readerConnection() const
{
    if (readOnlyConnection_)
        return connectionFor(true, readOnlyHasLog_);
    HistoryConnection c = connectionFor(false, false);
    c.options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    return c;
}

HistoryStore::Failure HistoryStore::openConnection(bool readOnly, bool hasLog)
{
    connection_ = QStringLiteral("korvanis-history-%1").arg(++connectionSerial);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    const HistoryConnection c = connectionFor(readOnly, hasLog);
    db.setDatabaseName(c.databaseName);
    db.setConnectOptions(c.options);
    readOnlyConnection_ = readOnly;
    readOnlyHasLog_ = hasLog;
    if (db.open())
        return {};
    return failureOf(db.lastError());
}

HistoryStore::Failure HistoryStore::check()
{
    // The whole check of the attempts and their index, at every open: a quick
    // check passes an index whose entries no longer match their rows, and the
    // history then lists attempts under another setting or not at all. It costs
    // 17 ms for 20000 attempts (quick: 6 ms), and it finds damage done while the
    // program was not running (a disk, a restore) as well as a run that was not
    // ended in order. The items and their counts are six times as large and
    // are not checked here (a start on ten years of training would wait a
    // second for them): damage in them shows where they are read or written,
    // and is met there as damage.
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    // A file begun a moment ago has no attempts yet: all of it is checked then.
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'attempts'"))
        || !q.next())
        return failureOf(q.lastError());
    const bool hasAttempts = q.value(0).toInt() > 0;
    q.finish();
    if (!q.exec(hasAttempts ? QStringLiteral("PRAGMA integrity_check(attempts)")
                            : QStringLiteral("PRAGMA integrity_check(20)")))
        return failureOf(q.lastError());
    QStringList findings;
    while (q.next())
        findings << q.value(0).toString();
    if (findings == QStringList(QStringLiteral("ok")))
        return {};
    return {SqliteCorrupt, findings.join(QLatin1String("; ")).left(300)};
}

bool HistoryStore::hasMarkColumn()
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    return q.exec(QStringLiteral("SELECT set_aside FROM attempts LIMIT 0"));
}

HistoryStore::Failure HistoryStore::migrate(int& version)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const auto fail = [&q]() -> Failure {
        const Failure f = failureOf(q.lastError());
        q.exec(QStringLiteral("ROLLBACK"));
        return f;
    };
    const auto readVersion = [&q, &version] {
        if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
            return false;
        version = q.value(0).toInt();
        q.finish();
        return true;
    };
    if (!readVersion())
        return fail();
    const int current = HistoryMigrations().back().version;
    if (version > current)
        return {};
    // Write-ahead logging lets a reader and a writer (the history window and a
    // second copy's attempt) go on side by side, and a kill mid-write leaves the
    // file as it was before that write. FULL makes each attempt durable once its
    // commit returns.
    q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    q.finish();
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    if (version == current)
        return {};

    // Two copies started together both see an old version; the second one to get
    // the write lock reads the version again and finds the work done.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")) || !readVersion())
        return fail();
    for (const HistoryMigration& step : HistoryMigrations()) {
        if (step.version <= version)
            continue;
        for (const QString& statement : step.statements) {
            if (!q.exec(statement))
                return fail();
        }
        if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(step.version)))
            return fail();
    }
    if (!q.exec(QStringLiteral("COMMIT")))
        return fail();
    // The new layout goes into the file itself at once, not only into its log: a
    // copy of the file alone, or a kill before the first close, keeps it whole.
    q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    version = current;
    return {};
}

// Opening the file beside a log or journal of a file that is gone would let
// SQLite delete them: they are set aside first, all under one dated name.
bool HistoryStore::setLeftoversAside()
{
    const HistoryFileSet files(fileName());
    if (!files.hasLeftovers())
        return true;
    const QStringList found = files.existing();
    const QString target = files.datedName(clock_());
    QString error;
    if (!files.moveTo(target, error)) {
        report(problemOf(HistoryProblem::CannotOpen, error));
        return false;
    }
    HistoryProblem problem = problemOf(HistoryProblem::LeftoversSetAside, found.join(QLatin1String(", ")));
    problem.setAsideAs = HistoryFileSet(target).existing().join(QLatin1String(", "));
    report(problem);
    return true;
}

void HistoryStore::setAside(const Failure& why, bool afterSettingAside)
{
    state_ = State::Unavailable;
    // A file begun a moment ago that is damaged at once says the trouble is not
    // in the file: stop rather than set aside one file after another.
    if (afterSettingAside) {
        dropConnectionKeeping(fileName());
        report(problemOf(HistoryProblem::CannotOpen, why.text));
        return;
    }
    // The log beside the file may hold its latest attempts: it goes with it, under
    // the same new name, so that the pair stays readable and the new file does not
    // pick up a log that is not its own. The set moves while the connection still
    // has it open, so that nothing is written into it after it was found.
    const HistoryFileSet files(fileName());
    const QString target = files.datedName(clock_());
    QString error;
    const bool moved = files.moveTo(target, error);
    dropConnectionKeeping(moved ? target : fileName());
    if (!moved) {
        report(problemOf(HistoryProblem::CannotOpen, why.text));
        return;
    }
    HistoryProblem problem = problemOf(HistoryProblem::SetAside, why.text);
    problem.setAsideAs = QFileInfo(target).fileName();
    report(problem);
    connect(true);
}

// Closing the last connection to a file copies its log into it and deletes the
// log: a damaged file would be changed on its way aside. A read-only connection
// to the same file, held while the other one closes, keeps that one from being
// the last, and being read-only it never copies the log itself.
void HistoryStore::dropConnectionKeeping(const QString& fileNow)
{
    if (connection_.isEmpty())
        return;
    const QString guardName = connection_ + QStringLiteral("-keeper");
    {
        QSqlDatabase keeper = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), guardName);
        keeper.setDatabaseName(fileNow);
        keeper.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (keeper.open()) {
            // Its first read opens the log; a damaged file may fail it, after that.
            QSqlQuery(keeper).exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
        }
        dropConnection();
        keeper.close();
    }
    QSqlDatabase::removeDatabase(guardName);
}

void HistoryStore::record(const AttemptRecord& attempt)
{
    const qint64 usedMs = qRound64(attempt.secondsUsed() * 1000.0);
    waiting_.push({attempt, clock_().addMSecs(-usedMs)});
    flush();
}

void HistoryStore::flush()
{
    if (state_ == State::Closed)
        return;
    // The cause of the last failure may have gone (the other copy let go, the
    // read-only mark was taken off): each attempt tries the file afresh.
    if (state_ != State::Writable)
        connect(false);
    bool setAsideOnce = false;
    while (state_ == State::Writable && !waiting_.empty()) {
        const Failure failure = insert(waiting_.front());
        if (!failure) {
            waiting_.popFront();
            continue;
        }
        if (failure.damaged() && !setAsideOnce) {
            setAsideOnce = true;
            setAside(failure, false);
            continue;
        }
        report(problemOf(HistoryProblem::WriteFailed, failure.text));
        break;
    }
    if (state_ == State::Writable && waiting_.empty())
        reported_ = false;
    keepWaiting();
}

// What waits is in its file before the call returns, so that a kill does not
// lose it either; once nothing waits, the files go.
void HistoryStore::keepWaiting()
{
    keepError_.clear();
    waiting_.keep(keepError_);
    if (waiting_.empty() && merging_.attempts > 0) {
        HistoryProblem problem = problemOf(HistoryProblem::Merged);
        problem.attempts = merging_.attempts;
        problem.keptIn = merging_.files.join(QLatin1String(", "));
        report(problem);
        merging_ = {};
    }
}

void HistoryStore::takeInWaiting()
{
    const WaitingAttempts::TakenIn taken = waiting_.takeInLeftBehind();
    for (const WaitingAttempts::Unreadable& file : taken.unreadable) {
        HistoryProblem problem = problemOf(HistoryProblem::WaitingUnreadable, file.why);
        problem.keptIn = file.file;
        report(problem);
    }
    if (taken.attempts == 0)
        return;
    merging_ = taken;
    if (state_ == State::Writable)
        flush();
    else
        keepWaiting();
}

// Told at the close: how many attempts wait in a file for the next start, and
// how many are in none, because that file could not be written either.
void HistoryStore::reportWaiting()
{
    const int lost = waiting_.unkept();
    const int kept = int(waiting_.size()) - lost;
    if (kept > 0) {
        HistoryProblem problem = problemOf(HistoryProblem::KeptForLater);
        problem.attempts = kept;
        problem.keptIn = waiting_.files().join(QLatin1String(", "));
        report(problem);
    }
    if (lost > 0) {
        HistoryProblem problem = problemOf(HistoryProblem::Lost, keepError_);
        problem.attempts = lost;
        problem.keptIn = QFileInfo(waiting_.ownFile()).fileName();
        report(problem);
    }
}

HistoryStore::Failure HistoryStore::insert(const WaitingAttempts::Entry& entry)
{
    const StoredAttempt& pending = entry.stored;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const auto fail = [&q]() -> Failure {
        const Failure f = failureOf(q.lastError());
        q.exec(QStringLiteral("ROLLBACK"));
        return f;
    };
    // The write lock is taken at the start, so a busy file shows here, before
    // anything is written, and the busy timeout applies to the whole attempt.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail();
    if (entry.kept) {
        bool stored = false;
        if (const Failure f = alreadyStored(q, pending, stored))
            return f;
        if (stored)
            return q.exec(QStringLiteral("COMMIT")) ? Failure{} : fail();
    }
    q.prepare(QStringLiteral("INSERT INTO attempts (") + AttemptColumns::List()
              + QStringLiteral(", written_by) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    AttemptColumns::bind(q, pending);
    q.addBindValue(QStringLiteral("Korvanis " KORVANIS_VERSION));
    if (!q.exec())
        return fail();
    const qint64 id = q.lastInsertId().toLongLong();
    if (!ItemTables::write(q, id, pending.attempt, pending.started))
        return fail();
    if (!q.exec(QStringLiteral("COMMIT")))
        return fail();
    return {};
}

// Inside the insert's transaction, so that two copies taking in the same file
// cannot both find the attempt missing.
HistoryStore::Failure HistoryStore::alreadyStored(QSqlQuery& q, const StoredAttempt& stored, bool& found)
{
    q.prepare(QStringLiteral("SELECT 1 FROM attempts WHERE ") + AttemptColumns::SameAs() + QStringLiteral(" LIMIT 1"));
    AttemptColumns::bind(q, stored);
    if (!q.exec()) {
        const Failure f = failureOf(q.lastError());
        q.exec(QStringLiteral("ROLLBACK"));
        return f;
    }
    found = q.next();
    q.finish();
    return {};
}

std::vector<HistorySetting> HistoryStore::settings()
{
    std::vector<HistorySetting> found;
    if (state_ != State::Writable && state_ != State::ReadOnly)
        return found;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    // Deleted attempts are not counted; their setting stays listed, so that they
    // can be shown and restored.
    const QString counted = hasMarks_ ? QStringLiteral("SUM(set_aside IS NOT 'deleted')") : QStringLiteral("COUNT(*)");
    if (!q.exec(QStringLiteral("SELECT discipline, count, per_line, memo_minutes, recall_minutes, pulse_ms, ") + counted
                + QStringLiteral(", MAX(started_utc) FROM attempts"
                               " GROUP BY discipline, count, per_line, memo_minutes, recall_minutes, pulse_ms"
                               " ORDER BY discipline, MAX(started_utc) DESC"))) {
        readFailed(q.lastError());
        return {};
    }
    while (q.next()) {
        HistorySetting s;
        s.discipline = q.value(0).toInt();
        s.setting = AttemptColumns::readSetting(q);
        s.attempts = q.value(6).toInt();
        s.latest = StartedAt(q.value(7).toString(), 0).toUTC();
        found.push_back(s);
    }
    if (q.lastError().isValid()) {
        readFailed(q.lastError());
        return {};
    }
    return found;
}

std::vector<StoredAttempt> HistoryStore::attempts(int discipline, const AttemptRecord::Setting& setting)
{
    // "IS" matches an empty setting field to an empty one, where "=" never would.
    return select(QStringLiteral(" WHERE discipline = ? AND count IS ? AND per_line IS ?"
                                 " AND memo_minutes IS ? AND recall_minutes IS ? AND pulse_ms IS ?"),
                  [&](QSqlQuery& q) { AttemptColumns::bindSetting(q, discipline, setting); });
}

std::vector<StoredAttempt> HistoryStore::allAttempts()
{
    return select(QString(), [](QSqlQuery&) {});
}

std::vector<StoredAttempt> HistoryStore::select(const QString& where, const std::function<void(QSqlQuery&)>& bind)
{
    std::vector<StoredAttempt> found;
    if (state_ != State::Writable && state_ != State::ReadOnly)
        return found;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT ") + AttemptColumns::List() + QStringLiteral(", id")
              + (hasMarks_ ? QStringLiteral(", set_aside") : QString()) + QStringLiteral(" FROM attempts") + where
              + QStringLiteral(" ORDER BY started_utc DESC, id DESC"));
    bind(q);
    if (!q.exec()) {
        readFailed(q.lastError());
        return {};
    }
    while (q.next()) {
        StoredAttempt stored = AttemptColumns::read(q);
        stored.id = q.value(QStringLiteral("id")).toLongLong();
        if (hasMarks_)
            stored.mark = MarkOf(q.value(QStringLiteral("set_aside")));
        found.push_back(stored);
    }
    if (q.lastError().isValid()) {
        readFailed(q.lastError());
        return {};
    }
    return found;
}

QString HistoryStore::setMarks(const std::vector<MarkChange>& changes)
{
    if (!canMark())
        return QStringLiteral("not writable");
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const auto fail = [&q] {
        const QString text = failureOf(q.lastError()).text;
        q.exec(QStringLiteral("ROLLBACK"));
        return text;
    };
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail();
    for (const MarkChange& change : changes) {
        q.prepare(QStringLiteral("UPDATE attempts SET set_aside = ? WHERE id = ? AND started_utc = ? AND set_aside IS ?"));
        q.addBindValue(MarkValue(change.to));
        q.addBindValue(change.id);
        q.addBindValue(UtcText(change.started));
        q.addBindValue(MarkValue(change.from));
        if (!q.exec())
            return fail();
        if (q.numRowsAffected() != 1) {
            q.exec(QStringLiteral("ROLLBACK"));
            return QStringLiteral("attempt %1 changed meanwhile").arg(change.id);
        }
    }
    if (!q.exec(QStringLiteral("COMMIT")))
        return fail();
    return QString();
}

bool HistoryStore::readItems(qint64 id, AttemptRecord& into)
{
    if (state_ != State::Writable && state_ != State::ReadOnly)
        return false;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (ItemTables::read(q, id, into))
        return true;
    if (q.lastError().isValid())
        readFailed(q.lastError());
    else
        report(problemOf(HistoryProblem::ReadFailed, QStringLiteral("attempt %1: times unreadable").arg(id)));
    return false;
}

// Damage a read runs into is damage as an open finds it; any other failure is
// told, and the caller shows nothing rather than part of the file.
void HistoryStore::readFailed(const QSqlError& error)
{
    const Failure failure = failureOf(error);
    if (failure.damaged())
        setAside(failure, false);
    else
        report(problemOf(HistoryProblem::ReadFailed, failure.text));
}

HistoryProblem HistoryStore::problemOf(HistoryProblem::Kind kind, const QString& detail) const
{
    HistoryProblem problem;
    problem.kind = kind;
    problem.fileName = fileName();
    problem.detail = detail;
    return problem;
}

void HistoryStore::report(const HistoryProblem& problem)
{
    // A file set aside is news each time; any other trouble is told once and not
    // again until a write succeeds, so a training session is not one message box
    // after another.
    const bool news = problem.kind == HistoryProblem::SetAside || problem.kind == HistoryProblem::LeftoversSetAside
        || problem.kind == HistoryProblem::KeptForLater || problem.kind == HistoryProblem::Lost
        || problem.kind == HistoryProblem::Merged || problem.kind == HistoryProblem::WaitingUnreadable;
    if (!news) {
        if (reported_)
            return;
        reported_ = true;
    }
    if (reporter_)
        reporter_(problem);
}
