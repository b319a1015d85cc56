// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The rules every training window shares, judged without a window: each takes
// its ticks as arguments, so the cases below move time by hand, across the wrap of
// the 32-bit tick counter where it matters.
#include "training/attempt_clock.h"
#include "training/clock_text.h"
#include "training/digit_pace.h"
#include "training/picture_drill.h"
#include "training/points_offer.h"
#include "training/pulse_schedule.h"
#include "training/settings_key.h"

#include <QLocale>
#include <QTest>

namespace {

// 52 seconds before the 32-bit tick counter wraps: a one-minute phase started
// here sees the wrap between its first two signals.
constexpr quint32 NearWrap = 0xFFFFFFFFu - 52000u + 1u;

using Answer = PointsOffer::Answer;

// The offer as the window builds it from its key check and its one lookup.
PointsOffer offerOf(int answer, double stored)
{
    switch (Answer(answer)) {
    case Answer::NoKey:
        return PointsOffer::noKey();
    case Answer::NoneStored:
        return PointsOffer::lookedUp(std::nullopt);
    case Answer::Stored:
        break;
    }
    return PointsOffer::lookedUp(stored);
}

} // namespace

class TestTrainingRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void digitsPerMinuteCountTheRightDigits_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("memoMs");
        QTest::addColumn<double>("perMinute");  // -1: none
        QTest::newRow("a minute") << 40 << 60000 << 40.0;
        QTest::newRow("eighty seconds") << 38 << 80000 << 28.5;
        QTest::newRow("nothing right") << 0 << 30000 << 0.0;
        QTest::newRow("heard digits use no time") << 20 << 0 << -1.0;
        QTest::newRow("START pressed twice") << 3 << 99 << -1.0;
    }
    void digitsPerMinuteCountTheRightDigits()
    {
        QFETCH(int, correct);
        QFETCH(int, memoMs);
        QFETCH(double, perMinute);
        const std::optional<double> pace = DigitsPerMinute(correct, quint32(memoMs));
        QCOMPARE(pace.has_value(), perMinute >= 0);
        if (pace)
            QCOMPARE(*pace, perMinute);
    }

    void clockTexts_data();
    void clockTexts();
    void elapsedAcrossTheWrap_data();
    void elapsedAcrossTheWrap();
    void limitReached_data();
    void limitReached();
    void signalSeconds_data();
    void signalSeconds();

    void drillGroups_data();
    void drillGroups();
    void timePerLine_data();
    void timePerLine();
    void newBestTime_data();
    void newBestTime();

    void pointsOffered_data();
    void pointsOffered();
    void pointsRecordText_data();
    void pointsRecordText();

    void settingsKeys_data();
    void settingsKeys();

    void pulseWait_data();
    void pulseWait();
    void pulseDue_data();
    void pulseDue();
    void latePulsesDoNotDrift_data();
    void latePulsesDoNotDrift();
};

// ---------------------------------------------------------------------------
// Attempt clock

void TestTrainingRules::elapsedAcrossTheWrap_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<quint32>("now");
    QTest::addColumn<quint32>("elapsed");

    QTest::newRow("same tick") << 1000u << 1000u << 0u;
    QTest::newRow("plain") << 1000u << 84456u << 83456u;
    QTest::newRow("across the wrap") << 0xFFFFFF00u << 0x100u << 0x200u;
    QTest::newRow("started on the last tick") << 0xFFFFFFFFu << 0u << 1u;
    QTest::newRow("longest measurable") << 5u << 4u << 0xFFFFFFFFu;
}

void TestTrainingRules::elapsedAcrossTheWrap()
{
    QFETCH(quint32, start);
    QFETCH(quint32, now);
    QFETCH(quint32, elapsed);
    QCOMPARE(AttemptClock(start).elapsedMs(now), elapsed);
    QCOMPARE(ElapsedMs(start, now), elapsed);
}

void TestTrainingRules::limitReached_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<quint32>("elapsed");
    QTest::addColumn<bool>("reached");

    QTest::newRow("a millisecond short") << 0u << 1 << 59999u << false;
    QTest::newRow("exactly the limit") << 0u << 1 << 60000u << true;
    QTest::newRow("past the limit") << 0u << 5 << 300001u << true;
    QTest::newRow("short, across the wrap") << NearWrap << 1 << 59999u << false;
    QTest::newRow("reached, across the wrap") << NearWrap << 1 << 60000u << true;
    QTest::newRow("no time at all") << 7u << 0 << 0u << true;
    QTest::newRow("spin buttons' largest limit") << 0u << 10000 << 600000000u << true;
    // Its milliseconds overflow 32 bits: cut short, the limit would come at 12.7 s.
    QTest::newRow("limit beyond the counter's range") << 0u << 71583 << 0xFFFFFFFFu << false;
}

