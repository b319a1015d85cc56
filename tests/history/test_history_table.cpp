// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
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

// The rows as Python's csv module reads them, the byte-order mark taken off as
// a spreadsheet takes it.
QList<QStringList> readWithPython(const QString& fileName, QChar separator = ',')
{
    bool ok = false;
    QString errors;
    const QString out = RunPython(R"(
import csv, json, sys
with open(sys.argv[1], newline="", encoding="utf-8-sig") as f:
    print(json.dumps(list(csv.reader(f, delimiter=sys.argv[2]))))
)",
                                  {fileName, QString(separator)}, &ok, &errors);
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

    void theCsvReadsBackUnchanged_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::newRow("comma") << QChar(',');
        QTest::newRow("semicolon") << QChar(';');
    }

    void theCsvReadsBackUnchanged()
    {
        QFETCH(QChar, separator);
        const QList<QStringList> rows = {
            {"plain", "with, comma", "with; semicolon", "with \"quotes\"", "two\nlines", " padded ", "", "Binärzahlen – ü"},
            {"1.5", "-0,25", "2024-05-01 18:00:00", "\r", ",", ";", "\"", "x"},
        };
        TempProgramDir dir;
        const QString file = dir.file("out.csv");
        QString error;
        QVERIFY(SaveCsv(file, CsvText(rows, separator), &error));
        QCOMPARE(readWithPython(file, separator), rows);
        // Without the mark spreadsheets take the UTF-8 bytes for another code page.
        QVERIFY(ReadBytes(file).startsWith("\xEF\xBB\xBF" "plain"));
    }

    void theCsvHoldsOneColumnPerValue_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("layout");  // "comma" or "semicolon"
        QTest::addColumn<bool>("interfaceLanguage");
        QTest::addColumn<QStringList>("header");  // the first columns and the last
        QTest::addColumn<QStringList>("run");     // a picture run, marked
        QTest::addColumn<QStringList>("scored");  // a scored attempt
        const QStringList fixed = {"id", "started_local", "discipline_code", "discipline", "item_count", "per_line",
                                   "memo_minutes", "recall_minutes", "pulse_ms", "run_seconds", "points",
                                   "correct_digits", "marked_errors", "memo_seconds_used", "recall_seconds_used",
                                   "completed", "saved_as_record", "set_aside"};
        const QStringList run = {"7", "2024-05-01 18:00:00", "0", "Numbers – picture training", "200", "2", "", "",
                                 "", "45.678", "", "", "", "", "", "0", "0", "marked"};
        const QStringList scored = {"8", "2024-04-30 18:00:00", "11", "Binary numbers – memorisation", "400", "",
                                    "5", "10", "", "", "45", "46", "1", "83.456", "42.5", "1", "1", ""};
        QTest::newRow("German, comma, fixed names") << 0 << "comma" << false << fixed << run << scored;
        QTest::newRow("English, comma, fixed names") << 1 << "comma" << false << fixed << run << scored;
        QStringList runComma = run;
        runComma[9] = "45,678";
        QStringList scoredComma = scored;
        scoredComma[13] = "83,456";
        scoredComma[14] = "42,5";
        QTest::newRow("German, semicolon, fixed names") << 0 << "semicolon" << false << fixed << runComma
                                                        << scoredComma;
        QStringList runGerman = runComma;
        runGerman[3] = "Zahlen – Bildertraining";
        runGerman[17] = "markiert";
        QStringList scoredGerman = scoredComma;
        scoredGerman[3] = "Binärzahlen – Memorieren";
        QTest::newRow("German, semicolon, German names")
            << 0 << "semicolon" << true
            << QStringList{"Nr.", "Beginn", "Disziplin-Code", "Disziplin", "Anzahl", "pro Zeile", "Memorieren (min)",
                           "Wiedergabe (min)", "Takt (ms)", "Zeit (s)", "Punkte", "Korrekte Ziffern", "Fehler",
                           "Memorieren (s)", "Wiedergabe (s)", "Beendet", "Rekord gespeichert", "Nicht gezählt"}
            << runGerman << scoredGerman;
        QStringList runEnglish = run;
        runEnglish[17] = "marked";
        QTest::newRow("English, comma, English names")
            << 1 << "comma" << true
            << QStringList{"No.", "Started", "Discipline code", "Discipline", "Count", "Per line",
                           "Memorising (min)", "Recall (min)", "Pulse (ms)", "Time (s)", "Points", "Correct digits",
                           "Errors", "Memorising (s)", "Recall (s)", "Completed", "Saved as record", "Not counted"}
            << runEnglish << scored;
    }

    void theCsvHoldsOneColumnPerValue()
    {
        QFETCH(int, language);
        QFETCH(QString, layout);
        QFETCH(bool, interfaceLanguage);
        QFETCH(QStringList, header);
        QFETCH(QStringList, run);
        QFETCH(QStringList, scored);
        Context c(language);
        std::vector<StoredAttempt> attempts = attemptsOf(0, {-45.678});
        attempts[0].attempt.setting = {200, 2, {}, {}, {}};
        attempts[0].id = 7;
        attempts[0].mark = AttemptMark::Marked;
        std::vector<StoredAttempt> memo = attemptsOf(11, {45});
        StoredAttempt& m = memo[0];
        m.started = m.started.addDays(-1);
        m.attempt.setting = {400, {}, 5, 10, {}};
        m.attempt.result = {{}, 45, 46, 1, 83.456, 42.5};
        m.attempt.savedAsRecord = true;
        m.id = 8;
        attempts.push_back(m);
        CsvFormat format = layout == "comma" ? CsvFormat::Comma() : CsvFormat::Semicolon(QLocale(QLocale::German));
        format.interfaceLanguage = interfaceLanguage;
        TempProgramDir dir;
        QVERIFY(SaveCsv(dir.file("h.csv"), CsvText(CsvRows(c.ctx, attempts, format), format.separator), nullptr));
        const QList<QStringList> read = readWithPython(dir.file("h.csv"), format.separator);
        QCOMPARE(read.size(), 3);
        QCOMPARE(read[0], header);
        QCOMPARE(read[1], run);
        QCOMPARE(read[2], scored);
        if (!interfaceLanguage)
            QCOMPARE(read[0], CsvColumnNames());
    }

    void theSemicolonLayoutTakesTheLocalesDecimalSign_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QChar>("decimal");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << QChar(',');
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << QChar(',');
        QTest::newRow("Swiss German") << QLocale(QLocale::German, QLocale::Switzerland) << QChar('.');
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom) << QChar('.');
    }

    void theSemicolonLayoutTakesTheLocalesDecimalSign()
    {
        QFETCH(QLocale, locale);
        QFETCH(QChar, decimal);
        const CsvFormat format = CsvFormat::Semicolon(locale);
        QCOMPARE(format.separator, QChar(';'));
        QCOMPARE(format.decimal, decimal);
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
