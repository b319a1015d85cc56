// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The table on disk: a real dBase III file byte for byte, what closing marks, its
// immunity to the locale, the defined outcome of every kind of damaged file, and a
// disk that runs full in the middle of a write.
#include "core/korvanis_error.h"
#include "records/records_table.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"
#include "tests/support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QDate kToday(2024, 3, 15);

const QStringList kBestTime{"0", "200", "", "2", "50.50", "", "", "", "20240101"};
const QStringList kPoints{"10", "400", "123.5", "", "300.00", "600.00", "250.00", "580.00", "20240102"};

QByteArray Field(const char* text, int width)
{
    return QByteArray(text).rightJustified(width, ' ');
}

// A German numeric locale, generated into a private folder when the system has
// none, so the comma case runs everywhere localedef does.
bool UseGermanNumbers(QTemporaryDir& localeDir)
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name))
            return true;
    }
    if (!localeDir.isValid()
        || QProcess::execute(QStringLiteral("localedef"),
                             {"-i", "de_DE", "-f", "UTF-8", localeDir.filePath(QStringLiteral("de_DE.UTF-8"))})
            > 1)
        return false;
    qputenv("LOCPATH", QFile::encodeName(localeDir.path()));
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

// Makes the system refuse to write a file whatever its mode, even to root.
bool MakeImmutable(const QString& fileName)
{
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY);
    int flags = 0;
    if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags |= FS_IMMUTABLE_FL;
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0)
        ::close(fd);
    const int probe = ::open(QFile::encodeName(fileName).constData(), O_RDWR);
    if (probe >= 0)
        ::close(probe);
    return probe < 0;
}

QString Refusal(const std::function<void()>& action)
{
    try {
        action();
    } catch (const KorvanisError& error) {
        return error.text();
    }
    return QString();
}