void TestTrainingRules::limitReached()
{
    QFETCH(quint32, start);
    QFETCH(int, minutes);
    QFETCH(quint32, elapsed);
    QFETCH(bool, reached);
    QCOMPARE(AttemptClock(start).limitReached(start + elapsed, minutes), reached);
    // The time used stops at the limit.
    QCOMPARE(AttemptClock(start).usedMs(start + elapsed, minutes),
             reached ? quint32(qMin<qint64>(qint64(minutes) * 60000, 0xFFFFFFFFll)) : elapsed);
}

void TestTrainingRules::signalSeconds_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QVector<int>>("tenths");  // elapsed tenths that sound

    QTest::newRow("one minute") << 0u << 1 << QVector<int>{500, 550, 560, 570, 580, 590};
    QTest::newRow("one minute across the wrap") << NearWrap << 1 << QVector<int>{500, 550, 560, 570, 580, 590};
    QTest::newRow("five minutes") << 123456u << 5 << QVector<int>{2900, 2950, 2960, 2970, 2980, 2990};
    QTest::newRow("no time at all") << 0u << 0 << QVector<int>{};
}

void TestTrainingRules::signalSeconds()
{
    QFETCH(quint32, start);
    QFETCH(int, minutes);
    QFETCH(QVector<int>, tenths);

    // Every 50 ms, so both halves of each tenth are asked, up to past the limit.
    const AttemptClock clock(start);
    QVector<int> sounded;
    for (quint32 ms = 0; ms <= quint32(minutes) * 60000 + 2000; ms += 50) {
        if (clock.isSignalSecond(start + ms, minutes) && (sounded.isEmpty() || sounded.last() != int(ms / 100)))
            sounded.append(int(ms / 100));
    }
    QCOMPARE(sounded, tenths);
}

// ---------------------------------------------------------------------------
// Picture drill

void TestTrainingRules::drillGroups_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("perLine");
    QTest::addColumn<QVector<int>>("sizes");

    QTest::newRow("7 digits in lines of 3") << 7 << 3 << QVector<int>{3, 3, 1};
    QTest::newRow("200 digits in lines of 2") << 200 << 2 << QVector<int>(100, 2);
    QTest::newRow("lines of 10 with 5 digits") << 5 << 10 << QVector<int>{5};
    QTest::newRow("an even split leaves no empty line") << 6 << 3 << QVector<int>{3, 3};
    QTest::newRow("one deck, one card a line") << 52 << 1 << QVector<int>(52, 1);
    QTest::newRow("5 cards in lines of 3") << 5 << 3 << QVector<int>{3, 2};
}

void TestTrainingRules::drillGroups()
{
    QFETCH(int, count);
    QFETCH(int, perLine);
    QFETCH(QVector<int>, sizes);

    PictureDrill drill(count, perLine);
    QCOMPARE(drill.groupCount(), sizes.size());
    QVector<int> shown;
    int next = 0;
    // One click per line shown; the click after the last line ends the run.
    while (!drill.finished()) {
        QVERIFY2(shown.size() <= sizes.size(), "the drill never finishes");
        const DrillGroup group = drill.current();
        QCOMPARE(group.first, next);
        next += group.size;
        shown.append(group.size);
        drill.advance();
    }
    QCOMPARE(shown, sizes);
    QCOMPARE(drill.current().size, 0);
    drill.advance();
    QVERIFY(drill.finished());
}

void TestTrainingRules::timePerLine_data()
{
    QTest::addColumn<double>("best");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("perLine");
    QTest::addColumn<double>("perLineTime");

    QTest::newRow("200 in lines of 2") << 45.678 << 200 << 2 << 0.45678;
    QTest::newRow("200 in lines of 3 divide by 66.67, not 66") << 100.0 << 200 << 3 << 1.5;
    QTest::newRow("none stored, 210 in lines of 2") << NoBestTime << 210 << 2 << 99999.0 / 105;
    QTest::newRow("lines longer than the count") << 10.0 << 5 << 10 << 20.0;
}

void TestTrainingRules::timePerLine()
{
    QFETCH(double, best);
    QFETCH(int, count);
    QFETCH(int, perLine);
    QFETCH(double, perLineTime);
    QCOMPARE(TimePerLine(best, count, perLine), perLineTime);
}

