// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/interface_text.h"

#include <QtTest>

class TestInterfaceTexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyTextExistsInBothLanguages()
    {
        const InterfaceTextTable& table = InterfaceTextTable::builtIn();
        // The texts the windows were first built with; each later one is checked
        // below by its pair.
        QList<int> ids = {100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 120, 130, 131,
                          132, 133, 140, 141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153,
                          154, 155, 156, 157, 158, 159, 160, 161, 162, 163, 164, 165, 166, 167, 168, 169,
                          170, 171, 172, 173, 174, 175, 176, 177};
        for (int id = 180; id <= 223; ++id)
            ids << id;
        for (int id : ids)
            QVERIFY2(!table.raw(id).isEmpty(), qPrintable(QString::number(id)));
        // Every German text has its English one and the other way round.
        const QList<int> all = table.ids();
        QVERIFY(all.size() >= 2 * ids.size());
        for (int id : all) {
            const int german = id >= 10000 ? id - 10000 : id;
            QVERIFY2(!table.raw(german).isEmpty(), qPrintable(QString::number(german)));
            QVERIFY2(!table.raw(german + 10000).isEmpty(), qPrintable(QString::number(german + 10000)));
            QVERIFY2(table.raw(id).size() <= MaxInterfaceTextLength, qPrintable(QString::number(id)));
        }
    }

    void lookupPicksTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German") << 0 << 100 << "&Datei";
        QTest::newRow("English") << 1 << 100 << "&File";
        QTest::newRow("other values are German") << 7 << 160 << "Neuer Rekord! Wollen Sie ihn speichern?";
        QTest::newRow("-1 is German") << -1 << 112 << "Inf&o...";
        QTest::newRow("English umlaut-free") << 1 << 174 << "Choose language";
        QTest::newRow("German umlaut") << 0 << 106 << QString::fromUtf8("&Binärzahlen");
        QTest::newRow("missing id gives the default") << 1 << 99 << "default";
        QTest::newRow("German credit names no person") << 0 << 120 << "Korvanis - von den Korvanis-Entwicklern";
        QTest::newRow("English credit") << 1 << 120 << "Korvanis - from the Korvanis developers";
    }

    void lookupPicksTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(int, id);
        QFETCH(QString, expected);
        QCOMPARE(InterfaceTextTable::builtIn().lookup(language, id, "default"), expected);
    }

    void parserSkipsCommentsAndCutsLongTexts()
    {
        const QByteArray data = "# comment\r\n100\tA\r\n\r\nbad line\n101\t\n102\t" + QByteArray(300, 'x') + "\n";
        const InterfaceTextTable table = InterfaceTextTable::parse(data);
        QCOMPARE(table.lookup(0, 100, "d"), QString("A"));
        QCOMPARE(table.lookup(0, 101, "d"), QString("d")); // an empty text counts as missing
        QCOMPARE(table.raw(102).size(), MaxInterfaceTextLength);
    }
};

QTEST_GUILESS_MAIN(TestInterfaceTexts)
#include "test_interface_texts.moc"
