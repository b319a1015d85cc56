// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/key_repeat_rule.h"

#include <QtTest>

// A key's events as the window system may deliver them: 'P' a press, 'R' a
// release, lower case when flagged as a repeat, each with its time stamp.
struct KeyStep {
    char what;
    quint64 at;
};
Q_DECLARE_METATYPE(QList<KeyStep>)

class TestKeyRepeatRule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aPressIsNewOnlyAfterARealRelease_data()
    {
        QTest::addColumn<QList<KeyStep>>("steps");
        QTest::addColumn<QString>("verdicts");  // one letter per press: N new, r repeat

        QTest::newRow("two taps") << QList<KeyStep>{{'P', 100}, {'R', 180}, {'P', 400}, {'R', 470}} << "NN";
        QTest::newRow("flagged repeats")
            << QList<KeyStep>{{'P', 100}, {'r', 600}, {'p', 600}, {'r', 633}, {'p', 633}, {'R', 650}, {'P', 900}}
            << "NrrN";
        // X hands the repeat on as release and press with one time stamp, flagged
        // only now and then.
        QTest::newRow("unflagged pairs")
            << QList<KeyStep>{{'P', 100}, {'R', 600}, {'P', 600}, {'r', 633}, {'p', 633}, {'R', 666}, {'P', 667},
                              {'R', 700}, {'P', 1200}}
            << "NrrrN";
        QTest::newRow("presses without releases")
            << QList<KeyStep>{{'P', 100}, {'P', 600}, {'P', 633}, {'R', 640}, {'P', 900}} << "NrrN";
        // Events the program made itself carry no time: only the order counts.
        QTest::newRow("synthesised, no time")
            << QList<KeyStep>{{'P', 0}, {'R', 0}, {'P', 0}, {'P', 0}, {'R', 0}, {'P', 0}} << "NNrN";
        QTest::newRow("a quick finger is no repeat")
            << QList<KeyStep>{{'P', 100}, {'R', 140}, {'P', 143}} << "NN";
    }

    void aPressIsNewOnlyAfterARealRelease()
    {
        QFETCH(QList<KeyStep>, steps);
        QFETCH(QString, verdicts);
        KeyRepeatRule rule;
        QString seen;
        for (const KeyStep& step : steps) {
            const bool flagged = step.what == 'p' || step.what == 'r';
            if (step.what == 'P' || step.what == 'p') {
                const bool foreseen = rule.wouldBeNew(Qt::Key_Space, step.at, flagged);
                const bool isNew = rule.press(Qt::Key_Space, step.at, flagged);
                QCOMPARE(foreseen, isNew);
                seen += isNew ? QLatin1Char('N') : QLatin1Char('r');
            } else {
                rule.release(Qt::Key_Space, step.at, flagged);
                QCOMPARE(rule.isDown(Qt::Key_Space), flagged);
            }
        }
        QCOMPARE(seen, verdicts);
    }

    void keysAreJudgedEachOnItsOwn()
    {
        KeyRepeatRule rule;
        // A repeat of a press the program never heard holds nothing down.
        QVERIFY(!rule.press(Qt::Key_C, 0, true));
        QVERIFY(!rule.isDown(Qt::Key_C));
        QVERIFY(rule.press(Qt::Key_C, 0, false));
        QVERIFY(rule.press(Qt::Key_Control, 0, false));
        QVERIFY(rule.press(Qt::Key_Return, 0, false));
        rule.release(Qt::Key_Return, 0, false);
        QVERIFY(rule.press(Qt::Key_Return, 0, false));
        QVERIFY(!rule.press(Qt::Key_Control, 0, false));
        QCOMPARE(rule.keysDown().size(), 3);
        // Keys held when another program took the keyboard are let go there.
        rule.forgetAll();
        QVERIFY(rule.keysDown().isEmpty());
        QVERIFY(rule.press(Qt::Key_Return, 0, false));
    }
};

QTEST_APPLESS_MAIN(TestKeyRepeatRule)
#include "test_key_repeat_rule.moc"
