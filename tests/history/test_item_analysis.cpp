// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// What the history keeps of each attempt's items and what the analysis counts
// in them: the items come back as they were given, stay small, survive a wait
// and an old file's upgrade, and a known set of attempts gives hand-counted
// errors, confusions and show times.
#include "core/disciplines.h"
#include "history/history_analysis.h"
#include "history/history_store.h"
#include "history/item_codec.h"
#include "history/item_tally.h"
#include "history/waiting_attempts.h"
#include "tests/support/fakes.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QDateTime May(QDate(2024, 5, 15), QTime(12, 0), Qt::OffsetFromUTC, 7200);

Attempt items(const QByteArray& given, const QByteArray& answers = {}, QVector<qint32> shown = {},
              QVector<qint32> lastShown = {}, QVector<qint32> answered = {})
{
    Attempt a;
    a.given = given;
    a.answers = answers;
    a.shownAtMs = std::move(shown);
    a.lastShownAtMs = std::move(lastShown);
    a.answeredAtMs = std::move(answered);
    return a;
}

// A memorisation of decimal digits typed back on a sheet of four a row.
AttemptRecord memo(const QByteArray& given, const QByteArray& answers)
{
    AttemptRecord a;
    a.discipline = NumbersMemo;
    a.setting = {int(given.size()), {}, 5, 10, {}};
    a.result = {{}, 0, 0, 0, 60.0, 60.0};
    a.items = items(given, answers);
    a.items.answeredAtMs = QVector<qint32>(int(given.size()), 100);
    a.itemsPerRow = 4;
    return a;
}

// A picture run of decimal digits, each line's showing given.
AttemptRecord run(const QByteArray& given, QVector<qint32> shown, double seconds, bool completed = true)
{
    AttemptRecord a;
    a.discipline = NumbersPicture;
    a.setting = {int(given.size()), 2, {}, {}, {}};
    a.result.runSeconds = seconds;
    a.completed = completed;
    a.items = items(given, {}, std::move(shown));
    return a;
}

AttemptRecord cards(const QByteArray& given, const QByteArray& answers, QVector<qint32> shown,
                    QVector<qint32> lastShown)
{
    AttemptRecord a;
    a.discipline = CardsMemo;
    a.setting = {int(given.size()), 1, 5, 5, {}};
    a.result = {{}, 0, 0, 0, 60.0, 60.0};
    a.items = items(given, answers, std::move(shown), std::move(lastShown));
    a.itemsPerRow = 52;
    return a;
}

// The counts as "kind size key: given wrong [ms sum, square sum]", in order.
QStringList texts(const ItemTally& tally)
{
    QStringList out;
    for (const auto& [place, c] : tally.counts()) {
        QString line = QStringLiteral("%1 %2 %3: %4 %5").arg(int(place.kind)).arg(place.size).arg(place.key)
                           .arg(c.given).arg(c.wrong);
        if (place.kind == TallyKind::ShowTime)
            line += QStringLiteral(" %1 %2").arg(QString::number(c.msSum, 'f', 0), QString::number(c.msSquareSum, 'f', 0));
        out << line;
    }
    return out;
}

struct Store {
    explicit Store(const TempProgramDir& dir)
    {
        store.setClock([this] { return clock; });
        store.setReporter([this](const HistoryProblem& p) { problems << p.kind; });
        store.open(dir.path());
    }
    // Dated so that the attempt starts at `started`.
    void record(const AttemptRecord& a, const QDateTime& started)
    {
        clock = started.addMSecs(qRound64(a.secondsUsed() * 1000));
        store.record(a);
    }
    QDateTime clock = May;
    QList<HistoryProblem::Kind> problems;
    HistoryStore store;
};

AnalysisResult analyse(const TempProgramDir& dir, int discipline, int size, AnalysisPeriod period = {})
{
    HistoryAnalysis analysis({dir.file("KORVANIS.SQLITE"), "QSQLITE_OPEN_READONLY"});
    AnalysisResult last;
    std::atomic<bool> cancel{false};
    analysis.run({discipline, size, period}, [&](const AnalysisResult& r) { last = r; }, cancel);
    return last;
}

