// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The two index files are NTX files as Clipper 5 writes them: an independent
// reader (Perl's XBase::Index) finds every key with its record number, and the
// file holds to the published layout, at the first start, after stores, after
// another program changed the table, and when a page cannot be written.
#include "records/records_table.h"
#include "records/xbase_table.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"
#include "tests/support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QDate kToday(2024, 3, 15);

// Best times of codes 0 to 2, each with its own count, their times rising with
// the record number, so that neighbours in the times index are neighbours here.
std::vector<QStringList> BestTimes(int records)
{
    std::vector<QStringList> rows;
    for (int i = 0; i < records; ++i)
        rows.push_back({QString::number(i % 3), QString::number(1 + i / 3), QString(), QStringLiteral("2"),
                        QString::number(10 + i * 0.01, 'f', 2), QString(), QString(), QString(), "20240101"});
    return rows;
}

// Both index files list what the table holds, as both readers see them.
void VerifyIndexes(const TempProgramDir& dir)
{
    const QString wrong = CheckBothIndexes(dir.path());
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

} // namespace

class TestRecordsNtx : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!HaveXBaseIndex())
            QFAIL("/usr/bin/perl lacks XBase::Index (Debian package libdbd-xbase-perl; ./korvanis.sh test installs it)");
        if (!HavePython("dbfread"))
            QFAIL("/usr/bin/python3 lacks dbfread (Debian package python3-dbfread)");
    }

    void theFirstStartWritesBothIndexesAsNtx_data()
    {
        QTest::addColumn<int>("records");
        QTest::newRow("empty table") << 0;
        QTest::newRow("three records") << 3;
        QTest::newRow("one page full") << 46;
        QTest::newRow("three levels") << 3000;
    }
    void theFirstStartWritesBothIndexesAsNtx()
    {
        QFETCH(int, records);
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("KORVANIS.DBF"), DbfImage(RecordsLayout(), BestTimes(records))));
        RecordsTable table;
        table.OpenRecordsTable(dir.path());
        QVERIFY(table.isOpen());
        VerifyIndexes(dir);
    }

    // Written at start-up only, the files listed no record after six stores.
    void everyStoreReachesBothIndexes()
    {
        TempProgramDir dir;
        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        records.StoreBestTime(0, 200, 2, 50.5);
        records.StoreBestTime(1, 600, 6, 90);
        records.StoreBestTime(0, 200, 2, 41.25); // edited: moves in the times index
        records.StorePointsRecord(10, 400, 300, 600, 120, 299.5, 512);
        records.StorePointsRecord(13, 100, 1500, 120, 7, 0, 61.5);
        records.StorePointsRecord(10, 380, 300, 600, 130, 280, 590); // edited in place
        VerifyIndexes(dir);
    }

    // Many stores over a table of three levels: records taken out of one stretch
    // of the times index empty its pages, records added at its end split pages.
    void storesThatSplitAndJoinPagesKeepBothIndexesRight()
    {
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("KORVANIS.DBF"), DbfImage(RecordsLayout(), BestTimes(3000))));
        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        for (int count = 1; count <= 120; ++count)
            records.StoreBestTime(0, count, 2, 9000 + count); // code 0's first 120 times, moved to the end
        VerifyIndexes(dir);
        if (QTest::currentTestFailed())
            return;
        for (int count = 1001; count <= 1040; ++count)
            records.StoreBestTime(count % 3, count, 2, 5 + count / 100.0);
        for (int i = 0; i < 20; ++i)
            records.StorePointsRecord(10 + i % 2, 100 + i, 60 * (1 + i / 2), 600, 50 + i, 60, 500);
        VerifyIndexes(dir);
        if (QTest::currentTestFailed())
            return;
        // A new start finds the same as the stores left.
        records.CloseRecordsTable();
        records.OpenRecordsTable(dir.path());
        VerifyIndexes(dir);
    }

    // python-dbf appends while the program holds the table; the next lookup
    // opens the table afresh, and the indexes list the other program's record.
    void theIndexesFollowWhatAnotherProgramWrote()
    {
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("KORVANIS.DBF"), DbfImage(RecordsLayout(), BestTimes(100))));
        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        records.StoreBestTime(2, 52, 1, 95.25);
        bool ok = false;
        QString errors;
        RunPython(QStringLiteral(R"(
import dbf, sys
table = dbf.Table(sys.argv[1])
table.open(dbf.READ_WRITE)
table.append({'disziplin': 1, 'anzahl': 7, 'zeile': 3, 'zeit': 1.5})
table.close()
)"),
                  {dir.file("KORVANIS.DBF")}, &ok, &errors);
        QVERIFY2(ok, qPrintable(errors));
        QCOMPARE(records.LookupBestTime(1, 7, 3), std::optional<double>(1.5));
        VerifyIndexes(dir);
    }

    // A folder that holds the table but may not be written takes no file beside
    // the index: the index files are rewritten where they are.
    void aFolderThatMayNotBeWrittenStillGetsItsIndexes()
    {
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("KORVANIS.DBF"), DbfImage(RecordsLayout(), BestTimes(300))));
        RecordsTable().OpenRecordsTable(dir.path());
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        auto writable = qScopeGuard([&] {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        QVERIFY(records.TimesIndexOrder() != 0);
        records.StoreBestTime(0, 1, 2, 1.5);
        records.StoreBestTime(2, 500, 2, 99);
        VerifyIndexes(dir);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    // A store whose record is committed is done even when an index page cannot
    // be written: the index file is then marked out of date, so that no reader
    // takes its record numbers, until a later change writes it whole again.
    void anIndexPageThatCannotBeWrittenMarksTheFileOutOfDate()
    {
        TempProgramDir dir;
        const QString tableFile = dir.file("T.DBF");
        const QString indexFile = dir.file("T.NTX");
        // Keys so long that a page holds two: the index grows a page for every
        // other record, far faster than the table.
        std::vector<StrTerm> terms;
        QByteArray expression;
        for (int i = 0; i < 12; ++i) {
            terms.push_back({"CODE", 20});
            expression += QByteArray(i ? "+" : "") + "STR(CODE,20)";
        }
        XBaseTable::create(tableFile, {{"CODE", 'N', 3, 0}}, kToday);
        XBaseTable table;
        table.use(tableFile, kToday);
        for (int code = 1; code <= 20; ++code) {
            table.appendBlank();
            table.replaceInt("CODE", code);
            table.commit();
        }
        const int order = table.index(indexFile, expression.toStdString());
        table.setOrder(order);
        QVERIFY(CheckNtxLayout(ReadBytes(indexFile), expression, 240).isEmpty());
        {
            const FileSizeLimit full(QFile(indexFile).size());
            QVERIFY(full.isSet());
            for (int code = 21; code <= 24; ++code) {
                table.appendBlank();
                table.replaceInt("CODE", code);
                table.commit();
            }
        }
        QCOMPARE(table.recCount(), 24);
        QVERIFY(table.seek(QByteArray::number(24).rightJustified(20, ' ').toStdString()));
        QCOMPARE(table.recNo(), 24);
        QString error;
        QVERIFY(ReadWithXBaseIndex(indexFile, &error).isEmpty());
        QVERIFY2(error.contains(QStringLiteral("signature")), qPrintable(error));
        QCOMPARE(CheckNtxLayout(ReadBytes(indexFile), expression, 240), QStringLiteral("signature 0"));

        table.appendBlank();
        table.replaceInt("CODE", 25);
        table.commit();
        const QList<NtxEntry> read = ReadWithXBaseIndex(indexFile, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(read, ExpectedEntries(tableFile, terms));
        QCOMPARE(read.size(), 25);
        QVERIFY(CheckNtxLayout(ReadBytes(indexFile), expression, 240).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRecordsNtx)
#include "tst_records_ntx.moc"
