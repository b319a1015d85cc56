// The table belongs to one running copy of the program: a second copy finds no
// records and cannot store, and a store that returned survives the program being
// killed.
#include "records/records_table.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"

#include <QProcess>
#include <QTest>

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
};

QTEST_GUILESS_MAIN(TestRecordsAccess)
#include "tst_records_access.moc"
