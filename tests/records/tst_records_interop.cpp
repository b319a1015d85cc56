// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// Independent tools agree with the program about the table: dbfread reads what the
// program wrote, what the dbf module writes the program finds or converts, and
// what it writes while the program holds the table is neither overwritten nor
// missed.
#include "core/korvanis_error.h"
#include "records/records_table.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

const QDate kToday(2024, 3, 15);

QJsonObject Record(std::initializer_list<std::pair<const char*, QJsonValue>> values)
{
    QJsonObject record;
    for (const char* name : {"DISZIPLIN", "ANZAHL", "PUNKTE", "ZEILE", "ZEIT", "REPLAYZEIT", "ZEIT_NUTZ", "REPL_NUTZ", "DATUM"})
        record[QLatin1String(name)] = QJsonValue::Null;
    for (const auto& [name, value] : values)
        record[QLatin1String(name)] = value;
    return record;
}

// Runs a script of the dbf module on the table; the table's file name is sys.argv[1].
bool RunDbf(const QString& script, const QString& tableFile)
{
    bool ok = false;
    QString errors;
    RunPython(QStringLiteral("import dbf, datetime, os, shutil, sys\n") + script, {tableFile}, &ok, &errors);
    if (!ok)
        qWarning("dbf: %s", qPrintable(errors));
    return ok;
}

// python-dbf knows no file locks: it writes while the program holds the table.
const char* kAppendOne = R"(
table = dbf.Table(sys.argv[1])
table.open(dbf.READ_WRITE)
table.append({'disziplin': 1, 'anzahl': 300, 'zeile': 3, 'zeit': 61.25, 'datum': datetime.date(2024, 1, 5)})
table.close()
)";

// An office suite saves a table by writing a new file and renaming it over the old.
const char* kReplaceWithOneMore = R"(
saved = os.path.join(os.path.dirname(sys.argv[1]), 'SAVING.DBF')
shutil.copyfile(sys.argv[1], saved)
table = dbf.Table(saved)
table.open(dbf.READ_WRITE)
table.append({'disziplin': 1, 'anzahl': 300, 'zeile': 3, 'zeit': 61.25, 'datum': datetime.date(2024, 1, 5)})
table.close()
os.replace(saved, sys.argv[1])
)";

const char* kEditFirst = R"(
table = dbf.Table(sys.argv[1])
table.open(dbf.READ_WRITE)
dbf.write(table[0], zeit=7.75)
table.close()
)";

QList<int> Counts(const QJsonArray& records)
{
    QList<int> counts;
    for (const QJsonValue& record : records)
        counts << record.toObject()["ANZAHL"].toInt();
    return counts;
}

} // namespace

