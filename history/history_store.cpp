#include "history/history_store.h"

#include "history/history_file_set.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

namespace {

// SQLite's primary result codes that the store tells apart.
constexpr int SqliteError = 1;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

int connectionSerial = 0;

const QString Columns = QStringLiteral(
    "discipline, count, per_line, memo_minutes, recall_minutes, pulse_ms, "
    "run_seconds, points, correct_digits, marked_errors, memo_seconds_used, recall_seconds_used, "
    "completed, saved_as_record, started_utc, utc_offset_s");

QVariant nullable(const std::optional<int>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
}

QVariant nullable(const std::optional<double>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

std::optional<int> optionalInt(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
}

std::optional<double> optionalDouble(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

QString utcText(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime fromUtcText(const QString& text)
{
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    time.setTimeSpec(Qt::UTC);
    return time;
}

// Reads columns 0 to 5 of a row as a setting.
AttemptRecord::Setting settingAt(const QSqlQuery& q)
{
    AttemptRecord::Setting s;
    s.count = optionalInt(q.value(1));
    s.perLine = optionalInt(q.value(2));
    s.memoMinutes = optionalInt(q.value(3));
    s.recallMinutes = optionalInt(q.value(4));
    s.pulseMs = optionalInt(q.value(5));
    return s;
}

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
    connect(false);
}

void HistoryStore::close()
{
    dropConnection();
    state_ = State::Closed;
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
    state_ = State::Writable;
}

HistoryStore::Failure HistoryStore::openConnection(bool readOnly, bool hasLog)
{
    connection_ = QStringLiteral("korvanis-history-%1").arg(++connectionSerial);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    // A second running copy holds the file only for the moment of a write; the
    // busy timeout lets each copy wait for the other instead of failing.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
    if (readOnly) {
        // A read-only file is read as it lies, without the index and log SQLite
        // would make beside it. Only a log left with attempts in it needs SQLite's
        // usual reading, which makes an index: that goes again at the close.
        const QString path = QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(fileName()).absoluteFilePath(), "/"));
        db.setDatabaseName(QStringLiteral("file:") + path
                           + (hasLog ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=ro&immutable=1")));
        options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
        readOnlyConnection_ = true;
    } else {
        db.setDatabaseName(fileName());
        readOnlyConnection_ = false;
    }
    db.setConnectOptions(options);
    if (db.open())
        return {};
    return failureOf(db.lastError());
}

HistoryStore::Failure HistoryStore::check()
{
    // The whole check, at every open: a quick check passes an index whose entries
    // no longer match their rows, and the history then lists attempts under
    // another setting or not at all. It costs 17 ms for 20000 attempts (quick:
    // 6 ms), and it finds damage done while the program was not running (a disk,
    // a restore) as well as a run that was not ended in order.
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("PRAGMA integrity_check(20)")))
        return failureOf(q.lastError());
    QStringList findings;
    while (q.next())
        findings << q.value(0).toString();
    if (findings == QStringList(QStringLiteral("ok")))
        return {};
    return {SqliteCorrupt, findings.join(QLatin1String("; ")).left(300)};
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
    pending_.push_back({attempt, clock_().addMSecs(-usedMs)});
    if (pending_.size() > MaxPending)
        pending_.pop_front();
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
    while (state_ == State::Writable && !pending_.empty()) {
        const Failure failure = insert(pending_.front());
        if (!failure) {
            pending_.pop_front();
            continue;
        }
        if (failure.damaged() && !setAsideOnce) {
            setAsideOnce = true;
            setAside(failure, false);
            continue;
        }
        report(problemOf(HistoryProblem::WriteFailed, failure.text));
        return;
    }
    if (state_ == State::Writable)
        reported_ = false;
}

HistoryStore::Failure HistoryStore::insert(const Pending& pending)
{
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
    q.prepare(QStringLiteral("INSERT INTO attempts (") + Columns
              + QStringLiteral(", written_by) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const AttemptRecord& a = pending.attempt;
    q.addBindValue(a.discipline);
    q.addBindValue(nullable(a.setting.count));
    q.addBindValue(nullable(a.setting.perLine));
    q.addBindValue(nullable(a.setting.memoMinutes));
    q.addBindValue(nullable(a.setting.recallMinutes));
    q.addBindValue(nullable(a.setting.pulseMs));
    q.addBindValue(nullable(a.result.runSeconds));
    q.addBindValue(nullable(a.result.points));
    q.addBindValue(nullable(a.result.correctDigits));
    q.addBindValue(nullable(a.result.markedErrors));
    q.addBindValue(nullable(a.result.memoSecondsUsed));
    q.addBindValue(nullable(a.result.recallSecondsUsed));
    q.addBindValue(a.completed ? 1 : 0);
    q.addBindValue(a.savedAsRecord ? 1 : 0);
    q.addBindValue(utcText(pending.started));
    q.addBindValue(pending.started.offsetFromUtc());
    q.addBindValue(QStringLiteral("Korvanis " KORVANIS_VERSION));
    if (!q.exec())
        return fail();
    if (!q.exec(QStringLiteral("COMMIT")))
        return fail();
    return {};
}

std::vector<HistorySetting> HistoryStore::settings()
{
    std::vector<HistorySetting> found;
    if (state_ != State::Writable && state_ != State::ReadOnly)
        return found;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT discipline, count, per_line, memo_minutes, recall_minutes, pulse_ms,"
                               " COUNT(*), MAX(started_utc) FROM attempts"
                               " GROUP BY discipline, count, per_line, memo_minutes, recall_minutes, pulse_ms"
                               " ORDER BY discipline, MAX(started_utc) DESC"))) {
        readFailed(q.lastError());
        return {};
    }
    while (q.next()) {
        HistorySetting s;
        s.discipline = q.value(0).toInt();
        s.setting = settingAt(q);
        s.attempts = q.value(6).toInt();
        s.latest = fromUtcText(q.value(7).toString());
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
    std::vector<StoredAttempt> found;
    if (state_ != State::Writable && state_ != State::ReadOnly)
        return found;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    // "IS" matches an empty setting field to an empty one, where "=" never would.
    q.prepare(QStringLiteral("SELECT ") + Columns
              + QStringLiteral(" FROM attempts WHERE discipline = ? AND count IS ? AND per_line IS ?"
                               " AND memo_minutes IS ? AND recall_minutes IS ? AND pulse_ms IS ?"
                               " ORDER BY started_utc DESC, id DESC"));
    q.addBindValue(discipline);
    q.addBindValue(nullable(setting.count));
    q.addBindValue(nullable(setting.perLine));
    q.addBindValue(nullable(setting.memoMinutes));
    q.addBindValue(nullable(setting.recallMinutes));
    q.addBindValue(nullable(setting.pulseMs));
    if (!q.exec()) {
        readFailed(q.lastError());
        return {};
    }
    while (q.next()) {
        StoredAttempt s;
        AttemptRecord& a = s.attempt;
        a.discipline = q.value(0).toInt();
        a.setting = settingAt(q);
        a.result.runSeconds = optionalDouble(q.value(6));
        a.result.points = optionalInt(q.value(7));
        a.result.correctDigits = optionalInt(q.value(8));
        a.result.markedErrors = optionalInt(q.value(9));
        a.result.memoSecondsUsed = optionalDouble(q.value(10));
        a.result.recallSecondsUsed = optionalDouble(q.value(11));
        a.completed = q.value(12).toInt() != 0;
        a.savedAsRecord = q.value(13).toInt() != 0;
        s.started = fromUtcText(q.value(14).toString()).toOffsetFromUtc(q.value(15).toInt());
        found.push_back(std::move(s));
    }
    if (q.lastError().isValid()) {
        readFailed(q.lastError());
        return {};
    }
    return found;
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
    if (problem.kind != HistoryProblem::SetAside && problem.kind != HistoryProblem::LeftoversSetAside) {
        if (reported_)
            return;
        reported_ = true;
    }
    if (reporter_)
        reporter_(problem);
}
