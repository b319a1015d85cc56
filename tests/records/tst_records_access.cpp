// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The table belongs to one running copy of the program: a second copy finds no
// records and cannot store, a store that returned survives the program being
// killed, a kill at any file-changing call leaves no index that lists wrong
// records, and what a killed copy left half-written is cleared by the next one.
#include "records/records_table.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The id of a process that has ended: a copy killed while it wrote a table.
pid_t EndedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

QStringList Entries(const TempProgramDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

bool StraceWorks()
{
    QProcess strace;
    strace.start(QStringLiteral("strace"), {QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("true")});
    return strace.waitForFinished(30000) && strace.exitStatus() == QProcess::NormalExit && strace.exitCode() == 0;
}

// Best times with their own counts and times, so that both indexes span pages.
std::vector<QStringList> SomeBestTimes()
{
    std::vector<QStringList> rows;
    for (int i = 0; i < 120; ++i)
        rows.push_back({QString::number(i % 2), QString::number(1 + i / 2), QString(), QStringLiteral("2"),
                        QString::number(20 + i * 0.5, 'f', 2), QString(), QString(), QString(), "20240101"});
    return rows;
}

} // namespace

class TestRecordsAccess : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aSecondCopyFindsNothingAndCannotStore()
    {
        TempProgramDir dir;
        RecordsTable first;
        first.OpenRecordsTable(dir.path());
        first.StoreBestTime(0, 200, 2, 50);
        const QByteArray before = ReadBytes(dir.file("KORVANIS.DBF"));

        QProcess second;
        second.start(QStringLiteral(RECORDS_HELPER), {dir.path(), QStringLiteral("probe")});
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(second.readAllStandardOutput()).trimmed(),
                 QStringLiteral("open=0 best=none errors=DBDaten: Operation bei geschlossener Datenmenge nicht ausführbar"));

        QCOMPARE(ReadBytes(dir.file("KORVANIS.DBF")), before);
        QCOMPARE(first.LookupBestTime(0, 200, 2), std::optional<double>(50));
        first.StoreBestTime(0, 200, 2, 40);
        QCOMPARE(first.LookupBestTime(0, 200, 2), std::optional<double>(40));
    }

    void aStoreSurvivesTheProgramBeingKilled()
    {
        TempProgramDir dir;
        QProcess program;
        program.start(QStringLiteral(RECORDS_HELPER), {dir.path(), QStringLiteral("store-and-wait")});
        QVERIFY(program.waitForReadyRead(30000));
        QCOMPARE(program.readLine().trimmed(), QByteArray("stored"));

        RecordsTable meanwhile; // the running program still holds the table
        meanwhile.OpenRecordsTable(dir.path());
        QVERIFY(!meanwhile.isOpen());
        QVERIFY(!meanwhile.LookupBestTime(0, 300, 3));

        program.kill();
        QVERIFY(program.waitForFinished(30000));
        const QByteArray file = ReadBytes(dir.file("KORVANIS.DBF"));
        QCOMPARE(DbfRecordCount(file), 1u);
        QCOMPARE(file.size(), 321 + 59 + 1);
        RecordsTable after;
        after.OpenRecordsTable(dir.path());
        QCOMPARE(after.LookupBestTime(0, 300, 3), std::optional<double>(12.5));
    }

    // The program is killed at the first, second, ... call of one kind that
    // changes a file, from its start through four stores: the table still reads,
    // each index file lists what the table holds or is marked out of date, and
    // the next start builds both anew and clears what the killed copy left.
    void aKillAtAnyFileChangeLeavesNoWrongIndex_data()
    {
        QTest::addColumn<QString>("call");
        for (const char* call : {"pwrite64", "fsync", "fdatasync", "rename"})
            QTest::newRow(call) << QString::fromLatin1(call);
    }
    void aKillAtAnyFileChangeLeavesNoWrongIndex()
    {
        QFETCH(QString, call);
        if (!StraceWorks())
            QSKIP("strace cannot trace here (Debian package strace; a container may forbid ptrace)");
        // LeakSanitizer cannot run under a tracer, and would fail the helper at
        // its end in a sanitizer build.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        for (int when = 1; when < 1000; ++when) {
            TempProgramDir dir;
            QVERIFY(WriteBytes(dir.file("KORVANIS.DBF"), DbfImage(RecordsLayout(), SomeBestTimes())));
            RecordsTable().OpenRecordsTable(dir.path()); // the indexes of an earlier start

            QProcess program;
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral("strace"),
                          {QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                           QStringLiteral("-e"), QStringLiteral("trace=") + call, QStringLiteral("-e"),
                           QStringLiteral("inject=%1:signal=KILL:when=%2").arg(call).arg(when),
                           QStringLiteral(RECORDS_HELPER), dir.path(), QStringLiteral("store-several")});
            QVERIFY(program.waitForFinished(60000));
            // strace ends as its program did: killed, or with its exit code.
            const bool ranThrough = program.exitStatus() == QProcess::NormalExit;
            const QString after = QStringLiteral("killed at %1 %2: ").arg(call).arg(when);
            if (ranThrough)
                QCOMPARE(program.exitCode(), 0);

            const QString wrong = CheckBothIndexes(dir.path(), true);
            QVERIFY2(wrong.isEmpty(), qPrintable(after + wrong));
            RecordsTable next;
            next.OpenRecordsTable(dir.path());
            QVERIFY2(next.isOpen(), qPrintable(after + QStringLiteral("the table does not open")));
            const QString rebuilt = CheckBothIndexes(dir.path());
            QVERIFY2(rebuilt.isEmpty(), qPrintable(after + rebuilt));
            QCOMPARE(Entries(dir), (QStringList{"KORVANI2.NTX", "KORVANIS.DBF", "KORVANIS.NTX"}));
            if (ranThrough) {
                QVERIFY2(when > 1, "the helper makes no such call");
                QCOMPARE(next.LookupPointsRecord(10, 300, 600), std::optional<double>(130));
                break;
            }
        }
    }

    void leftoversOfKilledCopiesAreRemoved_data()
    {
        QTest::addColumn<QString>("name"); // %1 stands for the process id
        QTest::addColumn<bool>("running"); // the process that wrote it still runs
        QTest::addColumn<bool>("held");    // somebody holds the file
        QTest::addColumn<bool>("removed");
        QTest::newRow("new table") << ".KORVANIS.DBF.%1.0" << false << false << true;
        QTest::newRow("converted table") << ".KVTEMP.DBF.%1.17" << false << false << true;
        QTest::newRow("still being written") << ".KORVANIS.DBF.%1.0" << true << false << false;
        QTest::newRow("held by a process we cannot see") << ".KORVANIS.DBF.%1.0" << false << true << false;
        QTest::newRow("count index") << ".KORVANIS.NTX.%1.0" << false << false << true;
        QTest::newRow("times index") << ".KORVANI2.NTX.%1.3" << false << false << true;
        QTest::newRow("another file's") << ".KORVANIS.DBT.%1.0" << false << false << false;
        QTest::newRow("not hidden") << "KORVANIS.DBF.%1.0" << false << false << false;
        QTest::newRow("no number after the id") << ".KORVANIS.DBF.%1.x" << false << false << false;
        QTest::newRow("no process id") << ".KORVANIS.DBF.0.0" << false << false << false;
    }
    void leftoversOfKilledCopiesAreRemoved()
    {
        QFETCH(QString, name);
        QFETCH(bool, running);
        QFETCH(bool, held);
        QFETCH(bool, removed);
        TempProgramDir dir;
        QProcess writer;
        if (running) {
            writer.start(QStringLiteral("sleep"), {QStringLiteral("60")});
            QVERIFY(writer.waitForStarted());
        }
        auto stop = qScopeGuard([&] {
            writer.kill();
            writer.waitForFinished();
        });
        const qint64 pid = running ? writer.processId() : EndedProcess();
        const QString leftover = dir.file(name.arg(pid));
        QVERIFY(WriteBytes(leftover, QByteArray(200, '\0')));
        const int holder = ::open(QFile::encodeName(leftover).constData(), O_RDONLY | O_CLOEXEC);
        auto release = qScopeGuard([&] { ::close(holder); });
        if (held)
            QCOMPARE(::flock(holder, LOCK_EX | LOCK_NB), 0);

        RecordsTable records;
        records.OpenRecordsTable(dir.path());
        QVERIFY(records.isOpen());
        QCOMPARE(QFile::exists(leftover), !removed);
        QVERIFY(Entries(dir).contains(QStringLiteral("KORVANIS.DBF")));
    }

    void leftoversStayWhileAnotherCopyHoldsTheTable()
    {
        TempProgramDir dir;
        QProcess program;
        program.start(QStringLiteral(RECORDS_HELPER), {dir.path(), QStringLiteral("store-and-wait")});
        QVERIFY(program.waitForReadyRead(30000));
        const QString leftover = dir.file(QStringLiteral(".KVTEMP.DBF.%1.0").arg(EndedProcess()));
        QVERIFY(WriteBytes(leftover, QByteArray(200, '\0')));

        RecordsTable meanwhile;
        meanwhile.OpenRecordsTable(dir.path());
        QVERIFY(!meanwhile.isOpen());
        QVERIFY(QFile::exists(leftover));

        program.kill();
        QVERIFY(program.waitForFinished(30000));
        RecordsTable after;
        after.OpenRecordsTable(dir.path());
        QVERIFY(after.isOpen());
        QCOMPARE(Entries(dir), (QStringList{"KORVANI2.NTX", "KORVANIS.DBF", "KORVANIS.NTX"}));
    }
};

QTEST_GUILESS_MAIN(TestRecordsAccess)
#include "tst_records_access.moc"