QStringList positions(const std::vector<PositionRow>& rows)
{
    QStringList out;
    for (const PositionRow& r : rows)
        out << QStringLiteral("%1: %2 %3").arg(r.place).arg(r.given).arg(r.wrong);
    return out;
}

QStringList images(const std::vector<ImageRow>& rows)
{
    QStringList out;
    for (const ImageRow& r : rows) {
        QString line = QStringLiteral("%1: %2 %3").arg(r.image).arg(r.given).arg(r.wrong);
        for (const WrittenAs& w : r.writtenInstead)
            line += QStringLiteral(" as %1 x%2").arg(w.written).arg(w.times);
        out << line;
    }
    return out;
}

QStringList confusions(const std::vector<ConfusionRow>& rows)
{
    QStringList out;
    for (const ConfusionRow& r : rows)
        out << QStringLiteral("%1 as %2: %3").arg(r.given).arg(r.written).arg(r.times);
    return out;
}

QStringList times(const std::vector<ShowTimeRow>& rows)
{
    QStringList out;
    for (const ShowTimeRow& r : rows)
        out << QStringLiteral("%1: %2 %3 %4").arg(r.image).arg(r.shown).arg(r.meanMs).arg(r.spreadMs);
    return out;
}

// The three attempts of the hand count: in May a swap of 3 and 4 in the first
// row and a swap of the first two digits; in June a blank in the middle.
void recordHandSet(Store& s)
{
    s.record(memo("12345678", "12435678"), May);
    s.record(memo("34341200", QByteArray("4334\0\0\0\0", 8)), May.addDays(1));
    s.record(memo("9012", QByteArray("9\00012", 4)), May.addMonths(1));
}

} // namespace

