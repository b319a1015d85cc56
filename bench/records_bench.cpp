// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The records table at 100 000 records: opening with both index rebuilds, one
// lookup, and one store with its durable commit.
#include "records/records_table.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kRecords = 100000;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QByteArray Right(const QByteArray& text, int width)
{
    return text.rightJustified(width, ' ');
}

// Half best times over codes 0 to 2, half points records over codes 10, 11 and 13,
// every one with its own key, written as the table's bytes.
QByteArray BigTable()
{
    const char* fields[][4] = {{"DISZIPLIN", "N", "\x03", "\x00"}, {"ANZAHL", "N", "\x05", "\x00"},
                               {"PUNKTE", "N", "\x07", "\x01"},    {"ZEILE", "N", "\x03", "\x00"},
                               {"ZEIT", "N", "\x08", "\x02"},      {"REPLAYZEIT", "N", "\x08", "\x02"},
                               {"ZEIT_NUTZ", "N", "\x08", "\x02"}, {"REPL_NUTZ", "N", "\x08", "\x02"},
                               {"DATUM", "D", "\x08", "\x00"}};
    QByteArray image(32, '\0');
    image[0] = 0x03;
    image[1] = 124;
    image[2] = 1;
    image[3] = 1;
    for (int i = 0; i < 4; ++i)
        image[4 + i] = static_cast<char>(kRecords >> (8 * i) & 0xFF);
    image[8] = static_cast<char>(321 & 0xFF);
    image[9] = static_cast<char>(321 >> 8);
    image[10] = 59;
    for (const auto& field : fields) {
        QByteArray descriptor(32, '\0');
        descriptor.replace(0, static_cast<qsizetype>(std::strlen(field[0])), field[0]);
        descriptor[11] = field[1][0];
        descriptor[16] = field[2][0];
        descriptor[17] = field[3][0];
        image += descriptor;
    }
    image += '\x0D';
    image.reserve(321 + kRecords * 59 + 1);
    const QByteArray blank8(8, ' ');
    for (int i = 0; i < kRecords; ++i) {
        image += ' ';
        if (i % 2 == 0) {
            const int n = i / 2;
            image += Right(QByteArray::number(n % 3), 3) + Right(QByteArray::number(1 + n / 3 % 99999), 5)
                + QByteArray(7, ' ') + Right(QByteArray::number(1 + n / 3 / 99999), 3)
                + Right(QByteArray::number(10 + n % 5000 / 100.0, 'f', 2), 8) + blank8 + blank8 + blank8;
        } else {
            const int n = i / 2;
            const int code = n % 3 == 0 ? 10 : n % 3 == 1 ? 11 : 13;
            image += Right(QByteArray::number(code), 3) + Right(QByteArray::number(100 + n % 900), 5)
                + Right(QByteArray::number(n % 9999, 'f', 1), 7) + QByteArray(3, ' ')
                + Right(QByteArray::number(60 * (1 + n / 3 % 400), 'f', 2), 8)
                + Right(QByteArray::number(60 * (1 + n / 3 / 400), 'f', 2), 8) + blank8 + blank8;
        }
        image += "20240101";
    }
    image += '\x1A';
    return image;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* name, double value, const char* unit, double target)
{
    std::printf("%s: %.3g %s  (target %g %s, ratio %.2f)\n", name, value, unit, target, unit, value / target);
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QFile table(folder + QStringLiteral("KORVANIS.DBF"));
    if (!table.open(QIODevice::WriteOnly) || table.write(BigTable()) < 0)
        return 1;
    table.close();

    std::vector<double> opens;
    for (int round = 0; round < 5; ++round) {
        RecordsTable records;
        const auto start = Clock::now();
        records.OpenRecordsTable(folder);
        opens.push_back(MillisecondsSince(start));
        if (!records.isOpen() || records.TimesIndexOrder() == 0)
            return 1;
        records.CloseRecordsTable();
    }
    Report("open_index_100k_ms", Median(opens), "ms", 150);

    RecordsTable records;
    records.OpenRecordsTable(folder);
    std::mt19937 random(12345);
    constexpr int kLookups = 20000;
    int found = 0;
    const auto lookupStart = Clock::now();
    for (int i = 0; i < kLookups; ++i) {
        const int n = static_cast<int>(random() % (kRecords / 2));
        if (i % 2 == 0)
            found += records.LookupBestTime(n % 3, 1 + n / 3 % 99999, 1 + n / 3 / 99999).has_value();
        else
            found += records.LookupPointsRecord(10, 60.0 * (1 + n % 400), 60.0 * (1 + n / 400 % 42)).has_value();
    }
    const double lookupUs = MillisecondsSince(lookupStart) * 1000 / kLookups;
    if (found < kLookups / 2)
        return 1;
    Report("lookup_us", lookupUs, "us", 20);

    std::vector<double> stores;
    for (int i = 0; i < 40; ++i) {
        const auto start = Clock::now();
        if (i % 2 == 0)
            records.StoreBestTime(4, 1000 + i, 7, 12.5 + i); // a new record
        else
            records.StoreBestTime(0, 1 + i * 7, 1, 5.25); // an existing one edited
        stores.push_back(MillisecondsSince(start));
    }
    Report("store_ms", Median(stores), "ms", 5);
    records.CloseRecordsTable();
    return 0;
}
