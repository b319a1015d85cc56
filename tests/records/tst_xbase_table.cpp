// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The engine layer on its own: creation, locking, key expressions, seeking in index
// order, appending by field name and refusing values that would be cut.
#include "records/xbase_table.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"

#include <QFile>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QDate kToday(2024, 3, 15);
const std::vector<XBaseField> kFields{{"CODE", 'N', 3, 0}, {"TIME", 'N', 8, 2}, {"DAY", 'D', 8, 0}};

QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const XBaseError& error) {
        return QString::fromLocal8Bit(error.what());
    }
    return QString();
}

// A table of (CODE, TIME) rows in the given physical order.
void Fill(const QString& fileName, const std::vector<std::pair<int, double>>& rows)
{
    XBaseTable::create(fileName, kFields, kToday);
    XBaseTable table;
    table.use(fileName, kToday);
    for (const auto& [code, time] : rows) {
        table.appendBlank();
        table.replaceInt("CODE", code);
        table.replaceDouble("TIME", time);
    }
    table.commit();
}

} // namespace

class TestXBaseTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void createNeverReplacesAFile()
    {
        TempProgramDir dir;
        const QString name = dir.file("T.DBF");
        XBaseTable::create(name, kFields, kToday);
        const QByteArray first = ReadBytes(name);
        QVERIFY(!ErrorOf([&] { XBaseTable::create(name, {{"OTHER", 'N', 5, 0}}, kToday); }).isEmpty());
        QCOMPARE(ReadBytes(name), first);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"T.DBF"});
    }

    void aTableIsHeldByOneOpenerOnly()
    {
        TempProgramDir dir;
        const QString name = dir.file("T.DBF");
        XBaseTable::create(name, kFields, kToday);
        XBaseTable first;
        first.use(name, kToday);
        XBaseTable second;
        QVERIFY(ErrorOf([&] { second.use(name, kToday); }).contains("in use"));
        QVERIFY(ErrorOf([&] { second.useReadOnly(name); }).contains("in use"));
        first.close();
        second.use(name, kToday);
        QVERIFY(second.isOpen());
    }

    // What other programs do to the file while the table is open, as the quick
    // look before a lookup and the thorough one before a store see it.
    void changesByOthersAreNoticed_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("quick");
        QTest::addColumn<bool>("thorough");
        QTest::newRow("none") << "none" << false << false;
        QTest::newRow("our own store") << "store" << false << false;
        QTest::newRow("a record appended") << "append" << true << true;
        QTest::newRow("replaced by a copy") << "replace" << true << true;
        QTest::newRow("removed") << "remove" << true << true;
        QTest::newRow("mode changed") << "chmod" << false << false;
        // Length and time of change kept: only the count tells.
        QTest::newRow("header count alone") << "count" << false << true;
    }
    void changesByOthersAreNoticed()
    {
        QFETCH(QString, change);
        QFETCH(bool, quick);
        QFETCH(bool, thorough);
        TempProgramDir dir;
        const QString name = dir.file("T.DBF");
        Fill(name, {{1, 2.5}, {2, 3.5}});
        XBaseTable table;
        table.use(name, kToday);
        const QByteArray path = QFile::encodeName(name);
        struct stat before {};
        QVERIFY(::stat(path.constData(), &before) == 0);
        if (change == "store") {
            table.appendBlank();
            table.replaceInt("CODE", 3);
            table.commit();
        } else if (change == "append") {
            QByteArray image = ReadBytes(name);
            image.insert(image.size() - 1, QByteArray("  4    1.00        ").left(DbfRecordLength(image)));
            SetDbfRecordCount(image, 3);
            QFile file(name);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write(image) == image.size());
        } else if (change == "replace") {
            QVERIFY(QFile::copy(name, dir.file("COPY.DBF")));
            QVERIFY(::rename(QFile::encodeName(dir.file("COPY.DBF")).constData(), path.constData()) == 0);
        } else if (change == "remove") {
            QVERIFY(QFile::remove(name));
        } else if (change == "chmod") {
            QVERIFY(QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        } else if (change == "count") {
            const int fd = ::open(path.constData(), O_WRONLY);
            const char count = 1;
            QVERIFY(fd >= 0 && ::pwrite(fd, &count, 1, 4) == 1);
            const struct timespec times[2] = {before.st_atim, before.st_mtim};
            QVERIFY(::futimens(fd, times) == 0);
            ::close(fd);
        }
        QCOMPARE(table.changedOnDisk(false), quick);
        QCOMPARE(table.changedOnDisk(true), thorough);
        QCOMPARE(table.changedOnDisk(false), quick || thorough); // a change once seen stays seen
    }

    void keyExpressions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<bool>("valid");
        QTest::newRow("two terms") << "STR(CODE,3)+STR(TIME,8,2)" << true;
        QTest::newRow("spaces and case") << "str( code , 4 ) + Str(time,9,3)" << true;
        QTest::newRow("not STR") << "VAL(CODE)" << false;
        QTest::newRow("unknown field") << "STR(SPEED,3)" << false;
        QTest::newRow("date field") << "STR(DAY,8)" << false;
        QTest::newRow("no width") << "STR(CODE)" << false;
        QTest::newRow("decimals fill the width") << "STR(TIME,2,2)" << false;
        QTest::newRow("unclosed") << "STR(CODE,3" << false;
        QTest::newRow("trailing plus") << "STR(CODE,3)+" << false;
        QTest::newRow("junk between") << "STR(CODE,3)-STR(TIME,8,2)" << false;
    }
    void keyExpressions()
    {
        QFETCH(QString, expression);
        QFETCH(bool, valid);
        TempProgramDir dir;
        Fill(dir.file("T.DBF"), {{1, 2.5}});
        XBaseTable table;
        table.use(dir.file("T.DBF"), kToday);
        QCOMPARE(ErrorOf([&] { table.index(dir.file("T.NTX"), expression.toStdString()); }).isEmpty(), valid);
        QCOMPARE(QFile::exists(dir.file("T.NTX")), valid);
    }

    void seekFindsTheFirstKeyInIndexOrder()
    {
        TempProgramDir dir;
        Fill(dir.file("T.DBF"), {{7, 30}, {5, 20.5}, {7, 10}, {5, 20.5}, {-3, 1}, {123, 2}});
        XBaseTable table;
        table.use(dir.file("T.DBF"), kToday);
        const int order = table.index(dir.file("T.NTX"), "STR(CODE,2)+STR(TIME,8,2)");
        QCOMPARE(table.keyLength(order), 10);
        QList<NtxEntry> listed;
        QCOMPARE(CheckNtxLayout(ReadBytes(dir.file("T.NTX")), "STR(CODE,2)+STR(TIME,8,2)", 10, &listed), QString());
        QCOMPARE(listed, (QList<NtxEntry>{{2, " 5   20.50"},
                                          {4, " 5   20.50"},
                                          {3, " 7   10.00"},
                                          {1, " 7   30.00"},
                                          {6, "**    2.00"}, // too wide for STR(CODE,2)
                                          {5, "-3    1.00"}}));
        table.setOrder(order);
        QVERIFY(table.seek(" 7"));
        QCOMPARE(table.recNo(), 3);
        QVERIFY(table.seek(" 5   20.50"));
        QCOMPARE(table.recNo(), 2);
        QVERIFY(!table.seek(" 6"));
        QCOMPARE(table.recNo(), 5); // the last record in index order
        QVERIFY(!table.seek(" 7   10.00 and more"));
        table.setOrder(0);
        QVERIFY(!table.seek(" 7"));
        QCOMPARE(table.recNo(), 6);
    }

    void replacementsRefuseWhatWouldBeCut_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::newRow("too many digits") << "CODE" << 1000.0;
        QTest::newRow("too wide after rounding") << "TIME" << 99999.996;
        QTest::newRow("not a number") << "TIME" << std::nan("");
        QTest::newRow("not numeric") << "DAY" << 1.0;
    }
    void replacementsRefuseWhatWouldBeCut()
    {
        QFETCH(QString, field);
        QFETCH(double, value);
        TempProgramDir dir;
        Fill(dir.file("T.DBF"), {{1, 2.5}});
        XBaseTable table;
        table.use(dir.file("T.DBF"), kToday);
        table.go(1);
        QVERIFY(!ErrorOf([&] { table.replaceDouble(field.toStdString(), value); }).isEmpty());
        QCOMPARE(table.readRaw("CODE"), std::string("  1"));
        QCOMPARE(table.readRaw("TIME"), std::string("    2.50"));
        QVERIFY(!ErrorOf([&] { table.replaceDate("DAY", QDate(999, 1, 1)); }).isEmpty());
        QCOMPARE(table.readRaw("DAY"), std::string(8, ' '));
    }

    void appendFromCarriesFieldsByName()
    {
        TempProgramDir dir;
        QByteArray source = DbfImage({{"TIME", 'N', 10, 3}, {"EXTRA", 'C', 4}, {"code", 'N', 6}},
                                     {{"12.500", "abcd", "42"}, {"", "", "-7"}});
        source[DbfHeaderLength(source) + 21] = '*'; // second record deleted
        WriteBytes(dir.file("OLD.DBF"), source);
        XBaseTable::create(dir.file("NEW.DBF"), kFields, kToday);
        XBaseTable table;
        table.use(dir.file("NEW.DBF"), kToday);
        table.appendFrom(dir.file("OLD.DBF"));
        QCOMPARE(table.recCount(), 2);
        table.go(1);
        QCOMPARE(table.readRaw("CODE") + table.readRaw("TIME") + table.readRaw("DAY"), " 42   12.50        ");
        table.go(2);
        QCOMPARE(table.readRaw("CODE") + table.readRaw("TIME"), " -7        ");
        QCOMPARE(table.readNumeric("TIME"), std::optional<double>(0)); // blank reads as 0
        table.close();
        QCOMPARE(ReadBytes(dir.file("NEW.DBF"))[129 + 20], '*'); // the deletion flag came along
    }

    void appendFromRefusesToRoundOrCut_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::newRow("more decimals") << QStringList{"1.005"};
        QTest::newRow("too many digits") << QStringList{"123456.5"};
        QTest::newRow("not a number") << QStringList{"12.x"};
        QTest::newRow("after records already written") << QStringList{"1.5", "2.5", "3.5", "1.005"};
    }
    void appendFromRefusesToRoundOrCut()
    {
        QFETCH(QStringList, times);
        TempProgramDir dir;
        std::vector<QStringList> rows;
        for (const QString& time : times)
            rows.push_back({time});
        WriteBytes(dir.file("OLD.DBF"), DbfImage({{"TIME", 'N', 10, 3}}, rows));
        Fill(dir.file("NEW.DBF"), {{7, 30}});
        const QByteArray before = ReadBytes(dir.file("NEW.DBF"));
        XBaseTable table;
        table.use(dir.file("NEW.DBF"), kToday);
        const int order = table.index(dir.file("NEW.NTX"), "STR(CODE,3)");
        QVERIFY(ErrorOf([&] { table.appendFrom(dir.file("OLD.DBF")); }).contains("TIME"));
        QCOMPARE(table.recCount(), 1);
        table.setOrder(order);
        QVERIFY(!table.seek("  0"));
        QCOMPARE(table.recNo(), 1);
        QCOMPARE(ReadBytes(dir.file("NEW.DBF")), before);
        table.appendBlank(); // the table takes records as before
        table.replaceInt("CODE", 5);
        table.commit();
        QVERIFY(table.seek("  5"));
        QCOMPARE(table.recNo(), 2);
    }
};

QTEST_GUILESS_MAIN(TestXBaseTable)
#include "tst_xbase_table.moc"