class TestItemAnalysis : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void itemsComeBackAsTheyWereGiven_data()
    {
        QTest::addColumn<Attempt>("attempt");
        QTest::newRow("digits with blanks") << items("0123456789", QByteArray("01\0003456780", 10), {},
                                                     {}, QVector<qint32>{5, 9, -1, 20, 20, 21, 0, 7, 8, 3000000});
        QTest::newRow("binary, no answers") << items("0110", {}, {0, 0, 250, 250});
        QTest::newRow("cards as face indexes") << items(QByteArray("\x01\x34\x30\x0d", 4), QByteArray("\x01\0\x31\x0d", 4),
                                                        {0, 0, 900, -1}, {800, 800, 1500, -1}, {1, -1, 7, 9});
        QTest::newRow("cards that look like digits") << items(QByteArray("\x30\x31", 2), QByteArray("\x31\x30", 2));
        QTest::newRow("extreme times") << items("12", {}, {INT32_MAX, INT32_MIN}, {-1, 0}, {INT32_MIN, INT32_MAX});
    }

    void itemsComeBackAsTheyWereGiven()
    {
        QFETCH(Attempt, attempt);
        Attempt back;
        back.given = ItemCodec::symbolsFrom(ItemCodec::symbols(attempt.given));
        back.answers = ItemCodec::symbolsFrom(ItemCodec::symbols(attempt.answers));
        QVERIFY(ItemCodec::readTimes(ItemCodec::times(attempt), back));
        QCOMPARE(back, attempt);
        // Digits are text other tools read as the sheet showed them.
        if (attempt.given.at(0) >= '0')
            QCOMPARE(ItemCodec::symbols(attempt.given).typeId(), int(QMetaType::QString));
    }

    void damagedTimesAreRefusedNotGuessed_data()
    {
        QTest::addColumn<QByteArray>("blob");
        const QByteArray good = ItemCodec::times(items("1234", {}, {0, 0, 700, 700}));
        QTest::newRow("unknown format") << QByteArray("\x07\x04", 2);
        QTest::newRow("cut short") << good.left(good.size() - 1);
        QTest::newRow("bytes left over") << good + '\x00';
        QTest::newRow("length beyond the blob") << QByteArray("\x01\x7f\x00", 3);
        QTest::newRow("deflated garbage") << QByteArray("\x02garbage", 8);
    }

    void damagedTimesAreRefusedNotGuessed()
    {
        QFETCH(QByteArray, blob);
        if (QByteArray(QTest::currentDataTag()).startsWith("deflated"))
            QTest::ignoreMessage(QtWarningMsg, "qUncompress: Input data is corrupted");
        Attempt a = items("1234", {}, {1, 2, 3, 4});
        QVERIFY(!ItemCodec::readTimes(blob, a));
        QVERIFY(a.shownAtMs.isEmpty());
    }

    // Whatever a damaged file holds, its times are read whole or not at all.
    void everyCutOfTheTimesIsRefused_data()
    {
        QTest::addColumn<Attempt>("attempt");
        QTest::newRow("plain") << items("123456", {}, {0, 0, 700, 700, 1400, 1400}, {}, {5, 6, 7, 8, 9, 10});
        Attempt many = items(QByteArray(3000, '5'));
        for (int i = 0; i < 3000; ++i)
            many.answeredAtMs << i * 997 % 5003;
        QTest::newRow("deflated") << many;
    }

    void everyCutOfTheTimesIsRefused()
    {
        QFETCH(Attempt, attempt);
        const QByteArray blob = ItemCodec::times(attempt);
        // Qt's complaint about each cut deflated stream is expected here.
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        int accepted = 0;
        for (qsizetype size = 1; size < blob.size(); ++size) {
            Attempt back;
            if (ItemCodec::readTimes(blob.left(size), back) || !back.answeredAtMs.isEmpty())
                ++accepted;
        }
        qInstallMessageHandler(previous);
        QCOMPARE(accepted, 0);
        Attempt back;
        QVERIFY(ItemCodec::readTimes(blob, back));
        QCOMPARE(back.answeredAtMs, attempt.answeredAtMs);
    }

    void countsOfOneAttemptAreTheHandCountedOnes_data()
    {
        QTest::addColumn<int>("alphabet");
        QTest::addColumn<AttemptRecord>("attempt");
        QTest::addColumn<QStringList>("counts");
        // 3 and 4 swapped: columns 2 and 3 wrong in row 0; pair 34 as 43, triple
        // 123 as 124 (a row of four holds one triple).
        QTest::newRow("a swap") << 10 << memo("12345678", "12435678")
                                << QStringList{"1 0 0: 2 0", "1 0 1: 2 0", "1 0 2: 2 1", "1 0 3: 2 1",
                                               "2 0 0: 4 2", "2 0 1: 4 0",
                                               "3 2 12: 1 0", "3 2 34: 1 1", "3 2 56: 1 0", "3 2 78: 1 0",
                                               "3 3 123: 1 1", "3 3 567: 1 0",
                                               "4 2 3443: 0 1", "4 3 123124: 0 1"};
        // A blank before the last answer is wrong but no confusion; what lies
        // after the last answer was never reached.
        QTest::newRow("a blank, then nothing") << 10 << memo("90123456", QByteArray("9\00012\0\0\0\0", 8))
                                               << QStringList{"1 0 0: 1 0", "1 0 1: 1 1", "1 0 2: 1 0", "1 0 3: 1 0",
                                                              "2 0 0: 4 1", "3 2 12: 1 0", "3 2 90: 1 1",
                                                              "3 3 901: 1 1"};
        QTest::newRow("nothing answered") << 10 << memo("1234", QByteArray(4, '\0')) << QStringList{};
        // Lines of two: each pair is on show from its line to the next, the last
        // until the run ends; a triple takes its digits' shares.
        QTest::newRow("picture run") << 10 << run("123456", {0, 0, 1000, 1000, 3000, 3000}, 4.5)
                                     << QStringList{"5 2 12: 1 0 1000 1000000", "5 2 34: 1 0 2000 4000000",
                                                    "5 2 56: 1 0 1500 2250000", "5 3 123: 1 0 2000 4000000",
                                                    "5 3 456: 1 0 2500 6250000"};
        QTest::newRow("broken-off run: its last line has no end")
            << 10 << run("5678", {0, 0, 700, 700}, 1.0, false) << QStringList{"5 2 56: 1 0 700 490000"};
        // Binary digits in triples, read in base 2: 011 is 3, 110 is 6.
        QTest::newRow("binary") << 2 << [] {
            AttemptRecord a = memo("011110", "011100");
            a.discipline = BinaryMemo;
            a.itemsPerRow = 6;
            return a;
        }() << QStringList{"1 0 0: 1 0", "1 0 1: 1 0", "1 0 2: 1 0", "1 0 3: 1 0", "1 0 4: 1 1", "1 0 5: 1 0",
                           "2 0 0: 6 1", "3 3 3: 1 0", "3 3 6: 1 1", "4 3 52: 0 1"};
        // Cards on show two and one at a time until each went off; the second and
        // third swapped. Pair (1, 2) is 0 * 52 + 1 = 1, written as (1, 3) = 2.
        QTest::newRow("cards") << 52
                               << cards(QByteArray("\x01\x02\x03", 3), QByteArray("\x01\x03\x02", 3), {0, 0, 2000},
                                        {1000, 1000, 2600})
                               << QStringList{"1 0 0: 1 0", "1 0 1: 1 1", "1 0 2: 1 1", "2 0 0: 3 2",
                                              "3 1 1: 1 0", "3 1 2: 1 1", "3 1 3: 1 1", "3 2 1: 1 1",
                                              "4 1 107: 0 1", "4 1 158: 0 1", "4 2 2706: 0 1",
                                              "5 1 1: 1 0 500 250000", "5 1 2: 1 0 500 250000",
                                              "5 1 3: 1 0 600 360000", "5 2 1: 1 0 1000 1000000"};
    }

    void countsOfOneAttemptAreTheHandCountedOnes()
    {
        QFETCH(int, alphabet);
        QFETCH(AttemptRecord, attempt);
        QFETCH(QStringList, counts);
        ItemTally tally(alphabet);
        tally.add(attempt);
        QCOMPARE(texts(tally), counts);
    }

    void aKnownSetOfAttemptsGivesTheHandCountedTables()
    {
        TempProgramDir dir;
        Store s(dir);
        recordHandSet(s);
        QVERIFY(s.problems.isEmpty());
        const AnalysisResult all = analyse(dir, NumbersMemo, 2);
        QCOMPARE(all.stepsDone, int(AnalysisResult::Steps));
        QCOMPARE(all.error, QString());
        QCOMPARE(positions(all.columns), QStringList({"0: 4 1", "1: 4 2", "2: 4 1", "3: 4 1"}));
        QCOMPARE(positions(all.rows), QStringList({"0: 12 5", "1: 4 0"}));
        // Most often wrong first.
        QCOMPARE(images(all.images), QStringList({"34: 3 2 as 43 x2", "90: 1 1", "12: 2 0", "56: 1 0", "78: 1 0"}));
        QCOMPARE(confusions(all.confusions), QStringList({"34 as 43: 2"}));
        QVERIFY(all.showTimes.empty());

        const AnalysisResult triples = analyse(dir, NumbersMemo, 3);
        QCOMPARE(images(triples.images),
                 QStringList({"123: 1 1 as 124 x1", "343: 1 1 as 433 x1", "901: 1 1", "567: 1 0"}));
        QCOMPARE(confusions(triples.confusions), QStringList({"123 as 124: 1", "343 as 433: 1"}));

        // June alone: the blank of the third attempt.
        const AnalysisResult june = analyse(dir, NumbersMemo, 2, {202406, 202406});
        QCOMPARE(positions(june.columns), QStringList({"0: 1 0", "1: 1 1", "2: 1 0", "3: 1 0"}));
        QCOMPARE(images(june.images), QStringList({"90: 1 1", "12: 1 0"}));
        QVERIFY(june.confusions.empty());
        // Another discipline has none of it.
        QVERIFY(analyse(dir, BinaryMemo, 3).columns.empty());
    }

    void theSlowestImagesComeFirstWithTheirSpread()
    {
        TempProgramDir dir;
        Store s(dir);
        s.record(run("123456", {0, 0, 1000, 1000, 3000, 3000}, 4.5), May);
        s.record(run("3412", {0, 0, 500, 500}, 1.9), May);
        s.record(run("5678", {0, 0, 700, 700}, 1.0, false), May);
        // 34: 2000 and 500; 12: 1000 and 1400; 56: 1500 and 700.
        const AnalysisResult r = analyse(dir, NumbersPicture, 2);
        QCOMPARE(times(r.showTimes), QStringList({"34: 2 1250 750", "12: 2 1200 200", "56: 2 1100 400"}));
        QVERIFY(r.columns.empty());
        QVERIFY(r.images.empty());
    }

    void theTrendFollowsTheWorstImagesMonthByMonth()
    {
        TempProgramDir dir;
        Store s(dir);
        // 34 wrong half the time in May and never in June; 12 wrong once in six.
        for (int i = 0; i < 5; ++i) {
            s.record(memo("3412", "4312"), May.addSecs(i * 600));
            s.record(memo("3412", "3412"), May.addMonths(1).addSecs(i * 600));
        }
        s.record(memo("1212", "1213"), May.addMonths(1).addDays(1));
        const AnalysisResult r = analyse(dir, NumbersMemo, 2);
        QCOMPARE(r.trend.size(), 2u);
        QCOMPARE(r.trend[0].image, 34);
        QCOMPARE(r.trend[0].rateByMonth, (std::vector<std::pair<int, double>>{{202405, 1.0}, {202406, 0.0}}));
        QCOMPARE(r.trend[1].image, 12);
        QCOMPARE(r.trend[1].rateByMonth, (std::vector<std::pair<int, double>>{{202405, 0.0}, {202406, 1.0 / 7}}));
    }

    void theWorstImagesAreThoseOftenGivenAndOftenWrong_data()
    {
        QTest::addColumn<QList<qint64>>("rows");  // image, given, wrong, ...
        QTest::addColumn<QList<qint64>>("worst");
        QTest::newRow("rate first, then errors, then image")
            << QList<qint64>{1, 10, 5, 2, 20, 10, 3, 10, 9, 4, 100, 1, 5, 10, 5}
            << QList<qint64>{3, 2, 1, 5, 4};
        QTest::newRow("too seldom given to tell") << QList<qint64>{1, 4, 4, 2, 5, 1} << QList<qint64>{2};
        QTest::newRow("never wrong is not failing") << QList<qint64>{1, 50, 0} << QList<qint64>{};
        QList<qint64> many;
        for (int i = 0; i < 12; ++i)
            many << i << 10 << i;
        QTest::newRow("ten at most") << many << QList<qint64>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    }

    void theWorstImagesAreThoseOftenGivenAndOftenWrong()
    {
        QFETCH(QList<qint64>, rows);
        QFETCH(QList<qint64>, worst);
        std::vector<ImageRow> images;
        for (int i = 0; i + 2 < rows.size(); i += 3)
            images.push_back({rows[i], rows[i + 1], rows[i + 2], {}});
        const std::vector<qint64> found = HistoryAnalysis::WorstImages(images);
        QCOMPARE(QList<qint64>(found.begin(), found.end()), worst);
    }

    void periodsAreCalendarMonthsUpToToday_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("months");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("this month") << QDate(2024, 5, 31) << 1 << 202405 << 202405;
        QTest::newRow("three across a year") << QDate(2024, 2, 1) << 3 << 202312 << 202402;
        QTest::newRow("twelve") << QDate(2024, 5, 15) << 12 << 202306 << 202405;
        QTest::newRow("everything") << QDate(2024, 5, 15) << 0 << 0 << 999912;
    }

    void periodsAreCalendarMonthsUpToToday()
    {
        QFETCH(QDate, today);
        QFETCH(int, months);
        QFETCH(int, from);
        QFETCH(int, to);
        QCOMPARE(AnalysisPeriod::LastMonths(today, months), (AnalysisPeriod{from, to}));
    }

    void anAttemptOfTwentyThousandDigitsStaysSmall()
    {
        TempProgramDir dir;
        Store s(dir);
        SeededRandom random(7);
        QByteArray given(20000, '0');
        for (char& c : given)
            c = char('0' + random.next(10));
        QByteArray answers = given;
        for (int i = 0; i < 20000; i += 37)
            answers[i] = char('0' + (answers[i] - '0' + 1) % 10);
        AttemptRecord a = memo(given, answers);
        a.itemsPerRow = 40;
        // A key every 300 to 1500 ms.
        qint32 at = 0;
        for (qint32& t : a.items.answeredAtMs)
            t = at += 300 + random.next(1200);
        s.record(a, May);
        QVERIFY(s.problems.isEmpty());
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "size");
        {
            db.setDatabaseName(dir.file("KORVANIS.SQLITE"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("SELECT length(CAST(given AS BLOB)) + length(CAST(answers AS BLOB)) + length(times),"
                           " typeof(given) FROM attempt_items"));
            QVERIFY(q.next());
            QVERIFY2(q.value(0).toInt() < 75000, qPrintable(q.value(0).toString()));
            QCOMPARE(q.value(1).toString(), QString("text"));
        }
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("size");

        // And it comes back whole.
        const std::vector<StoredAttempt> stored = s.store.attempts(a.discipline, a.setting);
        QCOMPARE(stored.size(), 1u);
        QVERIFY(stored[0].attempt.items.given.isEmpty());
        AttemptRecord back = stored[0].attempt;
        QVERIFY(s.store.readItems(stored[0].id, back));
        QCOMPARE(back, a);
    }

    void waitingAttemptsKeepTheirItems()
    {
        TempProgramDir dir;
        const QString history = dir.file("KORVANIS.SQLITE");
        StoredAttempt waiting{cards(QByteArray("\x05\x33", 2), QByteArray("\x05\0", 2), {0, 10}, {10, 20}), May};
        waiting.attempt.items.answeredAtMs = {70, -1};
        StoredAttempt without{memo("12", "12"), May.addSecs(1)};
        without.attempt.items = Attempt();
        without.attempt.itemsPerRow = 0;
        {
            WaitingAttempts first;
            first.setHistoryFile(history);
            first.push(waiting);
            first.push(without);
            QString error;
            QVERIFY(first.keep(error));
        }
        WaitingAttempts later;
        later.setHistoryFile(history);
        const WaitingAttempts::TakenIn taken = later.takeInLeftBehind();
        QCOMPARE(taken.attempts, 2);
        QCOMPARE(later.front().stored.attempt, waiting.attempt);
        later.popFront();
        QCOMPARE(later.front().stored.attempt, without.attempt);
    }

    // The open checks the attempts alone, as the items are many times their size;
    // damage in the items is met when an attempt is written, and the file goes
    // aside as damage found at the open does.
    void damageInTheItemsIsMetAtTheNextWrite()
    {
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        int tallyRoot = 0;
        {
            Store s(dir);
            s.record(memo("1234", "1234"), May);
            s.store.close();
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "root");
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("SELECT rootpage FROM sqlite_master WHERE name = 'item_tallies'") && q.next());
            tallyRoot = q.value(0).toInt();
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase("root");
        QByteArray bytes = ReadBytes(file);
        QVERIFY(tallyRoot > 1 && bytes.size() >= tallyRoot * 4096);
        bytes.replace((tallyRoot - 1) * 4096, 512, QByteArray(512, '\xA5'));
        QVERIFY(WriteBytes(file, bytes));

        Store s(dir);
        QCOMPARE(s.store.state(), HistoryStore::State::Writable);
        QVERIFY(s.problems.isEmpty());
        s.record(memo("5678", "5687"), May);
        QCOMPARE(s.problems, QList<HistoryProblem::Kind>{HistoryProblem::SetAside});
        QCOMPARE(s.store.pendingCount(), 0u);
        // The attempt is in the new file with its items and counts.
        QCOMPARE(images(analyse(dir, NumbersMemo, 2).images), QStringList({"78: 1 1 as 87 x1", "56: 1 0"}));
    }

    void anOldFileIsUpgradedAndKeepsEveryValue()
    {
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "v2");
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery q(db);
            for (const HistoryMigration& step : HistoryMigrations()) {
                if (step.version > 2)
                    break;
                for (const QString& statement : step.statements)
                    QVERIFY(q.exec(statement));
            }
            QVERIFY(q.exec("PRAGMA user_version = 2"));
            QVERIFY(q.exec("INSERT INTO attempts VALUES (7, 10, 400, NULL, 5, 10, NULL, NULL, 95, 97, 3, 83.456,"
                           " 42.5, 1, 1, '2023-01-02T03:04:05.678Z', 3600, 'Korvanis 0.0.9.0')"));
            QVERIFY(q.exec("INSERT INTO attempts VALUES (8, 0, 200, 2, NULL, NULL, NULL, 45.678, NULL, NULL, NULL,"
                           " NULL, NULL, 0, 0, '2023-01-03T00:00:00.000Z', -18000, NULL)"));
            db.close();
        }
        QSqlDatabase::removeDatabase("v2");
        Store s(dir);
        QCOMPARE(s.store.state(), HistoryStore::State::Writable);
        QVERIFY(s.problems.isEmpty());

        AttemptRecord memorised;
        memorised.discipline = 10;
        memorised.setting = {400, {}, 5, 10, {}};
        memorised.result = {{}, 95, 97, 3, 83.456, 42.5};
        memorised.savedAsRecord = true;
        std::vector<StoredAttempt> stored = s.store.attempts(10, memorised.setting);
        QCOMPARE(stored.size(), 1u);
        QCOMPARE(stored[0].attempt, memorised);
        QCOMPARE(stored[0].started.toString(Qt::ISODateWithMs), QString("2023-01-02T04:04:05.678+01:00"));
        QCOMPARE(stored[0].id, 7);
        // An attempt of before has no items, and that reads as none.
        AttemptRecord back = stored[0].attempt;
        QVERIFY(s.store.readItems(7, back));
        QCOMPARE(back, memorised);

        AttemptRecord broken;
        broken.discipline = 0;
        broken.setting = {200, 2, {}, {}, {}};
        broken.result.runSeconds = 45.678;
        broken.completed = false;
        stored = s.store.attempts(0, broken.setting);
        QCOMPARE(stored.size(), 1u);
        QCOMPARE(stored[0].attempt, broken);
        QCOMPARE(stored[0].started.offsetFromUtc(), -18000);

        // New attempts keep their items beside the old ones.
        s.record(memo("1234", "1243"), May);
        const AnalysisResult r = analyse(dir, NumbersMemo, 2);
        QCOMPARE(images(r.images), QStringList({"34: 1 1 as 43 x1", "12: 1 0"}));
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "after");
        {
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("PRAGMA user_version"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), HistoryMigrations().back().version);
            QVERIFY(q.exec("SELECT written_by FROM attempts WHERE id = 7"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), QString("Korvanis 0.0.9.0"));
        }
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("after");
    }
};

QTEST_GUILESS_MAIN(TestItemAnalysis)
#include "test_item_analysis.moc"
