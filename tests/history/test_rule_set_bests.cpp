// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The best of a setting under each rule set, judged without a window: on
// hand-made attempts, where each rule set's best comes from another attempt,
// attempts set aside or without items are passed over and equal points are
// told apart by the championship points; and read from a history file one
// attempt at a time, as the window's reader does.
#include "core/disciplines.h"
#include "history/history_store.h"
#include "history/rule_set_bests.h"
#include "tests/support/fakes.h"

#include <QtTest>
#include <cmath>

namespace {

// 80 digits typed back on a sheet of 40 a row, memorised in 5 minutes, spoiled
// as `spoils` says: "w5" a wrong answer at place 5 (from 0), "m5" place 5 left
// empty, "s5" everything from place 5 on left empty, "-" no items kept (an
// attempt an older version wrote).
AttemptRecord numbers(const QString& spoils, double memoSeconds = 300)
{
    AttemptRecord a;
    a.discipline = NumbersMemo;
    a.setting = {80, {}, 5, 15, {}};
    a.result = {{}, 0, 0, 0, memoSeconds, 600.0};
    if (spoils == u"-")
        return a;
    a.itemsPerRow = 40;
    for (int i = 0; i < 80; ++i)
        a.items.given += char('0' + (i * 7) % 10);
    a.items.answers = a.items.given;
    for (const QString& spoil : spoils.split(u' ', Qt::SkipEmptyParts)) {
        const int at = spoil.mid(1).toInt();
        if (spoil.startsWith(u'w'))
            a.items.answers[at] = char('0' + (a.items.given.at(at) - '0' + 1) % 10);
        else if (spoil.startsWith(u'm'))
            a.items.answers[at] = 0;
        else if (spoil.startsWith(u's'))
            a.items.answers.replace(at, 80 - at, QByteArray(80 - at, 0));
    }
    return a;
}

// One deck of speed cards, all right, memorised in `memoSeconds`.
AttemptRecord speedCards(double memoSeconds, int wrongAt = -1)
{
    AttemptRecord a;
    a.discipline = CardsMemo;
    a.setting = {52, 1, 5, 5, {}};
    a.result = {{}, 0, 0, 0, memoSeconds, 120.0};
    a.itemsPerRow = 52;
    for (int i = 0; i < 52; ++i)
        a.items.given += char((i * 5) % 52 + 1);
    a.items.answers = a.items.given;
    if (wrongAt >= 0)
        a.items.answers[wrongAt] = char(a.items.given.at(wrongAt) % 52 + 1);
    return a;
}

// The attempts as "spoils[:mark]", the mark "m" (set aside) or "d" (deleted).
std::vector<StoredAttempt> stored(const QStringList& attempts)
{
    std::vector<StoredAttempt> out;
    for (const QString& text : attempts) {
        StoredAttempt s;
        const QStringList parts = text.split(u':');
        s.attempt = numbers(parts.at(0));
        s.id = qint64(out.size()) + 1;
        s.started = QDateTime(QDate(2026, 3, 1 + int(out.size())), QTime(9, 0), Qt::UTC);
        if (parts.size() > 1)
            s.mark = parts.at(1) == u"d" ? AttemptMark::Deleted : AttemptMark::Marked;
        out.push_back(s);
    }
    return out;
}

QList<int> pointsOf(const RuleSetBests& bests)
{
    QList<int> points;
    for (const RuleSetBest& best : bests.bests())
        points << best.result.points;
    return points;
}

QList<qint64> attemptsOf(const RuleSetBests& bests)
{
    QList<qint64> ids;
    for (const RuleSetBest& best : bests.bests())
        ids << best.attemptId;
    return ids;
}

} // namespace