void TestTrainingRules::newBestTime_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("best");
    QTest::addColumn<bool>("isNew");

    QTest::newRow("faster") << 59.5 << 60.0 << true;
    QTest::newRow("slower") << 70.0 << 60.0 << false;
    QTest::newRow("equal is no record") << 60.0 << 60.0 << false;
    QTest::newRow("none stored") << 3000.0 << NoBestTime << true;
    QTest::newRow("none stored, not below it") << 99999.0 << NoBestTime << false;
}

void TestTrainingRules::newBestTime()
{
    QFETCH(double, seconds);
    QFETCH(double, best);
    QFETCH(bool, isNew);
    QCOMPARE(IsNewBestTime(seconds, best), isNew);
}

// ---------------------------------------------------------------------------
// Points offer

void TestTrainingRules::pointsOffered_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<double>("stored");
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("offered");

    QTest::newRow("none stored, any total") << int(Answer::NoneStored) << 0.0 << 1 << true;
    QTest::newRow("none stored, nothing scored") << int(Answer::NoneStored) << 0.0 << 0 << false;
    QTest::newRow("equal to the record") << int(Answer::Stored) << 380.0 << 380 << false;
    QTest::newRow("one above the record") << int(Answer::Stored) << 380.0 << 381 << true;
    QTest::newRow("below the record") << int(Answer::Stored) << 380.0 << 379 << false;
    QTest::newRow("a stored 0 is beaten by 1") << int(Answer::Stored) << 0.0 << 1 << true;
    QTest::newRow("times without a key") << int(Answer::NoKey) << 0.0 << 500 << false;
}

void TestTrainingRules::pointsOffered()
{
    QFETCH(int, answer);
    QFETCH(double, stored);
    QFETCH(int, total);
    QFETCH(bool, offered);

    const PointsOffer offer = offerOf(answer, stored);
    QCOMPARE(int(offer.answer()), answer);
    QCOMPARE(offer.points(), answer == int(Answer::Stored) ? stored : 0.0);
    QCOMPARE(offer.offersRecord(total), offered);
}

void TestTrainingRules::pointsRecordText_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("text");

    QTest::newRow("none stored") << int(Answer::NoneStored) << 0.0 << "0";
    QTest::newRow("times without a key") << int(Answer::NoKey) << 0.0 << "0";
    QTest::newRow("stored") << int(Answer::Stored) << 380.0 << "380";
    QTest::newRow("no thousands separator") << int(Answer::Stored) << 1234.0 << "1234";
}

void TestTrainingRules::pointsRecordText()
{
    QFETCH(int, answer);
    QFETCH(double, stored);
    QFETCH(QString, text);

    // Under a German locale a thousands separator would show as 1.234.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString shown = offerOf(answer, stored).recordText();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(shown, text);
}

// ---------------------------------------------------------------------------
// Settings keys

void TestTrainingRules::settingsKeys_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("key");

    QTest::newRow("numbers, count") << "Zahlen" << "Anzahl" << "Training Zahlen Anzahl";
    QTest::newRow("binary, per line") << "Binaer" << "Zeile" << "Training Binaer Zeile";
    QTest::newRow("cards, count") << "Karten" << "Anzahl" << "Training Karten Anzahl";
}

void TestTrainingRules::settingsKeys()
{
    QFETCH(QString, word);
    QFETCH(QString, what);
    QFETCH(QString, key);
    QCOMPARE(SettingsKey(word, what), key);
    // The windows pass their settings word as a plain C string.
    QCOMPARE(SettingsKey(word.toLatin1().constData(), what.toLatin1().constData()), key);
}

// ---------------------------------------------------------------------------
// Pulse schedule

void TestTrainingRules::pulseWait_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("pulse");
    QTest::addColumn<qint64>("nowAfterStart");
    QTest::addColumn<int>("wait");

    QTest::newRow("first digit at START") << 1000u << 3000 << 1 << qint64(0) << 0;
    QTest::newRow("second digit, just after START") << 1000u << 3000 << 2 << qint64(1) << 2999;
    QTest::newRow("exactly due") << 1000u << 3000 << 2 << qint64(3000) << 0;
    QTest::newRow("overdue") << 1000u << 3000 << 2 << qint64(3400) << 0;
    QTest::newRow("last of 100 digits") << 1000u << 3000 << 100 << qint64(296000) << 1000;
    QTest::newRow("recall of 100 digits, from START") << 1000u << 3000 << 101 << qint64(0) << 300000;
    QTest::newRow("due after the wrap, asked before it") << 0xFFFFFF00u << 500 << 3 << qint64(10) << 990;
    QTest::newRow("due after the wrap, overdue") << 0xFFFFFF00u << 500 << 2 << qint64(600) << 0;
}

