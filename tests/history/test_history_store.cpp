// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The training history file: what goes in comes back, old files are brought up to
// date, and no fault (damage, a read-only mark, a full disk, a second copy, a
// kill) costs a stored attempt or passes a failed write off as done.
#include "history/history_store.h"
#include "tests/support/file_size_limit.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <csignal>
#include <optional>
#include <unistd.h>

namespace {

const QDateTime Now(QDate(2024, 5, 1), QTime(14, 30, 0), Qt::OffsetFromUTC, 7200);

// A store in a program folder, with the test's clock and every problem kept.
struct Store {
    explicit Store(const TempProgramDir& dir)
    {
        store.setClock([this] { return clock; });
        store.setReporter([this](const HistoryProblem& problem) { problems.push_back(problem); });
        store.open(dir.path());
    }
    QList<HistoryProblem::Kind> kinds() const
    {
        QList<HistoryProblem::Kind> list;
        for (const HistoryProblem& p : problems)
            list << p.kind;
        return list;
    }
    int count() { return int(store.attempts(11, AttemptRecord::Setting{30, {}, {}, {}, {}}).size()); }
    QDateTime clock = Now;
    std::vector<HistoryProblem> problems;
    HistoryStore store;
};

// The attempt the helper and most tests write: a binary memorisation attempt.
AttemptRecord scored(int points)
{
    AttemptRecord a;
    a.discipline = 11;
    a.setting.count = 30;
    a.result.points = points;
    return a;
}

// The test's own hand on a file, through a connection of its own.
class RawFile {
public:
    explicit RawFile(const QString& file, const QString& options = QString())
        : name_(QStringLiteral("raw-%1").arg(++serial_))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(file);
        db.setConnectOptions(options);
        db.open();
    }
    ~RawFile()
    {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    // The first column of every row, or the error text.
    QStringList exec(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(name_, false));
        if (!q.exec(sql))
            return {"error: " + q.lastError().databaseText()};
        QStringList rows;
        while (q.next())
            rows << q.value(0).toString();
        return rows;
    }

private:
    static inline int serial_ = 0;
    QString name_;
};

// Moves every n-th entry of the settings index of binary attempts of 30 digits
// to 29 digits, leaving their rows as they are; returns how many it moved. An
// entry is the record header (discipline, count, four empty settings, the start
// time's text, the row id), then discipline 11 and count 30.
int changeIndexEntries(QByteArray& bytes, int n)
{
    const QByteArray header("\x01\x01\x00\x00\x00\x00\x3d", 7);
    int seen = 0;
    int changed = 0;
    for (qsizetype at = bytes.indexOf(header); at >= 0; at = bytes.indexOf(header, at + 1)) {
        const qsizetype body = at + header.size() + 1;
        if (body + 1 >= bytes.size() || (bytes[body - 1] != 1 && bytes[body - 1] != 2) || bytes[body] != 11
            || bytes[body + 1] != 30)
            continue;
        if (seen++ % n == 0) {
            bytes[body + 1] = 29;
            ++changed;
        }
    }
    return changed;
}

// Every file in the folder with its mode and contents.
QStringList folderAsItIs(const TempProgramDir& dir)
{
    QStringList files;
    const QFileInfoList entries = QDir(dir.path()).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& info : entries) {
        files << QStringLiteral("%1 %2 %3")
                     .arg(info.fileName())
                     .arg(int(info.permissions()), 0, 16)
                     .arg(QString::fromLatin1(QCryptographicHash::hash(ReadBytes(info.filePath()),
                                                                       QCryptographicHash::Sha1).toHex()));
    }
    return files;
}

QString historyHelper()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/history_helper");
}

} // namespace

class TestHistoryStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void anAttemptComesBackAsItWasReported_data()
    {
        QTest::addColumn<AttemptRecord>("attempt");
        QTest::addColumn<QDateTime>("started");
        AttemptRecord run;
        run.discipline = 0;
        run.setting.count = 200;
        run.setting.perLine = 2;
        run.result.runSeconds = 45.678;
        QTest::newRow("picture run") << run << Now.addMSecs(-45678);
        run.completed = false;
        run.result.runSeconds = 1.5;
        QTest::newRow("broken-off run") << run << Now.addMSecs(-1500);
        AttemptRecord memo = scored(95);
        memo.discipline = 10;
        memo.setting = {400, {}, 5, 10, {}};
        memo.result = {{}, 95, 97, 3, 83.456, 42.5};
        memo.savedAsRecord = true;
        QTest::newRow("memorisation saved") << memo << Now.addMSecs(-125956);
        AttemptRecord spoken;
        spoken.discipline = 13;
        spoken.setting = {100, {}, {}, 5, 1000};
        spoken.result = {{}, 12, 12, 1, 100.0, 61.0};
        QTest::newRow("spoken numbers") << spoken << Now.addSecs(-161);
    }

    void anAttemptComesBackAsItWasReported()
    {
        QFETCH(AttemptRecord, attempt);
        QFETCH(QDateTime, started);
        TempProgramDir dir;
        Store s(dir);
        QCOMPARE(s.store.state(), HistoryStore::State::Writable);
        s.store.record(attempt);
        s.clock = Now.addDays(1);
        s.store.record(attempt);
        QCOMPARE(s.store.pendingCount(), 0u);
        QVERIFY(s.problems.empty());

        const std::vector<StoredAttempt> stored = s.store.attempts(attempt.discipline, attempt.setting);
        QCOMPARE(stored.size(), 2u);
        QCOMPARE(stored[1].attempt, attempt);
        QCOMPARE(stored[1].started, started);
        QCOMPARE(stored[1].started.offsetFromUtc(), 7200);
        QCOMPARE(stored[0].started, started.addDays(1)); // newest first
        const std::vector<HistorySetting> settings = s.store.settings();
        QCOMPARE(settings.size(), 1u);
        QCOMPARE(settings[0].setting, attempt.setting);
        QCOMPARE(settings[0].attempts, 2);
        // Another setting of the same discipline is not this one.
        AttemptRecord::Setting other = attempt.setting;
        other.count = *other.count + 1;
        QVERIFY(s.store.attempts(attempt.discipline, other).empty());
    }

    void otherToolsReadTheFile()
    {
        TempProgramDir dir;
        {
            Store s(dir);
            AttemptRecord a = scored(28);
            a.result.memoSecondsUsed = 60;
            s.store.record(a);
        }
        bool ok = false;
        QString errors;
        const QString out = RunPython(R"(
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
print(c.execute("pragma user_version").fetchone()[0], c.execute("pragma journal_mode").fetchone()[0])
row = c.execute("select discipline, count, per_line, points, completed, started_utc, utc_offset_s from attempts")
print(*row.fetchone())
)",
                                      {dir.file("KORVANIS.SQLITE")}, &ok, &errors);
        QVERIFY2(ok, qPrintable(errors));
        QCOMPARE(out.trimmed(), QString::number(HistoryMigrations().back().version)
                                    + " wal\n11 30 None 28 1 2024-05-01T12:29:00.000Z 7200");
    }

    void aFileOfTheFirstVersionIsBroughtUpToDate()
    {
        TempProgramDir dir;
        {
            RawFile v1(dir.file("KORVANIS.SQLITE"));
            for (const QString& statement : HistoryMigrations().front().statements)
                QCOMPARE(v1.exec(statement), QStringList());
            v1.exec("PRAGMA user_version = 1");
            v1.exec("INSERT INTO attempts (discipline, count, points, completed, saved_as_record, started_utc,"
                    " utc_offset_s) VALUES (11, 30, 17, 1, 0, '2023-01-02T03:04:05.000Z', 3600)");
        }
        Store s(dir);
        QCOMPARE(s.store.state(), HistoryStore::State::Writable);
        QVERIFY(s.problems.empty());
        s.store.record(scored(18));
        const std::vector<StoredAttempt> stored = s.store.attempts(11, {30, {}, {}, {}, {}});
        QCOMPARE(stored.size(), 2u);
        QCOMPARE(stored[1].attempt, scored(17));
        QCOMPARE(stored[1].started.toString(Qt::ISODate), QString("2023-01-02T04:04:05+01:00"));
        RawFile raw(dir.file("KORVANIS.SQLITE"));
        QCOMPARE(raw.exec("PRAGMA user_version"), QStringList(QString::number(HistoryMigrations().back().version)));
        QCOMPARE(raw.exec("SELECT name FROM sqlite_master WHERE type = 'index'"), QStringList("attempts_by_setting"));
        QCOMPARE(raw.exec("SELECT written_by FROM attempts ORDER BY id"),
                 QStringList({"", "Korvanis " KORVANIS_VERSION}));
    }

    void aNewFileHoldsItsLayoutBeforeTheFirstClose()
    {
        TempProgramDir dir;
        Store s(dir);
        s.store.record(scored(1));
        // The file alone, as a copy taken now holds it.
        const QString copy = dir.file("copy.SQLITE");
        QVERIFY(WriteBytes(copy, ReadBytes(dir.file("KORVANIS.SQLITE"))));
        RawFile raw(copy);
        QCOMPARE(raw.exec("SELECT name FROM sqlite_master ORDER BY name"),
                 QStringList({"attempt_items", "attempts", "attempts_by_setting", "attempts_readable",
                              "disciplines", "item_tallies"}));
        QCOMPARE(raw.exec("PRAGMA user_version"), QStringList(QString::number(HistoryMigrations().back().version)));
    }

    void aDamagedFileIsSetAsideAsItWasFound_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("withLog");
        for (bool withLog : {false, true}) {
            const char* log = withLog ? ", with its log" : "";
            QTest::addRow("not a database%s", log) << "replace" << withLog;
            QTest::addRow("cut short%s", log) << "cut" << withLog;
            QTest::addRow("a page overwritten%s", log) << "overwrite" << withLog;
        }
        // Every sixth entry of the index under another setting: the file passes a
        // quick check and lists those attempts wrongly.
        QTest::newRow("index entries changed") << "index" << false;
    }

    void aDamagedFileIsSetAsideAsItWasFound()
    {
        QFETCH(QString, damage);
        QFETCH(bool, withLog);
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        {
            Store s(dir);
            for (int i = 0; i < 300; ++i)
                s.store.record(scored(i));
        }
        // The page the attempts' table begins on: the one every list reads.
        int attemptsRoot = 0;
        {
            RawFile raw(file, "QSQLITE_OPEN_READONLY");
            attemptsRoot = raw.exec("SELECT rootpage FROM sqlite_master WHERE name = 'attempts'").value(0).toInt();
        }
        QVERIFY(attemptsRoot > 1);
        QByteArray bytes = ReadBytes(file);
        QByteArray log;
        if (withLog) {
            // The latest attempts still in the log, as a kill leaves them.
            Store s(dir);
            for (int i = 300; i < 310; ++i)
                s.store.record(scored(i));
            bytes = ReadBytes(file);
            log = ReadBytes(file + "-wal");
            QVERIFY(log.size() > 4096);
        }
        QVERIFY(bytes.size() > 3 * 4096);
        if (damage == "replace")
            bytes = QByteArray("Kein Verlauf, sondern ein Brief.\n").repeated(200);
        else if (damage == "cut")
            bytes.truncate(bytes.size() / 2);
        else if (damage == "index")
            QCOMPARE(changeIndexEntries(bytes, 6), 50);
        else
            bytes.replace((attemptsRoot - 1) * 4096, 512, QByteArray(512, '\xA5'));
        QVERIFY(WriteBytes(file, bytes));
        if (withLog)
            QVERIFY(WriteBytes(file + "-wal", log));

        Store s(dir);
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::SetAside});
        const QString target = "KORVANIS-2024-05-01-143000.SQLITE";
        QCOMPARE(s.problems[0].setAsideAs, target);
        QVERIFY(!s.problems[0].detail.isEmpty());
        QCOMPARE(ReadBytes(dir.file(target)), bytes);
        // Without a log at most the empty one SQLite begins at open goes with it.
        QVERIFY(QFileInfo::exists(dir.file(target + "-wal")) || !withLog);
        QCOMPARE(ReadBytes(dir.file(target + "-wal")), log);
        QCOMPARE(s.store.state(), HistoryStore::State::Writable);
        QCOMPARE(s.count(), 0);
        s.store.record(scored(1));
        QCOMPARE(s.count(), 1);
        QCOMPARE(s.problems.size(), 1u);
    }

    void damageMetWhileReadingIsSetAsideAsFound()
    {
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        Store s(dir);
        for (int i = 0; i < 300; ++i)
            s.store.record(scored(i));
        {
            // The table's pages now looked for where the index lies.
            RawFile other(file);
            const QString index = other.exec("SELECT rootpage FROM sqlite_master WHERE name = 'attempts_by_setting'").value(0);
            const int schema = other.exec("PRAGMA schema_version").value(0).toInt();
            other.exec("PRAGMA writable_schema = ON");
            QCOMPARE(other.exec("UPDATE sqlite_master SET rootpage = " + index + " WHERE name = 'attempts'"), QStringList());
            other.exec(QString("PRAGMA schema_version = %1").arg(schema + 1));
        }
        const QByteArray bytes = ReadBytes(file);
        const QByteArray log = ReadBytes(file + "-wal");
        QVERIFY(s.problems.empty());

        QCOMPARE(s.count(), 0);
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::SetAside});
        const QString target = dir.file("KORVANIS-2024-05-01-143000.SQLITE");
        QCOMPARE(ReadBytes(target), bytes);
        QCOMPARE(ReadBytes(target + "-wal"), log);
        QCOMPARE(s.store.state(), HistoryStore::State::Writable);
        s.store.record(scored(1));
        QCOMPARE(s.count(), 1);
    }

    // A copy, a restore or a file manager's crash can leave the log without its
    // file; SQLite would delete the log, and every attempt in it, at the next open.
    void aLogWithoutItsFileIsSetAsideUnchanged_data()
    {
        QTest::addColumn<bool>("emptyFile");
        QTest::addColumn<QStringList>("companions");
        QTest::newRow("log, file missing") << false << QStringList{"-wal", "-shm"};
        QTest::newRow("log, file empty") << true << QStringList{"-wal"};
        QTest::newRow("journal, file missing") << false << QStringList{"-journal"};
        QTest::newRow("everything, file empty") << true << QStringList{"-wal", "-shm", "-journal"};
    }

    void aLogWithoutItsFileIsSetAsideUnchanged()
    {
        QFETCH(bool, emptyFile);
        QFETCH(QStringList, companions);
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        QByteArray fileAsItWas;
        QMap<QString, QByteArray> found;
        {
            Store s(dir);
            for (int i = 0; i < 300; ++i)
                s.store.record(scored(i));
            // What a copy taken now, while the program runs, holds.
            fileAsItWas = ReadBytes(file);
            found["-wal"] = ReadBytes(file + "-wal");
            found["-shm"] = ReadBytes(file + "-shm");
            found["-journal"] = QByteArray("a journal of another file\n").repeated(100);
        }
        QVERIFY(found["-wal"].size() > 100 * 1024);
        QVERIFY(QFile::remove(file));
        if (emptyFile)
            QVERIFY(WriteBytes(file, {}));
        for (const QString& suffix : companions)
            QVERIFY(WriteBytes(file + suffix, found[suffix]));

        Store s(dir);
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::LeftoversSetAside});
        const QString target = "KORVANIS-2024-05-01-143000.SQLITE";
        QStringList was = emptyFile ? QStringList{"KORVANIS.SQLITE"} : QStringList();
        QStringList now = emptyFile ? QStringList{target} : QStringList();
        for (const QString& suffix : companions) {
            was << "KORVANIS.SQLITE" + suffix;
            now << target + suffix;
            QCOMPARE(ReadBytes(dir.file(target + suffix)), found[suffix]);
        }
        QCOMPARE(s.problems[0].detail, was.join(", "));
        QCOMPARE(s.problems[0].setAsideAs, now.join(", "));
        QCOMPARE(QFileInfo::exists(dir.file(target)), emptyFile);
        QCOMPARE(s.store.state(), HistoryStore::State::Writable);
        QCOMPARE(s.count(), 0);
        s.store.record(scored(1));
        QCOMPARE(s.count(), 1);

        // Beside the file it belongs to, the log that was set aside gives back
        // every attempt.
        if (companions.contains("-wal")) {
            const QString scratch = dir.file("scratch.SQLITE");
            QVERIFY(WriteBytes(scratch, fileAsItWas));
            QVERIFY(QFile::copy(dir.file(target + "-wal"), scratch + "-wal"));
            QCOMPARE(RawFile(scratch).exec("SELECT COUNT(*) FROM attempts"), QStringList("300"));
        }
    }

    void filesThatMayNotBeWrittenAreShownButNeverChanged_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<HistoryProblem::Kind>("kind");
        QTest::newRow("marked read-only") << "chmod" << HistoryProblem::ReadOnly;
        QTest::newRow("from a newer program") << "version" << HistoryProblem::NewerVersion;
    }

    void filesThatMayNotBeWrittenAreShownButNeverChanged()
    {
        QFETCH(QString, how);
        QFETCH(HistoryProblem::Kind, kind);
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        {
            Store s(dir);
            s.store.record(scored(5));
        }
        if (how == "chmod")
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
        else
            RawFile(file).exec("PRAGMA user_version = 99");
        const QByteArray before = ReadBytes(file);

        Store s(dir);
        QCOMPARE(s.store.state(), HistoryStore::State::ReadOnly);
        QCOMPARE(s.count(), 1);
        s.store.record(scored(6));
        s.store.record(scored(7));
        // Told once, at the start; the attempts wait in case the mark goes.
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{kind});
        QCOMPARE(s.store.pendingCount(), 2u);
        QCOMPARE(ReadBytes(file), before);
        if (how == "chmod") {
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
            s.store.record(scored(8));
            QCOMPARE(s.store.pendingCount(), 0u);
            QCOMPARE(s.count(), 4);
        }
    }

    void aReadOnlyStartLeavesNothingBeside_data()
    {
        QTest::addColumn<bool>("withLog");
        QTest::newRow("closed in order") << false;
        QTest::newRow("with a log a kill left") << true;
    }

    void aReadOnlyStartLeavesNothingBeside()
    {
        QFETCH(bool, withLog);
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        {
            Store s(dir);
            for (int i = 0; i < 5; ++i)
                s.store.record(scored(i));
        }
        int stored = 5;
        if (withLog) {
            QByteArray bytes, log;
            {
                Store s(dir);
                s.store.record(scored(stored++));
                bytes = ReadBytes(file);
                log = ReadBytes(file + "-wal");
            }
            QVERIFY(WriteBytes(file, bytes));
            QVERIFY(WriteBytes(file + "-wal", log));
        }
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QStringList before = folderAsItIs(dir);
        {
            Store s(dir);
            QCOMPARE(s.store.state(), HistoryStore::State::ReadOnly);
            QCOMPARE(s.count(), stored);
            QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::ReadOnly});
        }
        QCOMPARE(folderAsItIs(dir), before);
    }

    // An earlier version's read-only start left its index and log read-only too:
    // once the mark is off the file, they must not keep every write out.
    void readOnlyCompanionsOfAnEarlierStartDoNotStopWrites()
    {
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        {
            Store s(dir);
            s.store.record(scored(1));
        }
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QCOMPARE(RawFile(file, "QSQLITE_OPEN_READONLY").exec("SELECT COUNT(*) FROM attempts"), QStringList("1"));
        for (const char* companion : {"-shm", "-wal"})
            QCOMPARE(QFileInfo(file + companion).permissions() & QFile::WriteOwner, QFile::Permissions());
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));

        Store s(dir);
        QCOMPARE(s.store.state(), HistoryStore::State::Writable);
        s.store.record(scored(2));
        QVERIFY(s.problems.empty());
        QCOMPARE(s.store.pendingCount(), 0u);
        QCOMPARE(s.count(), 2);
        for (const char* companion : {"-shm", "-wal"}) {
            const QFileInfo info(file + companion);
            QVERIFY2(!info.exists() || (info.permissions() & QFile::WriteOwner), companion);
        }
    }

    void aFolderThatCannotHoldTheFileIsReportedOnce()
    {
        TempProgramDir dir;
        QVERIFY(QDir().mkdir(dir.file("KORVANIS.SQLITE")));
        Store s(dir);
        QCOMPARE(s.store.state(), HistoryStore::State::Unavailable);
        s.store.record(scored(1));
        s.store.record(scored(2));
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::CannotOpen});
        QVERIFY(!s.problems[0].detail.isEmpty());
        QCOMPARE(s.store.pendingCount(), 2u);
        QVERIFY(QDir(dir.file("KORVANIS.SQLITE")).exists());
    }

    void aFullDiskKeepsTheAttemptUntilItCanBeWritten()
    {
        TempProgramDir dir;
        Store s(dir);
        s.store.record(scored(0));
        int recorded = 1;
        {
            FileSizeLimit limit(64 * 1024);
            while (s.store.pendingCount() == 0 && recorded < 1000)
                s.store.record(scored(recorded++));
            QCOMPARE(s.store.pendingCount(), 1u);
            s.store.record(scored(recorded++));
            s.store.record(scored(recorded++));
        }
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::WriteFailed});
        QCOMPARE(s.store.pendingCount(), 3u);
        // With room again, the waiting attempts go in before the new one.
        s.store.record(scored(recorded++));
        QCOMPARE(s.store.pendingCount(), 0u);
        QCOMPARE(s.count(), recorded);
        QStringList points;
        for (const StoredAttempt& a : s.store.attempts(11, {30, {}, {}, {}, {}}))
            points.prepend(QString::number(*a.attempt.result.points));
        QCOMPARE(points.first(), QString("0"));
        QCOMPARE(points.last(), QString::number(recorded - 1));
        QCOMPARE(points.removeDuplicates(), 0);
        Store again(dir);
        QVERIFY(again.problems.empty());
        QCOMPARE(again.count(), recorded);
    }

    // Whatever keeps the file from being written at the close, the attempts wait
    // in a file beside it and go in at the next start, with their own times.
    void attemptsThatCannotBeWrittenWaitForTheNextStart_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::newRow("another program holds the file") << "busy";
        QTest::newRow("disk full") << "full";
        QTest::newRow("marked read-only") << "chmod";
    }

    void attemptsThatCannotBeWrittenWaitForTheNextStart()
    {
        QFETCH(QString, cause);
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        const QString waitingFile = QString("KORVANIS.SQLITE.%1.pending.json").arg(QCoreApplication::applicationPid());
        {
            Store s(dir);
            s.store.record(scored(0));
        }
        if (cause == "chmod")
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
        std::vector<HistoryProblem> problems;
        QList<QDateTime> started;
        {
            Store s(dir);
            std::optional<RawFile> other;
            std::optional<FileSizeLimit> limit;
            int points = 1;
            // The start of every attempt that comes to wait.
            const auto record = [&] {
                const std::size_t before = s.store.pendingCount();
                s.store.record(scored(points++));
                if (s.store.pendingCount() > before)
                    started << s.clock;
            };
            if (cause == "busy") {
                other.emplace(file);
                QCOMPARE(other->exec("BEGIN EXCLUSIVE"), QStringList());
            } else if (cause == "full") {
                limit.emplace(64 * 1024);
                while (s.store.pendingCount() == 0 && points < 1000)
                    record();
            }
            for (int minute = 1; s.store.pendingCount() < 2; ++minute) {
                s.clock = Now.addSecs(60 * minute);
                record();
            }
            s.store.close();
            problems = s.problems;
        }
        QCOMPARE(problems.back().kind, HistoryProblem::KeptForLater);
        QCOMPARE(problems.back().attempts, 2);
        QCOMPARE(problems.back().keptIn, waitingFile);
        if (cause == "chmod")
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));

        // Another program reads what waits.
        bool ok = false;
        QString errors;
        const QString out = RunPython(R"(
import json, sys
for a in json.load(open(sys.argv[1]))["attempts"]:
    print(a["discipline"], a["count"], a["per_line"], a["started_utc"], a["utc_offset_s"])
)",
                                      {dir.file(waitingFile)}, &ok, &errors);
        QVERIFY2(ok, qPrintable(errors));
        QStringList expected;
        for (const QDateTime& time : started)
            expected << "11 30 None " + time.toUTC().toString(Qt::ISODateWithMs) + " 7200";
        QCOMPARE(out.trimmed().split('\n'), expected);

        Store s(dir);
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::Merged});
        QCOMPARE(s.problems[0].attempts, 2);
        QCOMPARE(s.problems[0].keptIn, waitingFile);
        QVERIFY(!QFileInfo::exists(dir.file(waitingFile)));
        const std::vector<StoredAttempt> stored = s.store.attempts(11, {30, {}, {}, {}, {}});
        QCOMPARE(stored[0].started, started[1]);
        QCOMPARE(stored[0].started.offsetFromUtc(), 7200);
        QCOMPARE(stored[1].started, started[0]);
        QStringList points;
        for (const StoredAttempt& a : stored)
            points << QString::number(*a.attempt.result.points);
        QCOMPARE(points.removeDuplicates(), 0);
        Store again(dir);
        QVERIFY(again.problems.empty());
        QCOMPARE(again.count(), int(stored.size()));
    }

    void attemptsThatCanBeKeptNowhereAreToldLost()
    {
        TempProgramDir dir;
        std::vector<HistoryProblem> problems;
        {
            Store s(dir);
            s.store.record(scored(0));
            FileSizeLimit limit(512);
            s.clock = Now.addSecs(60);
            for (int i = 1; i <= 3; ++i)
                s.store.record(scored(i));
            s.store.close();
            problems = s.problems;
        }
        QCOMPARE(problems.size(), 2u);
        QCOMPARE(problems[0].kind, HistoryProblem::WriteFailed);
        QCOMPARE(problems[1].kind, HistoryProblem::Lost);
        QCOMPARE(problems[1].attempts, 3);
        QVERIFY(!problems[1].detail.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList({"*.pending.json*", ".*.pending.json*"}, QDir::Files | QDir::Hidden),
                 QStringList());
    }

    // A kill keeps what waits too; and a file that was already taken in once (a kill
    // between writing its attempts and removing it) adds nothing twice.
    void aKillLosesNoWaitingAttempt()
    {
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        {
            Store s(dir);
            s.store.record(scored(0));
        }
        QString waitingFile;
        {
            RawFile other(file);
            QCOMPARE(other.exec("BEGIN EXCLUSIVE"), QStringList());
            QProcess copy;
            copy.start(historyHelper(), {dir.path(), "write-and-wait", "2"});
            QVERIFY(copy.waitForReadyRead(30000));
            QCOMPARE(copy.readAllStandardOutput().trimmed(), QByteArray("pending=2"));
            waitingFile = QString("KORVANIS.SQLITE.%1.pending.json").arg(copy.processId());
            ::kill(pid_t(copy.processId()), SIGKILL);
            QVERIFY(copy.waitForFinished(10000));
            other.exec("ROLLBACK");
        }
        const QByteArray waiting = ReadBytes(dir.file(waitingFile));
        QVERIFY(!waiting.isEmpty());
        {
            Store s(dir);
            QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::Merged});
            QCOMPARE(s.problems[0].attempts, 2);
            QCOMPARE(s.problems[0].keptIn, waitingFile);
            QCOMPARE(s.count(), 3);
        }
        QVERIFY(!QFileInfo::exists(dir.file(waitingFile)));
        QVERIFY(WriteBytes(dir.file(waitingFile), waiting));
        Store s(dir);
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::Merged});
        QCOMPARE(s.count(), 3);
        QVERIFY(!QFileInfo::exists(dir.file(waitingFile)));
    }

    void waitingFilesThatAreNotOursToTakeStay()
    {
        TempProgramDir dir;
        const QString waiting = R"({"attempts": [{"discipline": 11, "count": 30, "per_line": null,
            "memo_minutes": null, "recall_minutes": null, "pulse_ms": null, "run_seconds": null, "points": 7,
            "correct_digits": null, "marked_errors": null, "memo_seconds_used": null, "recall_seconds_used": null,
            "completed": true, "saved_as_record": false, "started_utc": "2024-04-30T10:00:00.000Z",
            "utc_offset_s": 7200}]})";
        // The number of a process that runs (the one that started the test), and
        // one no process can have.
        const QString running = QString("KORVANIS.SQLITE.%1.pending.json").arg(::getppid());
        const QString damaged = "KORVANIS.SQLITE.999999999.pending.json";
        QVERIFY(WriteBytes(dir.file(running), waiting.toUtf8()));
        QByteArray cut = waiting.toUtf8();
        cut.chop(20);
        QVERIFY(WriteBytes(dir.file(damaged), cut));

        Store s(dir);
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::WaitingUnreadable});
        QCOMPARE(s.problems[0].keptIn, damaged);
        QVERIFY(!s.problems[0].detail.isEmpty());
        QCOMPARE(s.store.state(), HistoryStore::State::Writable);
        QCOMPARE(s.count(), 0);
        QCOMPARE(ReadBytes(dir.file(running)), waiting.toUtf8());
        QCOMPARE(ReadBytes(dir.file(damaged)), cut);

        // Once nobody runs under that number, its file is taken in.
        QVERIFY(QFile::rename(dir.file(running), dir.file("KORVANIS.SQLITE.999999998.pending.json")));
        Store later(dir);
        QCOMPARE(later.count(), 1);
        QCOMPARE(later.store.attempts(11, {30, {}, {}, {}, {}})[0].started,
                 QDateTime(QDate(2024, 4, 30), QTime(12, 0), Qt::OffsetFromUTC, 7200));
    }

    // A kill in the middle of replacing a waiting file leaves its private file:
    // whole after its sync (the newest list), or cut short before.
    void aReplacementAKillLeftIsTakenInOnce()
    {
        TempProgramDir dir;
        const auto attempt = [](int points, int minute) {
            return QString(R"({"discipline": 11, "count": 30, "per_line": null, "memo_minutes": null,
                "recall_minutes": null, "pulse_ms": null, "run_seconds": null, "points": %1,
                "correct_digits": null, "marked_errors": null, "memo_seconds_used": null,
                "recall_seconds_used": null, "completed": true, "saved_as_record": false,
                "started_utc": "2024-04-30T10:%2:00.000Z", "utc_offset_s": 7200})")
                .arg(points)
                .arg(minute, 2, 10, QChar('0'));
        };
        const QString older = "{\"attempts\": [" + attempt(1, 0) + "]}";
        const QString newer = "{\"attempts\": [" + attempt(1, 0) + ", " + attempt(2, 1) + "]}";
        const QString file = "KORVANIS.SQLITE.999999997.pending.json";
        QVERIFY(WriteBytes(dir.file(file), older.toUtf8()));
        QVERIFY(WriteBytes(dir.file("." + file + ".999999997"), newer.toUtf8()));
        const QString cut = ".KORVANIS.SQLITE.999999996.pending.json.999999996";
        QVERIFY(WriteBytes(dir.file(cut), newer.left(100).toUtf8()));

        Store s(dir);
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::Merged});
        QCOMPARE(s.problems[0].attempts, 2);
        QCOMPARE(s.count(), 2);
        QCOMPARE(QDir(dir.path()).entryList({"*.pending.json*"}, QDir::Files | QDir::Hidden), QStringList());
    }

    void aBusyFileKeepsTheAttemptForTheNextOne()
    {
        TempProgramDir dir;
        Store s(dir);
        s.store.record(scored(1));
        RawFile other(dir.file("KORVANIS.SQLITE"));
        QCOMPARE(other.exec("BEGIN EXCLUSIVE"), QStringList());
        QElapsedTimer waited;
        waited.start();
        s.store.record(scored(2));
        QVERIFY(waited.elapsed() >= HistoryStore::BusyTimeoutMs - 100);
        QCOMPARE(s.kinds(), QList<HistoryProblem::Kind>{HistoryProblem::WriteFailed});
        QCOMPARE(s.store.pendingCount(), 1u);
        QCOMPARE(other.exec("COMMIT"), QStringList());
        s.store.record(scored(3));
        QCOMPARE(s.store.pendingCount(), 0u);
        QCOMPARE(s.count(), 3);
    }

    void twoCopiesWriteSideBySide()
    {
        TempProgramDir dir;
        Store s(dir);
        QProcess copies[2];
        for (QProcess& copy : copies)
            copy.start(historyHelper(), {dir.path(), "write", "150"});
        for (int i = 0; i < 150; ++i)
            s.store.record(scored(i));
        for (QProcess& copy : copies) {
            QVERIFY(copy.waitForFinished(60000));
            QCOMPARE(copy.readAllStandardOutput().trimmed(), QByteArray("pending=0 problems="));
        }
        QVERIFY(s.problems.empty());
        QCOMPARE(s.count(), 450);
        QCOMPARE(RawFile(dir.file("KORVANIS.SQLITE")).exec("PRAGMA integrity_check"), QStringList("ok"));
    }

    void aKillWhileWritingLosesAtMostTheAttemptUnderWay()
    {
        TempProgramDir dir;
        QProcess copy;
        copy.start(historyHelper(), {dir.path(), "write-forever"});
        QByteArray out;
        while (out.count('\n') < 40 && copy.waitForReadyRead(10000))
            out += copy.readAllStandardOutput();
        ::kill(pid_t(copy.processId()), SIGKILL);
        QVERIFY(copy.waitForFinished(10000));
        out += copy.readAllStandardOutput();
        const QList<QByteArray> lines = out.trimmed().split('\n');
        const int confirmed = lines.last().toInt();
        QVERIFY(confirmed >= 40);

        Store s(dir);
        QVERIFY(s.problems.empty());
        QVERIFY2(s.count() == confirmed || s.count() == confirmed + 1, qPrintable(QString::number(s.count())));
    }
};

QTEST_GUILESS_MAIN(TestHistoryStore)
#include "test_history_store.moc"
