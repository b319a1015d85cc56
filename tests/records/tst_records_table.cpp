// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The four record operations, the keys, first start, conversion and the failure
// rules of the records table.
#include "core/korvanis_error.h"
#include "records/records_table.h"
#include "records/xbase_table.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cmath>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QDate kToday(2024, 3, 15);

// The values of one record read back through the engine, "" for a blank field.
QStringList RecordTexts(const QString& tableFile, int recNo)
{
    XBaseTable table;
    table.useReadOnly(tableFile);
    table.go(recNo);
    QStringList texts;
    for (int field = 1; field <= table.fieldCount(); ++field)
        texts << QString::fromStdString(table.readRaw(table.fieldInfo(field)->name)).trimmed();
    return texts;
}

int RecordCount(const QString& tableFile)
{
    XBaseTable table;
    table.useReadOnly(tableFile);
    return table.recCount();
}

QString StoreError(const std::function<void()>& store)
{
    try {
        store();
    } catch (const KorvanisError& error) {
        return error.text();
    }
    return QString();
}

} // namespace

class TestRecordsTable : public QObject {
    Q_OBJECT

private:
    void open(RecordsTable& records, const TempProgramDir& dir)
    {
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
    }

private Q_SLOTS:
    void bestTimeKey_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("perLine");
        QTest::addColumn<QString>("key");
        QTest::newRow("numbers 200 by 2") << 0 << 200 << 2 << QStringLiteral("  0  200  2");
        QTest::newRow("cards 52 by 3") << 2 << 52 << 3 << QStringLiteral("  2   52  3");
        QTest::newRow("widest") << 999 << 99999 << 999 << QStringLiteral("99999999999");
        QTest::newRow("count too wide") << 0 << 100000 << 2 << QString();
        QTest::newRow("negative count") << 0 << -1 << 2 << QString();
        QTest::newRow("line too wide") << 0 << 200 << 1000 << QString();
        QTest::newRow("code too wide") << 1000 << 200 << 2 << QString();
        QTest::newRow("negative code") << -1 << 200 << 2 << QString();
    }
    void bestTimeKey()
    {
        QFETCH(int, code);
        QFETCH(int, count);
        QFETCH(int, perLine);
        QFETCH(QString, key);
        QCOMPARE(BestTimeKey(code, count, perLine).value_or(QString()), key);
    }

    void pointsKey_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("memo");
        QTest::addColumn<double>("recall");
        QTest::addColumn<QString>("key");
        QTest::newRow("5 and 10 minutes") << 10 << 300.0 << 600.0 << QStringLiteral(" 10  300.00  600.00");
        QTest::newRow("spoken pulse in ms") << 13 << 1500.0 << 300.0 << QStringLiteral(" 13 1500.00  300.00");
        QTest::newRow("rounds like printf") << 11 << 2.675 << 0.125 << QStringLiteral(" 11    2.67    0.12");
        QTest::newRow("widest") << 10 << 99999.99 << 0.0 << QStringLiteral(" 1099999.99    0.00");
        QTest::newRow("100000 s") << 10 << 100000.0 << 600.0 << QString();
        QTest::newRow("rounds to 100000") << 10 << 99999.996 << 600.0 << QString();
        QTest::newRow("negative") << 10 << -1.0 << 600.0 << QString();
        QTest::newRow("not a number") << 10 << 300.0 << std::nan("") << QString();
        QTest::newRow("infinite") << 10 << std::numeric_limits<double>::infinity() << 600.0 << QString();
    }
    void pointsKey()
    {
        QFETCH(int, code);
        QFETCH(double, memo);
        QFETCH(double, recall);
        QFETCH(QString, key);
        QCOMPARE(PointsKey(code, memo, recall).value_or(QString()), key);
    }

    void firstStartCreatesEmptyTableAndBothIndexes()
    {
        TempProgramDir dir;
        RecordsTable records;
        open(records, dir);
        QVERIFY(records.isOpen());
        QCOMPARE(DbfRecordCount(ReadBytes(dir.file("KORVANIS.DBF"))), 0u);
        QCOMPARE(records.CountIndexOrder(), 1);
        QCOMPARE(records.TimesIndexOrder(), 2);
        // Each an NTX file of a header page and one empty page.
        QList<NtxEntry> listed{{1, "x"}};
        QCOMPARE(CheckNtxLayout(ReadBytes(dir.file("KORVANIS.NTX")), "STR(DISZIPLIN,3)+STR(ANZAHL,5)+STR(ZEILE,3)", 11,
                                &listed),
                 QString());
        QCOMPARE(listed, QList<NtxEntry>());
        QCOMPARE(CheckNtxLayout(ReadBytes(dir.file("KORVANI2.NTX")),
                                "STR(DISZIPLIN,3)+STR(ZEIT,8,2)+STR(REPLAYZEIT,8,2)+STR(ANZAHL,5)", 24, &listed),
                 QString());
        QCOMPARE(listed, QList<NtxEntry>());
        QCOMPARE(QFile(dir.file("KORVANIS.NTX")).size(), 2048);
        QVERIFY(!records.LookupBestTime(0, 200, 2));
        QVERIFY(!records.LookupPointsRecord(10, 300, 600));
    }

    void storingBestTimeTwiceKeepsOneRecordWithTheLaterTime()
    {
        TempProgramDir dir;
        RecordsTable records;
        open(records, dir);
        records.StoreBestTime(0, 200, 2, 50.5);
        QCOMPARE(records.LookupBestTime(0, 200, 2), std::optional<double>(50.5));
        records.StoreBestTime(0, 200, 2, 40.25);
        QCOMPARE(records.LookupBestTime(0, 200, 2), std::optional<double>(40.25));
        QVERIFY(!records.LookupBestTime(0, 200, 3));
        QVERIFY(!records.LookupBestTime(1, 200, 2));
        records.CloseRecordsTable();

        QCOMPARE(RecordCount(dir.file("KORVANIS.DBF")), 1);
        QCOMPARE(RecordTexts(dir.file("KORVANIS.DBF"), 1),
                 (QStringList{"0", "200", "", "2", "40.25", "", "", "", "20240315"}));
        RecordsTable again;
        open(again, dir);
        QCOMPARE(again.LookupBestTime(0, 200, 2), std::optional<double>(40.25));
    }

    void pointsForAnotherCountEditTheRecordAndKeepItsCount()
    {
        TempProgramDir dir;
        RecordsTable records;
        open(records, dir);
        records.StorePointsRecord(10, 200, 300, 600, 150, 290.5, 580);
        records.StorePointsRecord(10, 400, 300, 600, 170, 299, 600);
        QCOMPARE(records.LookupPointsRecord(10, 300, 600), std::optional<double>(170));
        QVERIFY(!records.LookupPointsRecord(10, 300, 900));
        QVERIFY(!records.LookupPointsRecord(11, 300, 600));
        records.CloseRecordsTable();
        QCOMPARE(RecordCount(dir.file("KORVANIS.DBF")), 1);
        QCOMPARE(RecordTexts(dir.file("KORVANIS.DBF"), 1),
                 (QStringList{"10", "200", "170.0", "", "300.00", "600.00", "299.00", "600.00", "20240315"}));
    }

    void pointsLookupTakesTheFirstRecordInIndexOrder()
    {
        TempProgramDir dir;
        WriteBytes(dir.file("KORVANIS.DBF"),
                   DbfImage(RecordsLayout(), {{"10", "400", "90.0", "", "300.00", "600.00", "", "", "20230101"},
                                              {"10", "200", "80.0", "", "300.00", "600.00", "", "", "20230101"}}));
        RecordsTable records;
        open(records, dir);
        QCOMPARE(records.LookupPointsRecord(10, 300, 600), std::optional<double>(80));
    }

    void bothKindsOfRecordLiveSideBySide()
    {
        TempProgramDir dir;
        RecordsTable records;
        open(records, dir);
        records.StoreBestTime(10, 300, 600, 12.5); // a picture code equal to a memorisation one
        records.StorePointsRecord(10, 200, 300, 600, 150, 290, 580);
        records.StoreBestTime(0, 300, 3, 70);
        QCOMPARE(records.LookupBestTime(10, 300, 600), std::optional<double>(12.5));
        QCOMPARE(records.LookupBestTime(0, 300, 3), std::optional<double>(70));
        QCOMPARE(records.LookupPointsRecord(10, 300, 600), std::optional<double>(150));
    }

    void anOldTableIsConvertedAndKeepsItsValues()
    {
        TempProgramDir dir;
        const QByteArray old = DbfImage(OldRecordsLayout(), {{"0", "200", "", "2", "45.50", "", "", "20200202"},
                                                             {"10", "400", "123.5", "", "300.00", "250.00", "580.00", "20210303"}});
        WriteBytes(dir.file("KORVANIS.DBF"), old);
        RecordsTable records;
        open(records, dir);
        QVERIFY(records.isOpen());
        QVERIFY(!QFile::exists(dir.file("KVTEMP.DBF")));
        QCOMPARE(records.LookupBestTime(0, 200, 2), std::optional<double>(45.5));
        QCOMPARE(records.LookupPointsRecord(10, 300, 0), std::optional<double>(123.5));
        records.CloseRecordsTable();
        QCOMPARE(RecordTexts(dir.file("KORVANIS.DBF"), 1), (QStringList{"0", "200", "", "2", "45.50", "", "", "", "20200202"}));
        QCOMPARE(RecordTexts(dir.file("KORVANIS.DBF"), 2),
                 (QStringList{"10", "400", "123.5", "", "300.00", "", "250.00", "580.00", "20210303"}));
    }

    void aConvertedTableKeepsTheOldFilesModeAndOwner_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("owner only") << 0600;
        QTest::newRow("group may read") << 0640;
        QTest::newRow("group may write") << 0664;
    }
    void aConvertedTableKeepsTheOldFilesModeAndOwner()
    {
        QFETCH(int, mode);
        TempProgramDir dir;
        const QString table = dir.file("KORVANIS.DBF");
        const QByteArray name = QFile::encodeName(table);
        WriteBytes(table, DbfImage(OldRecordsLayout(), {{"0", "200", "", "2", "45.50", "", "", "20200202"}}));
        QCOMPARE(::chmod(name.constData(), static_cast<mode_t>(mode)), 0);
        // Only root may give a file away, as when the program's folder belongs to
        // another user than the one who runs it.
        const bool giveAway = ::geteuid() == 0;
        const uid_t owner = giveAway ? 4321 : ::geteuid();
        const gid_t group = giveAway ? 4322 : ::getegid();
        QCOMPARE(::chown(name.constData(), owner, group), 0);

        RecordsTable records;
        open(records, dir);
        QCOMPARE(records.LookupBestTime(0, 200, 2), std::optional<double>(45.5));
        records.StoreBestTime(0, 200, 2, 40);
        records.CloseRecordsTable();
        QCOMPARE(RecordTexts(table, 1), (QStringList{"0", "200", "", "2", "40.00", "", "", "", "20240315"}));
        struct stat status {};
        QCOMPARE(::stat(name.constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), mode);
        QCOMPARE(status.st_uid, owner);
        QCOMPARE(status.st_gid, group);
    }

    void aFailedConversionLeavesTheOldTableAlone()
    {
        TempProgramDir dir;
        std::vector<DbfField> fields = OldRecordsLayout();
        fields[1].width = 7; // ANZAHL wider than the new layout holds
        const QByteArray old = DbfImage(fields, {{"0", "1234567", "", "2", "45.50", "", "", "20200202"}});
        WriteBytes(dir.file("KORVANIS.DBF"), old);
        RecordsTable records;
        open(records, dir);
        QVERIFY(!records.isOpen());
        QCOMPARE(ReadBytes(dir.file("KORVANIS.DBF")), old);
        QVERIFY(!QFile::exists(dir.file("KVTEMP.DBF")));
    }

    void storesOnAClosedTableFail()
    {
        RecordsTable records;
        const QString closed = QStringLiteral("DBDaten: Operation bei geschlossener Datenmenge nicht ausführbar");
        QCOMPARE(StoreError([&] { records.StoreBestTime(0, 200, 2, 50); }), closed);
        QCOMPARE(StoreError([&] { records.StorePointsRecord(10, 200, 300, 600, 1, 1, 1); }), closed);
        QVERIFY(!records.LookupBestTime(0, 200, 2));
        QVERIFY(!records.LookupPointsRecord(10, 300, 600));
    }

    void valuesThatDoNotFitAreRefused_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("time");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("field");
        QTest::newRow("time of 100000 s") << 200 << 100000.0 << 10 << QStringLiteral("ZEIT");
        QTest::newRow("count above 99999") << 100000 << 300.0 << 10 << QStringLiteral("ANZAHL");
        QTest::newRow("negative time") << 200 << -5.0 << 10 << QStringLiteral("ZEIT");
        QTest::newRow("points above 99999") << 200 << 300.0 << 100000 << QStringLiteral("PUNKTE");
    }
    void valuesThatDoNotFitAreRefused()
    {
        QFETCH(int, count);
        QFETCH(double, time);
        QFETCH(int, points);
        QFETCH(QString, field);
        TempProgramDir dir;
        RecordsTable records;
        open(records, dir);
        const QByteArray before = ReadBytes(dir.file("KORVANIS.DBF"));
        QVERIFY(StoreError([&] { records.StorePointsRecord(10, count, time, 600, points, 1, 1); }).contains(field));
        if (points < 100000)
            QVERIFY(StoreError([&] { records.StoreBestTime(0, count, 2, time); }).contains(field));
        QCOMPARE(ReadBytes(dir.file("KORVANIS.DBF")), before);
        QVERIFY(!records.LookupPointsRecord(10, time, 600));
    }

    void aTableThatCannotBeCreatedIsReported()
    {
        TempProgramDir dir;
        RecordsTable records;
        records.setToday([] { return kToday; });
        QString error;
        try {
            records.OpenRecordsTable(dir.path() + QStringLiteral("missing/"));
        } catch (const KorvanisError& e) {
            error = e.text();
        }
        QVERIFY2(error.startsWith(QStringLiteral("DBDaten: Die Tabelle kann nicht angelegt werden: "))
                     && error.contains(QStringLiteral("missing/KORVANIS.DBF")),
                 qPrintable(error));
        QVERIFY(!records.isOpen());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    void withoutItsIndexATableFindsNothingAndStoresNothing()
    {
        TempProgramDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("KORVANIS.NTX")));
        RecordsTable records;
        open(records, dir);
        QVERIFY(records.isOpen());
        QCOMPARE(records.CountIndexOrder(), 0);
        QVERIFY(!records.LookupBestTime(0, 200, 2));
        QVERIFY(StoreError([&] { records.StoreBestTime(0, 200, 2, 50); }).contains(QStringLiteral("KORVANIS.NTX")));
        QCOMPARE(DbfRecordCount(ReadBytes(dir.file("KORVANIS.DBF"))), 0u);
    }

    void storesKeepTheIndexesCurrent()
    {
        TempProgramDir dir;
        RecordsTable records;
        open(records, dir);
        for (int count = 10; count <= 300; count += 10)
            records.StoreBestTime(0, count, 2, count / 2.0);
        records.StoreBestTime(0, 150, 2, 1.5); // moves within the times index
        QVERIFY(!records.LookupPointsRecord(0, 75, 0));
        QCOMPARE(records.LookupPointsRecord(0, 1.5, 0), std::optional<double>(0)); // its blank PUNKTE
        for (int count = 10; count <= 300; count += 10)
            QCOMPARE(records.LookupBestTime(0, count, 2), std::optional<double>(count == 150 ? 1.5 : count / 2.0));
    }
};

QTEST_GUILESS_MAIN(TestRecordsTable)
#include "tst_records_table.moc"
