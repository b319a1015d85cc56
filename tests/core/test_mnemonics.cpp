// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/mnemonics.h"

#include <QtTest>

class TestMnemonics : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyCaptionGetsALetterOfItsOwn_data()
    {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("takenBefore");
        QTest::addColumn<QStringList>("marked");

        QTest::newRow("word starts first")
            << QStringList{"ohne Limit", "limitiert", "Anzahl Zahlen", "Memorierzeit", "Wiedergabezeit"} << ""
            << QStringList{"&ohne Limit", "&limitiert", "&Anzahl Zahlen", "&Memorierzeit", "&Wiedergabezeit"};
        QTest::newRow("then any free letter")
            << QStringList{"Memorieren", "Memorierzeit", "Zeit pro Zeile", "Zeittakt"} << ""
            << QStringList{"&Memorieren", "M&emorierzeit", "&Zeit pro Zeile", "Ze&ittakt"};
        QTest::newRow("own mnemonics are kept and reserved")
            << QStringList{"Schliessen", "&Start", "Sprache"} << ""
            << QStringList{"S&chliessen", "&Start", "S&prache"};
        QTest::newRow("letters of the page tabs are taken")
            << QStringList{"Bestzeit", "Memorierzeit"} << "bm" << QStringList{"B&estzeit", "Mem&orierzeit"};
        QTest::newRow("umlauts and case")
            << QStringList{"Übung", "über", "Ende"} << "" << QStringList{"&Übung", "ü&ber", "&Ende"};
        QTest::newRow("nothing free") << QStringList{"ab", "ba", "a"} << "" << QStringList{"&ab", "&ba", "a"};
        QTest::newRow("a literal ampersand is left alone")
            << QStringList{"Rock && Roll", "Rest"} << "" << QStringList{"Rock && Roll", "&Rest"};
    }

    void everyCaptionGetsALetterOfItsOwn()
    {
        QFETCH(QStringList, captions);
        QFETCH(QString, takenBefore);
        QFETCH(QStringList, marked);
        QString taken = takenBefore;
        QCOMPARE(WithMnemonics(captions, taken), marked);
        QStringList letters;
        for (qsizetype i = 0; i < marked.size(); ++i) {
            const QChar letter = MnemonicOf(marked[i]);
            if (!letter.isNull()) {
                QVERIFY2(!letters.contains(letter) && !takenBefore.contains(letter), qPrintable(marked[i]));
                letters << letter;
            }
            QCOMPARE(WithoutMnemonic(marked[i]), WithoutMnemonic(captions[i]));
        }
    }
};

QTEST_APPLESS_MAIN(TestMnemonics)
#include "test_mnemonics.moc"
