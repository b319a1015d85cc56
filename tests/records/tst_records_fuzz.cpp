// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// Thousands of damaged tables, the same ones on every run, through opening,
// conversion, lookups and a store: no crash, no sanitizer finding, and nothing that
// was stored is lost.
#include "core/korvanis_error.h"
#include "records/records_table.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"

#include <QFile>
#include <QTest>
#include <random>

namespace {

constexpr int kCases = 3000;

std::vector<QStringList> SomeRecords(bool oldLayout)
{
    std::vector<QStringList> records{
        {"0", "200", "", "2", "50.50", "", "", "", "20240101"},
        {"10", "400", "123.5", "", "300.00", "600.00", "250.00", "580.00", "20240102"},
        {"2", "52", "", "1", "95.25", "", "", "", "20231231"},
        {"13", "100", "7.0", "", "1500.00", "120.00", "0.00", "61.50", "20220505"},
    };
    if (oldLayout) {
        for (QStringList& record : records)
            record.removeAt(5);
    }
    return records;
}

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    QByteArray mutate(QByteArray image)
    {
        const int steps = 1 + below(4);
        for (int step = 0; step < steps && !image.isEmpty(); ++step) {
            switch (below(8)) {
            case 0: // any byte, any value
                image[below(image.size())] = static_cast<char>(below(256));
                break;
            case 1: { // a byte that means something to a parser
                static const char special[] = {'\0', '\x0D', '\x1A', ' ', '*', '-', '.', '9', '\xFF', 'N', 'C', 'D'};
                image[below(image.size())] = special[below(sizeof special)];
                break;
            }
            case 2: // the record count, header length or record length
                if (image.size() >= 12)
                    image[4 + below(8)] = static_cast<char>(below(256));
                break;
            case 3: { // a field descriptor's type, width or decimals
                const int at = 32 + 32 * below(10) + (below(3) == 0 ? 11 : 16 + below(2));
                if (at < image.size())
                    image[at] = static_cast<char>(below(3) == 0 ? below(256) : below(12));
                break;
            }
            case 4:
                image.truncate(below(image.size()));
                break;
            case 5:
                image.append(QByteArray(below(120), static_cast<char>(below(256))));
                break;
            case 6: { // a stretch of one record copied over another place
                const int from = below(image.size());
                image.replace(below(image.size()), 59, image.mid(from, 59));
                break;
            }
            default: // a record's digits shuffled
                if (image.size() > 400) {
                    const int at = 321 + below(image.size() - 321);
                    image[at] = static_cast<char>('0' + below(10));
                }
                break;
            }
        }
        return image;
    }

private:
    int below(qsizetype n) { return n <= 0 ? 0 : static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }
    std::mt19937 random_;
};

} // namespace

class TestRecordsFuzz : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void damagedTablesNeverCrashOrLoseRecords()
    {
        const QByteArray current = DbfImage(RecordsLayout(), SomeRecords(false));
        const QByteArray old = DbfImage(OldRecordsLayout(), SomeRecords(true));
        Mutator mutator(20240315);
        TempProgramDir dir;
        const QString table = dir.file("KORVANIS.DBF");
        int opened = 0;
        int converted = 0;

        for (int round = 0; round < kCases; ++round) {
            const QByteArray image = mutator.mutate(round % 3 == 0 ? old : current);
            for (const char* name : {"KORVANIS.DBF", "KORVANIS.NTX", "KORVANI2.NTX", "KVTEMP.DBF"})
                QFile::remove(dir.file(QLatin1String(name)));
            QVERIFY(WriteBytes(table, image));

            RecordsTable records;
            records.setToday([] { return QDate(2024, 3, 15); });
            records.OpenRecordsTable(dir.path());
            records.LookupBestTime(0, 200, 2);
            records.LookupPointsRecord(10, 300, 600);
            records.LookupPointsRecord(13, 1500, 120);
            QVERIFY2(!QFile::exists(dir.file("KVTEMP.DBF")), qPrintable(QString::number(round)));

            if (!records.isOpen()) {
                QVERIFY_THROWS_EXCEPTION(KorvanisError, records.StoreBestTime(5, 123, 4, 9.5));
                records.CloseRecordsTable();
                QVERIFY2(ReadBytes(table) == image, qPrintable(QString::number(round)));
                continue;
            }
            ++opened;
            const bool wasConverted = ReadBytes(table) != image;
            converted += wasConverted;
            records.StoreBestTime(5, 123, 4, 9.5);
            QCOMPARE(records.LookupBestTime(5, 123, 4), std::optional<double>(9.5));
            records.CloseRecordsTable();
            if (wasConverted)
                continue;

            // Every record the damaged file held whole and counted is still there.
            const QByteArray after = ReadBytes(table);
            const int data = DbfHeaderLength(image);
            const int length = DbfRecordLength(image);
            const qsizetype held = (image.size() - data) / length;
            const qsizetype counted = std::min<qsizetype>(DbfRecordCount(image), held);
            QVERIFY2(after.mid(data, counted * length) == image.mid(data, counted * length),
                     qPrintable(QString::number(round)));
            QVERIFY(DbfRecordCount(after) >= counted + 1);
        }
        qInfo("%d of %d damaged tables opened, %d of them converted", opened, kCases, converted);
        QVERIFY(opened > kCases / 10); // the damage must not only ever hit the header
    }
};

QTEST_GUILESS_MAIN(TestRecordsFuzz)
#include "tst_records_fuzz.moc"
