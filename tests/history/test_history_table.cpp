// What the history shows and exports: the statistics over a fixed set of results,
// and a CSV that a spreadsheet's parser (Python's csv module) reads back unchanged.
#include "core/app_context.h"
#include "history/history_csv.h"
#include "history/history_statistics.h"
#include "records/records_table.h"
#include "tests/support/file_size_limit.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

namespace {

// Attempts of one discipline, newest first; a negative result is a broken-off run.
std::vector<StoredAttempt> attemptsOf(int discipline, const QList<double>& results)
{
    std::vector<StoredAttempt> attempts;
    QDateTime started(QDate(2024, 5, 1), QTime(18, 0), Qt::OffsetFromUTC, 7200);
    for (double result : results) {
        StoredAttempt s;
        s.attempt.discipline = discipline;
        s.attempt.completed = result >= 0;
        if (IsTimedRun(discipline))
            s.attempt.result.runSeconds = std::abs(result);
        else
            s.attempt.result.points = int(result);
        s.started = started;
        started = started.addDays(-1);
        attempts.push_back(s);
    }
    return attempts;
}

struct Context {
    explicit Context(int language) { ctx.Language = language; }
    RecordsTable records;
    FakeServices services;
    AppContext ctx{records, services.tick, services.wave, services.dialogs, services.random};
};

QList<QStringList> readWithPython(const QString& fileName)
{
    bool ok = false;
    QString errors;
    const QString out = RunPython(R"(
import csv, json, sys
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    print(json.dumps(list(csv.reader(f))))
)",
                                  {fileName}, &ok, &errors);
    if (!ok)
        qWarning("%s", qPrintable(errors));
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(out.toUtf8()).array()) {
        QStringList fields;
        for (const QJsonValue& field : row.toArray())
            fields << field.toString();
        rows << fields;
    }
    return rows;
}

} // namespace

class TestHistoryTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void statisticsFollowTheResults_data()
    {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QList<double>>("newestFirst");
        QTest::addColumn<double>("best");
        QTest::addColumn<double>("median");
        QTest::addColumn<double>("change");  // NaN: none
        const double none = qQNaN();
        QTest::newRow("one attempt") << 10 << QList<double>{120} << 120.0 << 120.0 << none;
        QTest::newRow("even count") << 10 << QList<double>{10, 40, 20, 30} << 40.0 << 25.0 << none;
        QTest::newRow("ten: no ten before") << 11 << QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << 10.0 << 5.5
                                            << none;
        QTest::newRow("eleven: one before") << 11 << QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20} << 20.0 << 5.5
                                            << -14.5;
        QList<double> points;
        for (int i = 25; i >= 1; --i)
            points << i * 10;  // rising: the newest is 250
        // The last ten 250..160 (median 205), the ten before 150..60 (median 105);
        // the five before those play no part.
        QTest::newRow("twenty-five points") << 10 << points << 250.0 << 205.0 << 100.0;
        QTest::newRow("runs: lower is best") << 0 << QList<double>{50, 60, 55} << 50.0 << 55.0 << none;
        QTest::newRow("broken-off runs do not count")
            << 0 << QList<double>{-3, 50, -1.5, 60, 55} << 50.0 << 55.0 << none;
    }

    void statisticsFollowTheResults()
    {
        QFETCH(int, discipline);
        QFETCH(QList<double>, newestFirst);
        QFETCH(double, best);
        QFETCH(double, median);
        QFETCH(double, change);
        const HistoryStatistics stats = ComputeStatistics(attemptsOf(discipline, newestFirst));
        QCOMPARE(stats.attempts, newestFirst.size());
        QCOMPARE(stats.best, std::optional<double>(best));
        QCOMPARE(stats.medianOfLastTen, std::optional<double>(median));
        QCOMPARE(stats.change, qIsNaN(change) ? std::nullopt : std::optional<double>(change));
        QCOMPARE(ComputeStatistics({}).best, std::nullopt);
    }

    void theCsvReadsBackUnchanged()
    {
        const QList<QStringList> rows = {
            {"plain", "with, comma", "with \"quotes\"", "two\nlines", " padded ", "", "Binärzahlen – ü"},
            {"1.5", "-0.25", "2024-05-01T18:00:00+02:00", "\r", ",", "\"", "x"},
        };
        TempProgramDir dir;
        const QString file = dir.file("out.csv");
        QString error;
        QVERIFY(SaveCsv(file, CsvText(rows), &error));
        QCOMPARE(readWithPython(file), rows);
        QVERIFY(!ReadBytes(file).startsWith("\xEF\xBB\xBF"));
    }

    void theCsvHoldsTheShownAttempts_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<QStringList>("newest");
        QTest::newRow("German run") << 0 << 0
                                    << QStringList{"Disziplin", "Einstellung", "Beginn", "Zeit (s)", "Beendet",
                                                   "Rekord gespeichert"}
                                    << QStringList{"Zahlen – Bildertraining", "Anzahl 200, 2 pro Zeile",
                                                   "2024-05-01T18:00:00+02:00", "45.678", "abgebrochen", "nein"};
        QTest::newRow("English scored") << 1 << 11
                                        << QStringList{"Discipline", "Setting", "Started", "Points", "Correct digits",
                                                       "Errors", "Memorising (s)", "Recall (s)", "Saved as record"}
                                        << QStringList{"Binary numbers – memorisation",
                                                       "Count 400, memorise 5 min, recall 10 min",
                                                       "2024-05-01T18:00:00+02:00", "45",
                                                       "46", "1", "83.456", "42.5", "yes"};
    }

    void theCsvHoldsTheShownAttempts()
    {
        QFETCH(int, language);
        QFETCH(int, discipline);
        QFETCH(QStringList, header);
        QFETCH(QStringList, newest);
        Context c(language);
        std::vector<StoredAttempt> attempts = attemptsOf(discipline, {-45.678, 40});
        for (StoredAttempt& s : attempts) {
            s.attempt.setting = {200, 2, {}, {}, {}};
            if (!IsTimedRun(discipline)) {
                s.attempt.setting = {400, {}, 5, 10, {}};
                s.attempt.completed = true;
                s.attempt.result = {{}, 45, 46, 1, 83.456, 42.5};
            }
        }
        attempts[0].attempt.savedAsRecord = !IsTimedRun(discipline);
        TempProgramDir dir;
        QVERIFY(SaveCsv(dir.file("h.csv"), CsvText(CsvRows(c.ctx, attempts)), nullptr));
        const QList<QStringList> read = readWithPython(dir.file("h.csv"));
        QCOMPARE(read.size(), 3);
        QCOMPARE(read[0], header);
        QCOMPARE(read[1], newest);
    }

    void aFullDiskLeavesTheEarlierExport()
    {
        TempProgramDir dir;
        const QString file = dir.file("h.csv");
        QVERIFY(WriteBytes(file, "earlier\r\n"));
        const QByteArray big = CsvText(QList<QStringList>(2000, QStringList{"a", "b", "c"}));
        QString error;
        bool saved = true;
        {
            const FileSizeLimit limit(4096);
            saved = SaveCsv(file, big, &error);
        }
        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadBytes(file), QByteArray("earlier\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"h.csv"});
    }
};

QTEST_GUILESS_MAIN(TestHistoryTable)
#include "test_history_table.moc"