void MakeWritable(const QString& fileName)
{
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY);
    int flags = 0;
    if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_IMMUTABLE_FL)) {
        flags &= ~FS_IMMUTABLE_FL;
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0)
        ::close(fd);
    QFile::setPermissions(fileName, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

class TestRecordsFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!HavePython("dbfread"))
            QFAIL("/usr/bin/python3 lacks dbfread (Debian package python3-dbfread; ./korvanis.sh test installs it)");
    }

    void theTableIsARealDBaseIIIFile()
    {
        TempProgramDir dir;
        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        records.StoreBestTime(0, 200, 2, 50.5);
        records.StorePointsRecord(10, 400, 300, 600, 1234, 299.5, 0);
        const QByteArray file = ReadBytes(dir.file("KORVANIS.DBF"));

        QCOMPARE(file.size(), 321 + 2 * 59 + 1);
        QCOMPARE(int(file[0]), 0x03);
        QCOMPARE(file.mid(1, 3), QByteArray("\x7C\x03\x0F")); // 2024-03-15
        QCOMPARE(DbfRecordCount(file), 2u);
        QCOMPARE(DbfHeaderLength(file), 321);
        QCOMPARE(DbfRecordLength(file), 59);
        QCOMPARE(int(file[29]), 0); // no code page
        const std::vector<DbfField> layout = RecordsLayout();
        for (int i = 0; i < 9; ++i) {
            const QByteArray descriptor = file.mid(32 + 32 * i, 32);
            QCOMPARE(descriptor.left(11), layout[i].name.leftJustified(11, '\0'));
            QCOMPARE(descriptor[11], layout[i].type);
            QCOMPARE(int(descriptor[16]), layout[i].width);
            QCOMPARE(int(descriptor[17]), layout[i].decimals);
        }
        QCOMPARE(int(file[320]), 0x0D);
        const QByteArray blank8(8, ' ');
        QCOMPARE(file.mid(321, 59), " " + Field("0", 3) + Field("200", 5) + QByteArray(7, ' ') + Field("2", 3)
                                         + Field("50.50", 8) + blank8 + blank8 + blank8 + "20240315");
        QCOMPARE(file.mid(380, 59), " " + Field("10", 3) + Field("400", 5) + Field("1234.0", 7) + QByteArray(3, ' ')
                                         + Field("300.00", 8) + Field("600.00", 8) + Field("299.50", 8)
                                         + Field("0.00", 8) + "20240315");
        QCOMPARE(int(file.back()), 0x1A);
    }

    void closingMarksTheYearByteOfATableItHeld()
    {
        TempProgramDir dir;
        RecordsTable records;
        records.OpenRecordsTable(dir.path());
        records.StoreBestTime(0, 200, 2, 50.5);
        QByteArray expected = ReadBytes(dir.file("KORVANIS.DBF"));
        expected[1] = 1;
        records.CloseRecordsTable();
        QCOMPARE(ReadBytes(dir.file("KORVANIS.DBF")), expected);
        QVERIFY(!records.isOpen());
    }

    void aGermanDecimalCommaNeverReachesTheFile()
    {
        QTemporaryDir localeDir;
        const QByteArray previous = std::setlocale(LC_NUMERIC, nullptr);
        auto restore = qScopeGuard([&] { std::setlocale(LC_NUMERIC, previous.constData()); });
        if (!UseGermanNumbers(localeDir))
            QSKIP("no German locale and no localedef");
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 250.5);
        QCOMPARE(QByteArray(probe), QByteArray("250,5")); // the trap is armed

        TempProgramDir dir;
        RecordsTable records;
        records.OpenRecordsTable(dir.path());
        records.StorePointsRecord(10, 200, 250.5, 600, 99, 250.25, 1.5);
        records.StoreBestTime(0, 200, 2, 7.75);
        QCOMPARE(PointsKey(10, 300, 600), std::optional<QString>(QStringLiteral(" 10  300.00  600.00")));
        QCOMPARE(records.LookupPointsRecord(10, 250.5, 600), std::optional<double>(99));
        records.CloseRecordsTable();
        RecordsTable again;
        again.OpenRecordsTable(dir.path());
        QCOMPARE(again.LookupPointsRecord(10, 250.5, 600), std::optional<double>(99));
        QCOMPARE(again.LookupBestTime(0, 200, 2), std::optional<double>(7.75));
        again.CloseRecordsTable();

        const QByteArray file = ReadBytes(dir.file("KORVANIS.DBF"));
        QVERIFY(file.contains("  250.50  600.00  250.25    1.50"));
        QVERIFY(!file.contains(','));
    }

    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("bestTimeFound");
        QTest::addColumn<bool>("pointsFound");
        QTest::addColumn<int>("wholeRecords"); // records whose bytes must survive a store

        const std::vector<QStringList> both{kBestTime, kPoints};
        const QByteArray good = DbfImage(RecordsLayout(), both);
        const int data = DbfHeaderLength(good);

        QTest::newRow("intact") << good << true << true << true << 2;
        QTest::newRow("truncated header") << good.left(100) << false << false << false << 0;
        QByteArray longHeader = good;
        longHeader[8] = static_cast<char>(data + 1);
        QTest::newRow("header length too long") << longHeader << false << false << false << 0;
        QByteArray shortHeader = good;
        shortHeader[8] = static_cast<char>(data - 32);
        QTest::newRow("header length too short") << shortHeader << false << false << false << 0;
        QByteArray longRecord = good;
        longRecord[10] = 60;
        QTest::newRow("record length disagrees") << longRecord << false << false << false << 0;
        QByteArray tooMany = good;
        SetDbfRecordCount(tooMany, 1000000);
        QTest::newRow("count far too large") << tooMany << true << true << true << 2;
        QByteArray tooFew = good;
        SetDbfRecordCount(tooFew, 0);
        QTest::newRow("count too small") << tooFew << true << true << true << 2;
        QByteArray junkAfterCount = good;
        SetDbfRecordCount(junkAfterCount, 1);
        junkAfterCount[data + 59 + 5] = 'x';
        QTest::newRow("count too small, then junk") << junkAfterCount << true << true << false << 1;
        QTest::newRow("truncated last record") << good.left(data + 59 + 30) << true << true << false << 1;
        QByteArray textField = good;
        textField[32 + 32 * 4 + 11] = 'C'; // ZEIT
        QTest::newRow("field of the wrong type") << textField << false << false << false << 0;
        std::vector<DbfField> narrow = RecordsLayout();
        narrow[4].width = 7;
        QTest::newRow("field of the wrong width") << DbfImage(narrow, both) << false << false << false << 0;
        QByteArray letters = good;
        letters[data + 1 + 3 + 2] = 'x'; // ANZAHL of the best time: the record cannot be indexed
        QTest::newRow("letters in a key field") << letters << true << false << true << 2;
        QByteArray stars = good;
        stars.replace(data + 59 + 1 + 3 + 5, 7, "*******"); // PUNKTE, as shapelib writes NULL
        QTest::newRow("asterisks in a value field") << stars << true << true << false << 2;
    }

    void damagedFiles()
    {
        QFETCH(QByteArray, image);
        QFETCH(bool, opens);
        QFETCH(bool, bestTimeFound);
        QFETCH(bool, pointsFound);
        QFETCH(int, wholeRecords);
        TempProgramDir dir;
        const QString table = dir.file("KORVANIS.DBF");
        QVERIFY(WriteBytes(table, image));

        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        QCOMPARE(records.isOpen(), opens);
        QCOMPARE(records.LookupBestTime(0, 200, 2).has_value(), bestTimeFound);
        QCOMPARE(records.LookupPointsRecord(10, 300, 600).has_value(), pointsFound);
        if (!opens) {
            try {
                records.StoreBestTime(0, 200, 2, 10);
                QFAIL("stored into a table that is not open");
            } catch (const KorvanisError& error) {
                QCOMPARE(error.text(), QStringLiteral("DBDaten: Operation bei geschlossener Datenmenge nicht ausführbar"));
            }
            records.CloseRecordsTable();
            QCOMPARE(ReadBytes(table), image);
            return;
        }
        records.StoreBestTime(1, 100, 5, 10);
        QCOMPARE(records.LookupBestTime(1, 100, 5), std::optional<double>(10));
        records.CloseRecordsTable();

        const QByteArray after = ReadBytes(table);
        const int data = DbfHeaderLength(image);
        QCOMPARE(after.mid(data, 59 * wholeRecords), image.mid(data, 59 * wholeRecords));
        QCOMPARE(DbfRecordCount(after), quint32(wholeRecords + 1));
        QCOMPARE(after.size(), data + 59 * (wholeRecords + 1) + 1);
        RecordsTable again;
        again.OpenRecordsTable(dir.path());
        QCOMPARE(again.LookupBestTime(1, 100, 5), std::optional<double>(10));
    }

    void aValueFieldWithoutANumberIsMendedByTheNextStore()
    {
        TempProgramDir dir;
        QByteArray image = DbfImage(RecordsLayout(), {kBestTime});
        image.replace(DbfHeaderLength(image) + 1 + 3 + 5 + 7 + 3, 8, "  5x.50 ");
        WriteBytes(dir.file("KORVANIS.DBF"), image);
        RecordsTable records;
        records.OpenRecordsTable(dir.path());
        QVERIFY(!records.LookupBestTime(0, 200, 2));
        records.StoreBestTime(0, 200, 2, 42);
        QCOMPARE(records.LookupBestTime(0, 200, 2), std::optional<double>(42));
        QCOMPARE(DbfRecordCount(ReadBytes(dir.file("KORVANIS.DBF"))), 1u);
    }

    void aFolderWhereTheTableShouldBe()
    {
        TempProgramDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("KORVANIS.DBF")));
        RecordsTable records;
        records.OpenRecordsTable(dir.path());
        QVERIFY(!records.isOpen());
        QVERIFY(!records.LookupBestTime(0, 200, 2));
        QVERIFY_THROWS_EXCEPTION(KorvanisError, records.StoreBestTime(0, 200, 2, 10));
        records.CloseRecordsTable();
        QVERIFY(QFileInfo(dir.file("KORVANIS.DBF")).isDir());
    }

    void aStoreTheDiskRefusesLeavesTheTableAsItWas_data()
    {
        QTest::addColumn<bool>("edit");  // the store edits the best time of 0, 200, 2
        QTest::addColumn<qint64>("room"); // how far the file may reach
        constexpr qint64 end = 321 + 2 * 59; // where a third record begins
        QTest::newRow("new record, nothing written") << false << end;
        QTest::newRow("new record, partly written") << false << end + 20;
        QTest::newRow("new record whole, its end mark not") << false << end + 59;
        QTest::newRow("edited record, partly written") << true << qint64(321 + 10);
    }
    void aStoreTheDiskRefusesLeavesTheTableAsItWas()
    {
        QFETCH(bool, edit);
        QFETCH(qint64, room);
        TempProgramDir dir;
        const QString table = dir.file("KORVANIS.DBF");
        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        records.StoreBestTime(0, 200, 2, 50.5);
        records.StorePointsRecord(10, 400, 300, 600, 1234, 299.5, 0);
        const QByteArray before = ReadBytes(table);
        const QJsonArray recordsBefore = ReadWithDbfread(table)["records"].toArray();
        QCOMPARE(recordsBefore.size(), 2);

        const int count = edit ? 200 : 100;
        QString refusal;
        {
            FileSizeLimit full(room);
            refusal = Refusal([&] { records.StoreBestTime(0, count, 2, 7.25); });
        }
        QVERIFY2(refusal.startsWith(QStringLiteral("DBDaten: Der Rekord wurde nicht gespeichert: ")), qPrintable(refusal));
        QVERIFY2(refusal.contains(table) && refusal.contains(QString::fromLocal8Bit(std::strerror(EFBIG))),
                 qPrintable(refusal));
        QCOMPARE(ReadBytes(table), before);
        QCOMPARE(ReadWithDbfread(table)["records"].toArray(), recordsBefore);
        QCOMPARE(records.LookupBestTime(0, count, 2), edit ? std::optional<double>(50.5) : std::nullopt);
        QCOMPARE(records.LookupPointsRecord(10, 300, 600), std::optional<double>(1234));

        // With room again, the next store counts only what is really there.
        records.StoreBestTime(2, 52, 1, 95.25);
        QCOMPARE(records.LookupBestTime(0, count, 2), edit ? std::optional<double>(50.5) : std::nullopt);
        records.StoreBestTime(0, count, 2, 7.25);
        QCOMPARE(records.LookupBestTime(0, count, 2), std::optional<double>(7.25));
        records.CloseRecordsTable();
        const QByteArray after = ReadBytes(table);
        QCOMPARE(DbfRecordCount(after), edit ? 3u : 4u);
        QCOMPARE(after.size(), 321 + 59 * int(DbfRecordCount(after)) + 1);
        const QJsonArray all = ReadWithDbfread(table)["records"].toArray();
        QCOMPARE(all.size(), edit ? 3 : 4);
        QCOMPARE(all[2].toObject()["ANZAHL"].toInt(), 52);
        QCOMPARE(all[edit ? 0 : 3].toObject()["ZEIT"].toDouble(), 7.25);
    }

    void aFirstStartOnAFullDiskLeavesNothingBehind_data()
    {
        QTest::addColumn<qint64>("room");
        QTest::newRow("no room at all") << qint64(0);
        QTest::newRow("part of the header") << qint64(100);
        QTest::newRow("all but the end mark") << qint64(321);
    }
    void aFirstStartOnAFullDiskLeavesNothingBehind()
    {
        QFETCH(qint64, room);
        TempProgramDir dir;
        RecordsTable records;
        records.setToday([] { return kToday; });
        QString refusal;
        {
            FileSizeLimit full(room);
            refusal = Refusal([&] { records.OpenRecordsTable(dir.path()); });
        }
        QVERIFY2(refusal.startsWith(QStringLiteral("DBDaten: Die Tabelle kann nicht angelegt werden: "))
                     && refusal.contains(dir.file("KORVANIS.DBF"))
                     && refusal.contains(QString::fromLocal8Bit(std::strerror(EFBIG))),
                 qPrintable(refusal));
        QVERIFY(!records.isOpen());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                 QStringList());

        // Once there is room, the next start makes the table.
        records.OpenRecordsTable(dir.path());
        QVERIFY(records.isOpen());
        records.StoreBestTime(0, 200, 2, 50.5);
        records.CloseRecordsTable();
        const QJsonObject table = ReadWithDbfread(dir.file("KORVANIS.DBF"));
        QCOMPARE(table["fields"].toArray().size(), 9);
        QCOMPARE(table["records"].toArray().size(), 1);
    }

    void anEmptyTableFileHoldsNothingAndIsMadeAnew_data()
    {
        QTest::addColumn<bool>("held"); // by another program while we start
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("refusal"); // what keeps it from being made anew
        QTest::newRow("free") << false << 0644 << QString();
        QTest::newRow("free, owner only") << false << 0600 << QString();
        QTest::newRow("held by another program") << true << 0644 << QStringLiteral("is in use by another program");
        QTest::newRow("marked read-only") << false << 0444 << QStringLiteral("is marked read-only");
    }
    void anEmptyTableFileHoldsNothingAndIsMadeAnew()
    {
        QFETCH(bool, held);
        QFETCH(int, mode);
        QFETCH(QString, refusal);
        TempProgramDir dir;
        const QString table = dir.file("KORVANIS.DBF");
        QVERIFY(WriteBytes(table, QByteArray()));
        QCOMPARE(::chmod(QFile::encodeName(table).constData(), static_cast<mode_t>(mode)), 0);
        const int holder = ::open(QFile::encodeName(table).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(holder >= 0);
        auto release = qScopeGuard([&] { ::close(holder); });
        if (held)
            QCOMPARE(::flock(holder, LOCK_EX | LOCK_NB), 0);

        RecordsTable records;
        records.setToday([] { return kToday; });
        const QString error = Refusal([&] { records.OpenRecordsTable(dir.path()); });
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral(".*")}, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(table).constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), mode);
        if (!refusal.isEmpty()) {
            QCOMPARE(error, QStringLiteral("DBDaten: Die Tabelle kann nicht angelegt werden: %1: %2").arg(table, refusal));
            QVERIFY(!records.isOpen());
            QCOMPARE(ReadBytes(table), QByteArray());
            return;
        }
        QCOMPARE(error, QString());
        QVERIFY(records.isOpen());
        records.StoreBestTime(0, 200, 2, 50.5);
        QCOMPARE(records.LookupBestTime(0, 200, 2), std::optional<double>(50.5));
        records.CloseRecordsTable();
        QCOMPARE(ReadWithDbfread(table)["records"].toArray().size(), 1);
    }

    void aReadOnlyTableIsReadButNeverWritten_data()
    {
        QTest::addColumn<bool>("oldLayout");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("immutable"); // refused by the system even to root
        QTest::newRow("nobody may write") << false << 0444 << false;
        QTest::newRow("only the group may write") << false << 0464 << false;
        QTest::newRow("writable, but immutable") << false << 0644 << true;
        QTest::newRow("old layout, nobody may write") << true << 0444 << false;
    }
    void aReadOnlyTableIsReadButNeverWritten()
    {
        QFETCH(bool, oldLayout);
        QFETCH(int, mode);
        QFETCH(bool, immutable);
        TempProgramDir dir;
        const QString table = dir.file("KORVANIS.DBF");
        QStringList oldBestTime = kBestTime;
        oldBestTime.removeAt(5);
        const QByteArray image = oldLayout ? DbfImage(OldRecordsLayout(), {oldBestTime})
                                           : DbfImage(RecordsLayout(), {kBestTime, kPoints});
        QVERIFY(WriteBytes(table, image));
        QCOMPARE(::chmod(QFile::encodeName(table).constData(), static_cast<mode_t>(mode)), 0);
        auto restore = qScopeGuard([&] { MakeWritable(table); });
        if (immutable && !MakeImmutable(table))
            QSKIP("cannot make a file immutable here");

        RecordsTable records;
        records.setToday([] { return kToday; });
        records.OpenRecordsTable(dir.path());
        QVERIFY(records.isOpen());
        const std::optional<double> bestTime = oldLayout ? std::nullopt : std::optional<double>(50.5);
        QCOMPARE(records.LookupBestTime(0, 200, 2), bestTime);
        const QString readOnly
            = QStringLiteral("DBDaten: Die Tabelle %1 ist schreibgeschützt; der Rekord wurde nicht gespeichert.").arg(table);
        QCOMPARE(Refusal([&] { records.StoreBestTime(0, 200, 2, 10); }), readOnly);
        QCOMPARE(Refusal([&] { records.StorePointsRecord(11, 50, 60, 60, 12, 60, 60); }), readOnly);
        QCOMPARE(records.LookupBestTime(0, 200, 2), bestTime);
        QVERIFY(!records.LookupPointsRecord(11, 60, 60));
        records.CloseRecordsTable();

        QCOMPARE(ReadBytes(table), image);
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(table).constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), mode);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("KV*"), QStringLiteral(".*")},
                                            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(TestRecordsFile)
#include "tst_records_file.moc"
