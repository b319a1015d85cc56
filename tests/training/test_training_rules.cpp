// The rules every training window shares, judged without a window: each takes
// its ticks as arguments, so the cases below move time by hand, across the wrap of
// the 32-bit tick counter where it matters.
#include "training/attempt_clock.h"

#include <QTest>

namespace {

// 52 seconds before the 32-bit tick counter wraps: a one-minute phase started
// here sees the wrap between its first two signals.
constexpr quint32 NearWrap = 0xFFFFFFFFu - 52000u + 1u;

} // namespace

class TestTrainingRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void elapsedAcrossTheWrap_data();
    void elapsedAcrossTheWrap();
    void limitReached_data();
    void limitReached();
    void signalSeconds_data();
    void signalSeconds();
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

QTEST_APPLESS_MAIN(TestTrainingRules)
#include "test_training_rules.moc"