class TestRecordsInterop : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!HavePython("dbfread") || !HavePython("dbf"))
            QFAIL("/usr/bin/python3 lacks dbfread or dbf (Debian packages python3-dbfread, python3-dbf; ./korvanis.sh test installs them)");
    }

    void dbfreadAgreesWithEveryField()
    {
        TempProgramDir dir;
        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        records.StoreBestTime(0, 200, 2, 50.5);
        records.StorePointsRecord(10, 400, 300, 600, 1234, 299.75, 0);
        records.StorePointsRecord(13, 100, 1500, 120, 7, 0, 61.5);
        records.CloseRecordsTable();

        const QJsonObject table = ReadWithDbfread(dir.file("KORVANIS.DBF"));
        QCOMPARE(table["version"].toInt(), 3);
        // Month and day of the last store; the year byte is the 1 that closing writes,
        // which dbfread takes for 2001.
        QCOMPARE(table["updated"].toString(), QStringLiteral("2001-03-15"));
        QCOMPARE(table["fields"].toArray(),
                 QJsonDocument::fromJson(R"([["DISZIPLIN","N",3,0],["ANZAHL","N",5,0],["PUNKTE","N",7,1],
                     ["ZEILE","N",3,0],["ZEIT","N",8,2],["REPLAYZEIT","N",8,2],["ZEIT_NUTZ","N",8,2],
                     ["REPL_NUTZ","N",8,2],["DATUM","D",8,0]])")
                     .array());
        const QJsonArray expected{
            Record({{"DISZIPLIN", 0}, {"ANZAHL", 200}, {"ZEILE", 2}, {"ZEIT", 50.5}, {"DATUM", "2024-03-15"}}),
            Record({{"DISZIPLIN", 10}, {"ANZAHL", 400}, {"PUNKTE", 1234.0}, {"ZEIT", 300.0}, {"REPLAYZEIT", 600.0},
                    {"ZEIT_NUTZ", 299.75}, {"REPL_NUTZ", 0.0}, {"DATUM", "2024-03-15"}}),
            Record({{"DISZIPLIN", 13}, {"ANZAHL", 100}, {"PUNKTE", 7.0}, {"ZEIT", 1500.0}, {"REPLAYZEIT", 120.0},
                    {"ZEIT_NUTZ", 0.0}, {"REPL_NUTZ", 61.5}, {"DATUM", "2024-03-15"}}),
        };
        QCOMPARE(table["records"].toArray(), expected);
    }

    void recordsAddedWithAnotherToolAreFound()
    {
        TempProgramDir dir;
        {
            RecordsTable first;
            first.OpenRecordsTable(dir.path());
            first.StoreBestTime(0, 100, 2, 30);
            first.CloseRecordsTable();
        }
        bool ok = false;
        QString errors;
        RunPython(QStringLiteral(R"(
import dbf, datetime, sys
table = dbf.Table(sys.argv[1])
table.open(dbf.READ_WRITE)
table.append({'disziplin': 1, 'anzahl': 300, 'zeile': 3, 'zeit': 61.25, 'datum': datetime.date(2024, 1, 5)})
table.append({'disziplin': 11, 'anzahl': 120, 'punkte': 88.5, 'zeit': 300, 'replayzeit': 600})
table.close()
)"),
                  {dir.file("KORVANIS.DBF")}, &ok, &errors);
        QVERIFY2(ok, qPrintable(errors));

        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        QCOMPARE(records.LookupBestTime(0, 100, 2), std::optional<double>(30));
        QCOMPARE(records.LookupBestTime(1, 300, 3), std::optional<double>(61.25));
        QCOMPARE(records.LookupPointsRecord(11, 300, 600), std::optional<double>(88.5));
        records.StorePointsRecord(11, 120, 300, 600, 90, 290, 500);
        records.CloseRecordsTable();
        const QJsonArray all = ReadWithDbfread(dir.file("KORVANIS.DBF"))["records"].toArray();
        QCOMPARE(all.size(), 3);
        QCOMPARE(all[2].toObject()["PUNKTE"].toDouble(), 90.0);
        QCOMPARE(all[2].toObject()["DATUM"].toString(), QStringLiteral("2024-03-15"));
    }

    // Record 7 of another program is neither overwritten by the next store nor
    // missed by a lookup, whether it was appended in place or the file replaced.
    void anotherProgramWritingWhileTheTableIsOpen_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("appends in place") << QString::fromLatin1(kAppendOne);
        QTest::newRow("replaces the file") << QString::fromLatin1(kReplaceWithOneMore);
    }
    void anotherProgramWritingWhileTheTableIsOpen()
    {
        QFETCH(QString, script);
        TempProgramDir dir;
        const QString tableFile = dir.file("KORVANIS.DBF");
        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        for (int count = 10; count <= 60; count += 10)
            records.StoreBestTime(0, count, 2, count);
        QVERIFY(RunDbf(script, tableFile));

        QCOMPARE(records.LookupBestTime(1, 300, 3), std::optional<double>(61.25));
        records.StoreBestTime(0, 70, 2, 70);
        records.StoreBestTime(1, 300, 3, 50); // the other program's record, edited
        QCOMPARE(records.LookupBestTime(0, 70, 2), std::optional<double>(70));
        records.CloseRecordsTable();

        QCOMPARE(DbfRecordCount(ReadBytes(tableFile)), 8u);
        const QJsonArray all = ReadWithDbfread(tableFile)["records"].toArray();
        QCOMPARE(Counts(all), (QList<int>{10, 20, 30, 40, 50, 60, 300, 70}));
        QCOMPARE(all[6].toObject()["ZEIT"].toDouble(), 50.0);
        QCOMPARE(all[6].toObject()["DATUM"].toString(), QStringLiteral("2024-03-15"));
        QCOMPARE(all[7].toObject()["ZEIT"].toDouble(), 70.0);
    }

    void aRecordEditedByAnotherProgramIsSeen()
    {
        TempProgramDir dir;
        RecordsTable records;
        records.OpenRecordsTable(dir.path());
        records.StoreBestTime(0, 200, 2, 50);
        QCOMPARE(records.LookupBestTime(0, 200, 2), std::optional<double>(50));
        QVERIFY(RunDbf(QString::fromLatin1(kEditFirst), dir.file("KORVANIS.DBF")));
        QCOMPARE(records.LookupBestTime(0, 200, 2), std::optional<double>(7.75));
    }

    // Closing writes nothing of its own into the header: a count that another
    // program raised stays.
    void closingKeepsWhatAnotherProgramAppended()
    {
        TempProgramDir dir;
        RecordsTable records;
        records.OpenRecordsTable(dir.path());
        records.StoreBestTime(0, 200, 2, 50);
        QVERIFY(RunDbf(QString::fromLatin1(kAppendOne), dir.file("KORVANIS.DBF")));
        records.CloseRecordsTable();
        // dbfread reads on to the end mark whatever the header says; the count
        // is what tells other programs how many records there are.
        QCOMPARE(DbfRecordCount(ReadBytes(dir.file("KORVANIS.DBF"))), 2u);
        QCOMPARE(Counts(ReadWithDbfread(dir.file("KORVANIS.DBF"))["records"].toArray()), (QList<int>{200, 300}));
    }

    // A file that took the table's place and holds no table is not written, and
    // the store says why, naming the file.
    void aReplacementThatIsNoTableRefusesTheStore()
    {
        TempProgramDir dir;
        const QString tableFile = dir.file("KORVANIS.DBF");
        RecordsTable records;
        records.OpenRecordsTable(dir.path());
        records.StoreBestTime(0, 200, 2, 50);
        QVERIFY(RunDbf(QStringLiteral("open(sys.argv[1] + '.new', 'w').write('Name;Zeit\\n')\n"
                                      "os.replace(sys.argv[1] + '.new', sys.argv[1])\n"),
                       tableFile));
        QString error;
        try {
            records.StoreBestTime(0, 300, 2, 40);
        } catch (const KorvanisError& e) {
            error = e.text();
        }
        QVERIFY2(error.contains(tableFile) && error.contains(QStringLiteral("nicht gespeichert")), qPrintable(error));
        QCOMPARE(ReadBytes(tableFile), QByteArray("Name;Zeit\n"));
        QVERIFY(!records.LookupBestTime(0, 200, 2));
        records.CloseRecordsTable();
        QCOMPARE(ReadBytes(tableFile), QByteArray("Name;Zeit\n"));
    }

    void anOldTableWrittenByAnotherToolIsConverted()
    {
        TempProgramDir dir;
        bool ok = false;
        QString errors;
        RunPython(QStringLiteral(R"(
import dbf, datetime, sys
table = dbf.Table(sys.argv[1], 'DISZIPLIN N(3,0); ANZAHL N(5,0); PUNKTE N(7,1); ZEILE N(3,0); ZEIT N(8,2); '
                  'ZEIT_NUTZ N(8,2); REPL_NUTZ N(8,2); DATUM D', dbf_type='db3')
table.open(dbf.READ_WRITE)
table.append({'disziplin': 2, 'anzahl': 52, 'zeile': 1, 'zeit': 95.25, 'datum': datetime.date(2019, 12, 31)})
table.append({'disziplin': 10, 'anzahl': 80, 'punkte': 41.5, 'zeit': 300, 'zeit_nutz': 280.5,
              'repl_nutz': 512, 'datum': datetime.date(2020, 6, 1)})
table.close()
)"),
                  {dir.file("KORVANIS.DBF")}, &ok, &errors);
        QVERIFY2(ok, qPrintable(errors));

        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        QVERIFY(records.isOpen());
        QCOMPARE(records.LookupBestTime(2, 52, 1), std::optional<double>(95.25));
        QCOMPARE(records.LookupPointsRecord(10, 300, 0), std::optional<double>(41.5));
        records.CloseRecordsTable();
        QVERIFY(!QFile::exists(dir.file("KVTEMP.DBF")));

        const QJsonObject table = ReadWithDbfread(dir.file("KORVANIS.DBF"));
        QCOMPARE(table["fields"].toArray().size(), 9);
        const QJsonArray expected{
            Record({{"DISZIPLIN", 2}, {"ANZAHL", 52}, {"ZEILE", 1}, {"ZEIT", 95.25}, {"DATUM", "2019-12-31"}}),
            Record({{"DISZIPLIN", 10}, {"ANZAHL", 80}, {"PUNKTE", 41.5}, {"ZEIT", 300.0}, {"ZEIT_NUTZ", 280.5},
                    {"REPL_NUTZ", 512.0}, {"DATUM", "2020-06-01"}}),
        };
        QCOMPARE(table["records"].toArray(), expected);
    }
};

QTEST_GUILESS_MAIN(TestRecordsInterop)
#include "tst_records_interop.moc"