class TestRuleSetBests : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Numbers have four rule sets: WMSC, IAM, rows of 20, Memory League.
    void eachRuleSetTakesItsOwnBest_data()
    {
        QTest::addColumn<QStringList>("attempts");
        QTest::addColumn<QList<int>>("points");
        QTest::addColumn<QList<qint64>>("from");
        QTest::addColumn<int>("scored");
        QTest::addColumn<int>("withoutItems");
        QTest::newRow("one full recall") << QStringList{""} << QList<int>{80, 80, 80, 80} << QList<qint64>{1, 1, 1, 1}
                                         << 1 << 0;
        // Two errors in one row of 20 leave the other three; one in each of
        // two rows of 40 halves neither, it costs both under WMSC.
        QTest::newRow("rows of 20 from the other attempt")
            << QStringList{"w5 m30", "w5 w6"} << QList<int>{40, 40, 60, 78} << QList<qint64>{1, 1, 2, 1} << 2 << 0;
        QTest::newRow("a partial recall against one error")
            << QStringList{"w5", "s65"} << QList<int>{65, 65, 65, 79} << QList<qint64>{2, 2, 2, 1} << 2 << 0;
        QTest::newRow("the first of equals stays")
            << QStringList{"w5", "w5"} << QList<int>{60, 60, 60, 79} << QList<qint64>{1, 1, 1, 1} << 2 << 0;
        QTest::newRow("nothing written") << QStringList{"s0"} << QList<int>{0, 0, 0, 0} << QList<qint64>{1, 1, 1, 1}
                                         << 1 << 0;
        QTest::newRow("set aside and deleted are passed over")
            << QStringList{":m", "w5", ":d"} << QList<int>{60, 60, 60, 79} << QList<qint64>{2, 2, 2, 2} << 1 << 0;
        QTest::newRow("an attempt without items is counted apart")
            << QStringList{"-", "w5 w6"} << QList<int>{40, 40, 60, 78} << QList<qint64>{2, 2, 2, 2} << 1 << 1;
        QTest::newRow("only attempts without items")
            << QStringList{"-", "-"} << QList<int>{} << QList<qint64>{} << 0 << 2;
        QTest::newRow("a set-aside attempt without items is not counted")
            << QStringList{"-:m"} << QList<int>{} << QList<qint64>{} << 0 << 0;
    }
    void eachRuleSetTakesItsOwnBest()
    {
        QFETCH(QStringList, attempts);
        QFETCH(QList<int>, points);
        QFETCH(QList<qint64>, from);
        QFETCH(int, scored);
        QFETCH(int, withoutItems);
        RuleSetBests bests(ChampionshipStandards::shipped(), 0);
        for (const StoredAttempt& s : stored(attempts))
            bests.add(s);
        QCOMPARE(pointsOf(bests), points);
        QCOMPARE(attemptsOf(bests), from);
        QCOMPARE(bests.scored(), scored);
        QCOMPARE(bests.withoutItems(), withoutItems);
    }

    void theBestKeepsItsRuleSetNameAndChampionshipPoints()
    {
        RuleSetBests bests(ChampionshipStandards::shipped(), 1);
        for (const StoredAttempt& s : stored({"w5", "s65"}))
            bests.add(s);
        QCOMPARE(int(bests.bests().size()), 4);
        // Named in the language handed in.
        QVERIFY(bests.bests()[0].result.name.startsWith(u"World council WMSC"));
        QVERIFY(bests.bests()[2].result.name.startsWith(u"USA Memory Championship"));
        // 65 of 5-minute numbers against the standard of 547.
        QVERIFY(bests.bests()[0].result.championshipPoints);
        QCOMPARE(qRound(*bests.bests()[0].result.championshipPoints * 100), qRound(65.0 / 547 * 1000 * 100));
        QCOMPARE(bests.bests()[0].started, QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC));
        QVERIFY(!bests.bests()[3].result.championshipPoints);
    }

    // Speed cards: a deck right in less time has more championship points for
    // the same 52 points; one error ends the deck there and scores no time.
    void equalPointsGoToTheFasterDeck_data()
    {
        QTest::addColumn<QList<double>>("memoSeconds");
        QTest::addColumn<int>("wrongAtInFirst");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<int>("points");
        QTest::newRow("faster second") << QList<double>{30, 20} << -1 << qint64(2) << 52;
        QTest::newRow("faster first") << QList<double>{20, 30} << -1 << qint64(1) << 52;
        QTest::newRow("fast but wrong") << QList<double>{20, 30} << 10 << qint64(2) << 52;
    }
    void equalPointsGoToTheFasterDeck()
    {
        QFETCH(QList<double>, memoSeconds);
        QFETCH(int, wrongAtInFirst);
        QFETCH(qint64, from);
        QFETCH(int, points);
        RuleSetBests bests(ChampionshipStandards::shipped(), 0);
        for (int i = 0; i < memoSeconds.size(); ++i) {
            StoredAttempt s;
            s.attempt = speedCards(memoSeconds[i], i == 0 ? wrongAtInFirst : -1);
            s.id = i + 1;
            bests.add(s);
        }
        QVERIFY(!bests.bests().empty());
        const RuleSetBest& wmsc = bests.bests().front();
        QCOMPARE(wmsc.attemptId, from);
        QCOMPARE(wmsc.result.points, points);
        QVERIFY(wmsc.result.championshipPoints);
        const double seconds = memoSeconds[int(from) - 1];
        QCOMPARE(qRound(*wmsc.result.championshipPoints * 100), qRound(8007.5 / std::pow(seconds, 0.75) * 100));
    }

    void aPictureRunHasNoRuleSets()
    {
        StoredAttempt s;
        s.attempt.discipline = NumbersPicture;
        s.attempt.items.given = "1234";
        QVERIFY(!RuleSetBests::ForRules(s.attempt));
        RuleSetBests bests(ChampionshipStandards::shipped(), 0);
        bests.add(s);
        QVERIFY(bests.bests().empty());
    }

    // From a file: what the store wrote is read back attempt by attempt.
    void aFileIsReadOneAttemptAtATime_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QList<int>>("points");
        QTest::addColumn<int>("scored");
        QTest::newRow("read") << false << QList<int>{65, 65, 65, 79} << 2;
        QTest::newRow("cancelled") << true << QList<int>{} << 0;
    }
    void aFileIsReadOneAttemptAtATime()
    {
        QFETCH(bool, cancelled);
        QFETCH(QList<int>, points);
        QFETCH(int, scored);
        TempProgramDir dir;
        HistoryStore store;
        QDateTime clock(QDate(2026, 3, 1), QTime(9, 0));
        store.setClock([&clock] { return clock; });
        store.open(dir.path());
        // The full recall is set aside below; the older one has no items.
        for (const QString& spoils : {"w5", "s65", "", "-"}) {
            clock = clock.addSecs(3600);
            store.record(numbers(spoils));
        }
        const AttemptRecord::Setting setting = numbers("").setting;
        std::vector<StoredAttempt> attempts = store.attempts(NumbersMemo, setting);
        QCOMPARE(int(attempts.size()), 4);
        const StoredAttempt& full = attempts[1];
        QVERIFY(store.setMarks({{full.id, full.started, AttemptMark::Counted, AttemptMark::Marked}}).isEmpty());
        attempts = store.attempts(NumbersMemo, setting);

        RuleSetBests bests(ChampionshipStandards::shipped(), 0);
        const std::atomic<bool> cancel(cancelled);
        QList<int> told;
        QVERIFY(bests.readFrom(store.readerConnection(), attempts, cancel, [&](int read) { told << read; }));
        QCOMPARE(pointsOf(bests), points);
        QCOMPARE(bests.scored(), scored);
        QCOMPARE(bests.withoutItems(), cancelled ? 0 : 1);
        QCOMPARE(told, cancelled ? QList<int>{} : QList<int>{3});
        QVERIFY(bests.error().isEmpty());
    }

    void aFileThatCannotBeOpenedIsTold()
    {
        TempProgramDir dir;
        RuleSetBests bests(ChampionshipStandards::shipped(), 0);
        const std::atomic<bool> cancel(false);
        const HistoryConnection missing{dir.file("gone/KORVANIS.SQLITE"), QStringLiteral("QSQLITE_OPEN_READONLY")};
        QVERIFY(!bests.readFrom(missing, stored({"w5"}), cancel));
        QVERIFY(!bests.error().isEmpty());
        QVERIFY(bests.bests().empty());
    }
};

QTEST_GUILESS_MAIN(TestRuleSetBests)
#include "test_rule_set_bests.moc"
