// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The two flows of a training attempt, judged without a window: a picture run
// and a scored attempt, each moved by hand-given ticks, each keeping its
// material and answers as data.
#include "training/picture_run.h"
#include "training/scored_attempt.h"
#include "training/scoring_rule.h"

#include <QTest>

Q_DECLARE_METATYPE(DisciplineCode)

class TestAttemptFlows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aPictureRunEndsOnThePressAfterItsLastLine_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("perLine");
        QTest::addColumn<quint32>("start");
        QTest::addColumn<QList<int>>("groups");
        QTest::newRow("7 in lines of 3") << 7 << 3 << 1000u << QList<int>{3, 3, 1};
        QTest::newRow("5 in lines of 10") << 5 << 10 << 1000u << QList<int>{5};
        QTest::newRow("across the wrap of the tick counter") << 4 << 1 << 0xFFFFFF00u << QList<int>{1, 1, 1, 1};
    }

    void aPictureRunEndsOnThePressAfterItsLastLine()
    {
        QFETCH(int, count);
        QFETCH(int, perLine);
        QFETCH(quint32, start);
        QFETCH(QList<int>, groups);
        PictureRun run(QByteArray(count, '5'), perLine, start);
        QList<int> seen;
        quint32 tick = start;
        while (run.running()) {
            seen << run.current().size;
            tick += 250;
            run.advance(tick);
        }
        QCOMPARE(seen, groups);
        QVERIFY(run.completed());
        QCOMPARE(run.runMs(), quint32(250 * groups.size()));
        QCOMPARE(run.elapsedMs(tick + 5000), run.runMs());
        // Each item knows when its line came on show.
        QCOMPARE(run.attempt().shownAtMs.first(), 0);
        QCOMPARE(run.attempt().shownAtMs.last(), 250 * (int(groups.size()) - 1));
        const AttemptRecord record = run.record(NumbersPicture);
        QCOMPARE(record.setting.count, std::optional<int>(count));
        QCOMPARE(record.setting.perLine, std::optional<int>(perLine));
        QCOMPARE(record.result.runSeconds, std::optional<double>(run.seconds()));
        QVERIFY(record.completed);
        QCOMPARE(record.items, run.attempt());
        QCOMPARE(record.itemsPerRow, 0);
        // Presses after the end change nothing.
        QVERIFY(!run.advance(tick + 99));
        QCOMPARE(run.runMs(), quint32(250 * groups.size()));
    }

    void onlyACompleteFasterRunIsOffered_data()
    {
        QTest::addColumn<bool>("brokenOff");
        QTest::addColumn<double>("bestTime");
        QTest::addColumn<bool>("offered");
        QTest::newRow("faster") << false << 2.5 << true;
        QTest::newRow("as fast as the record") << false << 2.0 << false;
        QTest::newRow("no record yet") << false << NoBestTime << true;
        QTest::newRow("broken off") << true << NoBestTime << false;
    }

    void onlyACompleteFasterRunIsOffered()
    {
        QFETCH(bool, brokenOff);
        QFETCH(double, bestTime);
        QFETCH(bool, offered);
        PictureRun run("0123", 2, 0);
        run.advance(1000);
        if (brokenOff)
            run.breakOff(2000);
        else
            run.advance(2000);
        QVERIFY(!run.running());
        QCOMPARE(run.completed(), !brokenOff);
        QCOMPARE(run.offersRecord(bestTime), offered);
        QCOMPARE(run.record(CardsPicture).completed, !brokenOff);
    }

    void aScoredAttemptTimesEachPhaseWithinItsLimit_data()
    {
        QTest::addColumn<DisciplineCode>("discipline");
        QTest::addColumn<quint32>("recallAt");  // ms after START
        QTest::addColumn<double>("memoTimeUsed");
        QTest::addColumn<double>("timeBeforeRecall");
        QTest::newRow("memorised in time") << NumbersMemo << 45000u << 45.0 << 45.0;
        // A window closed during memorisation and opened much later ends it at
        // the limit: the user had no more than that.
        QTest::newRow("memorised past the limit") << BinaryMemo << 3600000u << 60.0 << 60.0;
        // Spoken digits are listened to: none of that time is the user's own.
        QTest::newRow("spoken") << SpokenNumbers << 45000u << 0.0 << 45.0;
    }

    void aScoredAttemptTimesEachPhaseWithinItsLimit()
    {
        QFETCH(DisciplineCode, discipline);
        QFETCH(quint32, recallAt);
        QFETCH(double, memoTimeUsed);
        QFETCH(double, timeBeforeRecall);
        const Discipline& d = DisciplineOf(discipline);
        const bool spoken = d.presentation == Presentation::Spoken;
        AttemptRecord::Setting setting;
        setting.count = 40;
        setting.recallMinutes = 1;
        (spoken ? setting.pulseMs : setting.memoMinutes) = spoken ? 1000 : 1;
        ScoredAttempt attempt(d);
        const quint32 start = 0xFFFFF000u;
        attempt.begin(setting);
        attempt.setGiven(QByteArray(40, '1'));
        attempt.startMemorising(start);
        QCOMPARE(attempt.phase(), ScoredAttempt::Memorising);
        // Heard material sets its own pace: no clock while it plays.
        QCOMPARE(attempt.clock(start + 50000).has_value(), !spoken);
        if (!spoken) {
            QVERIFY(attempt.clock(start + 50000)->signal);
            QVERIFY(!attempt.clock(start + 59999)->limitReached);
            QVERIFY(attempt.clock(start + 60000)->limitReached);
        }
        attempt.startRecalling(start + recallAt);
        QCOMPARE(attempt.memoTimeUsed(), memoTimeUsed);
        QCOMPARE(attempt.timeBeforeRecall(), timeBeforeRecall);
        const quint32 recall = attempt.startTick();
        QCOMPARE(recall, start + recallAt);
        QCOMPARE(attempt.clock(recall + 59000)->signal, true);
        attempt.answer(0, '1', recall + 300);
        attempt.answer(1, '7', recall + 600);
        attempt.answer(2, '1', recall + 900);
        attempt.answer(2, 0, recall + 1200);
        attempt.answer(40, '1', recall + 1300);  // beyond the material: nothing
        QCOMPARE(attempt.attempt().answers.left(3), QByteArray("17\0", 3));
        QCOMPARE(attempt.attempt().answeredAtMs.mid(0, 4), (QVector<qint32>{300, 600, 1200, -1}));

        const ScoreResult& score = attempt.end(recall + 90000, ScoringRuleOf(d.scoring), spoken ? 30 : 40);
        QCOMPARE(attempt.phase(), ScoredAttempt::Idle);
        QCOMPARE(attempt.recallTimeUsed(), 60.0);
        QCOMPARE(score.correctDigits, 1);
        QCOMPARE(score.errors, 1);
        // Typing after the end changes nothing.
        attempt.answer(3, '1', recall + 91000);
        QCOMPARE(attempt.attempt().answers.at(3), '\0');

        const AttemptRecord record = attempt.record();
        QCOMPARE(record.discipline, int(discipline));
        QVERIFY(record.setting == setting);
        QCOMPARE(record.result.points, std::optional<int>(score.totalPoints));
        QCOMPARE(record.result.markedErrors, std::optional<int>(1));
        QCOMPARE(record.result.memoSecondsUsed, std::optional<double>(timeBeforeRecall));
        QCOMPARE(record.result.recallSecondsUsed, std::optional<double>(60.0));
        // The history gets the material, the answers and their times, and the
        // sheet's rows they were typed in.
        QCOMPARE(record.items, attempt.attempt());
        QCOMPARE(record.itemsPerRow, spoken ? 30 : 40);
    }
};

QTEST_APPLESS_MAIN(TestAttemptFlows)
#include "test_attempt_flows.moc"