void TestTrainingRules::pulseWait()
{
    QFETCH(quint32, start);
    QFETCH(int, interval);
    QFETCH(int, pulse);
    QFETCH(qint64, nowAfterStart);
    QFETCH(int, wait);

    const PulseSchedule schedule(start, interval, 100);
    QCOMPARE(schedule.msUntil(pulse, start + quint32(nowAfterStart)), wait);
}

void TestTrainingRules::pulseDue_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<int>("digits");
    QTest::addColumn<qint64>("nowAfterStart");
    QTest::addColumn<int>("pulse");

    QTest::newRow("before START") << 1000u << 100 << qint64(-1) << 0;
    QTest::newRow("at START the first digit") << 1000u << 100 << qint64(0) << 1;
    QTest::newRow("a millisecond before the second") << 1000u << 100 << qint64(2999) << 1;
    QTest::newRow("the second") << 1000u << 100 << qint64(3000) << 2;
    QTest::newRow("the last, 297 s after START") << 1000u << 100 << qint64(297000) << 100;
    QTest::newRow("recall, 300 s after START") << 1000u << 100 << qint64(300000) << 101;
    QTest::newRow("long after recall") << 1000u << 100 << qint64(10000000) << 101;
    QTest::newRow("across the wrap") << NearWrap << 1000 << qint64(60000) << 21;
    QTest::newRow("before START, across the wrap") << 5u << 1000 << qint64(-10) << 0;
}

void TestTrainingRules::pulseDue()
{
    QFETCH(quint32, start);
    QFETCH(int, digits);
    QFETCH(qint64, nowAfterStart);
    QFETCH(int, pulse);

    const PulseSchedule schedule(start, 3000, digits);
    QCOMPARE(schedule.pulseDueAt(start + quint32(nowAfterStart)), pulse);
}

void TestTrainingRules::latePulsesDoNotDrift_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("maxLate");

    QTest::newRow("1000 digits at 500 ms across the wrap") << 0xFFFFFFFFu - 200100u << 500 << 1000 << 40;
    QTest::newRow("100 digits at 3000 ms") << 0u << 3000 << 100 << 150;
    QTest::newRow("1000 digits at 10 s, very late timer") << 0x7FFFFFFFu << 10000 << 1000 << 9000;
}

void TestTrainingRules::latePulsesDoNotDrift()
{
    QFETCH(quint32, start);
    QFETCH(int, interval);
    QFETCH(int, digits);
    QFETCH(int, maxLate);

    // The window speaks a digit (taking a few ms), arms its timer for the next
    // pulse, and the timer fires late by a varying amount.
    constexpr int speakingMs = 3;
    const PulseSchedule schedule(start, interval, digits);
    quint32 now = start;
    for (int pulse = 2; pulse <= digits + 1; ++pulse) {
        const int late = (pulse * 37) % (maxLate + 1);
        now += speakingMs;
        now += quint32(schedule.msUntil(pulse, now) + late);
        QCOMPARE(qint32(now - schedule.dueTick(pulse)), late);
        QCOMPARE(schedule.pulseDueAt(now), pulse);
    }
    QCOMPARE(schedule.recallTick(), start + quint32(qint64(digits) * interval));
}

void TestTrainingRules::clockTexts_data()
{
    QTest::addColumn<quint32>("ms");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("final");
    QTest::newRow("zero") << 0u << "00:00:00,0" << "0,0" << "0,00";
    QTest::newRow("83.456 s") << 83456u << "00:01:23,4" << "83,5" << "83,46";
    QTest::newRow("a day and more") << quint32(25 * 3600000 + 61000) << "01:01:01,0" << "90061,0" << "90061,00";
}

void TestTrainingRules::clockTexts()
{
    QFETCH(quint32, ms);
    QFETCH(QString, clock);
    QFETCH(QString, running);
    QFETCH(QString, final);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(ClockText(ms), clock);
    QCOMPARE(RunningSecondsText(ms), running);
    QCOMPARE(FinalSecondsText(ms), final);
    QCOMPARE(LimitText(1500), QString("01:00:00")); // 25 hours, modulo 24
    QCOMPARE(LimitText(5), QString("00:05:00"));
    QLocale::setDefault(QLocale::c());
}

QTEST_APPLESS_MAIN(TestTrainingRules)
#include "test_training_rules.moc"
