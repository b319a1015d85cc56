// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The table of championship standards beside the settings, as the program
// reads it at start and the user edits it in its dialog: a fresh folder gets
// the shipped table, a damaged one is named and left alone, an edit is saved
// and counts at once, and a row or a write that fails is told.
#include "app/main_win.h"
#include "app/win_standards.h"
#include "tests/support/window_session.h"

#include <QDir>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

struct Session : WindowSession<TWinStandards> {
    explicit Session(const std::function<void(const TempProgramDir&)>& prepare = {})
        : WindowSession<TWinStandards>(QStringLiteral("WinStandards"), prepare)
    {
    }
    QString file() const { return dir.file(QLatin1String(ChampionshipStandards::FileName)); }
    void setCell(int row, int column, const QString& text) { win->sgStandards->item(row, column)->setText(text); }
};

constexpr int ValueColumn = 5;

} // namespace

class TestWinStandards : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aFreshFolderGetsTheShippedTable()
    {
        Session s;
        QVERIFY(s.win);
        QVERIFY(s.services.dialogs.errors.isEmpty());
        QCOMPARE(ChampionshipStandards::parse(ReadBytes(s.file())), std::optional(ChampionshipStandards::shipped()));
        QCOMPARE(s.context().standards, ChampionshipStandards::shipped());
    }

    void aDamagedTableIsNamedAndLeftAsItIs_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("words");
        QTest::newRow("German") << QByteArray("# mine\nWMSC\tnumbers\t5\t2021\tstandard\t-3\tx\n") << 2 << 0
                                << "beschädigt";
        QTest::newRow("English") << QByteArray("WMSC\tnumbers\t5\n") << 1 << 1 << "damaged";
    }

    void aDamagedTableIsNamedAndLeftAsItIs()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(int, language);
        QFETCH(QString, words);
        Session s([&](const TempProgramDir& dir) {
            WriteBytes(dir.file(QStringLiteral("STANDARDS.TSV")), bytes);
            WriteBytes(dir.file(QStringLiteral("BRAIN.INI")),
                       QByteArray("[Korvanis]\r\nSprache=") + QByteArray::number(language) + "\r\n");
        });
        QCOMPARE(s.services.dialogs.errors.size(), 1);
        const QString message = s.services.dialogs.errors.first();
        QVERIFY2(message.contains(s.file()) && message.contains(QString::number(line)) && message.contains(words),
                 qPrintable(message));
        QCOMPARE(s.context().standards, ChampionshipStandards::shipped());
        QCOMPARE(ReadBytes(s.file()), bytes);
    }

    void anEditedValueIsSavedAndCountsAtOnce_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::newRow("full stop") << "600.5" << 600.5;
        QTest::newRow("decimal comma") << "600,5" << 600.5;
        QTest::newRow("whole number") << " 612 " << 612.0;
    }

    void anEditedValueIsSavedAndCountsAtOnce()
    {
        QFETCH(QString, typed);
        QFETCH(double, value);
        Session s;
        s.win->show();
        QCOMPARE(s.win->sgStandards->rowCount(), int(ChampionshipStandards::shipped().rows.size()));
        s.setCell(0, ValueColumn, typed);
        s.win->bSpeichern->click();
        QVERIFY(s.services.dialogs.errors.isEmpty());
        QVERIFY(!s.win->isVisible());
        QCOMPARE(s.context().standards.rows.front().value, value);
        QCOMPARE(ChampionshipStandards::parse(ReadBytes(s.file()))->rows.front().value, value);
        // The next start reads the edit back.
        s.restart();
        QCOMPARE(s.context().standards.rows.front().value, value);
    }

    void aRowThatIsNoStandardIsToldAndNothingSaved_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::newRow("value zero") << ValueColumn << "0";
        QTest::newRow("value text") << ValueColumn << "viel";
        QTest::newRow("year text") << 3 << "zwanzig";
        QTest::newRow("unknown formula") << 4 << "quadrat";
    }

    void aRowThatIsNoStandardIsToldAndNothingSaved()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        Session s;
        const QByteArray before = ReadBytes(s.file());
        s.win->show();
        s.setCell(3, column, typed);
        s.win->bSpeichern->click();
        QCOMPARE(s.services.dialogs.errors.size(), 1);
        QVERIFY(s.services.dialogs.errors.first().contains(u'4'));
        QVERIFY(s.win->isVisible());
        QCOMPARE(ReadBytes(s.file()), before);
        QCOMPARE(s.context().standards, ChampionshipStandards::shipped());
    }

    void aFailedWriteIsToldAndTheTableStays()
    {
        Session s;
        s.win->show();
        // Where the file was now stands a folder, which no file can replace.
        QVERIFY(QFile::remove(s.file()));
        QVERIFY(QDir().mkdir(s.file()));
        s.setCell(0, ValueColumn, QStringLiteral("700"));
        s.win->bSpeichern->click();
        QCOMPARE(s.services.dialogs.errors.size(), 1);
        QVERIFY(s.services.dialogs.errors.first().contains(s.file()));
        QVERIFY(s.win->isVisible());
        QCOMPARE(s.context().standards, ChampionshipStandards::shipped());
    }

    void theShippedValuesCanBePutBack()
    {
        Session s;
        s.win->show();
        s.setCell(0, ValueColumn, QStringLiteral("1"));
        s.win->bMitgeliefert->click();
        QCOMPARE(s.win->editedStandards(nullptr), std::optional(ChampionshipStandards::shipped()));
    }
};

QTEST_MAIN(TestWinStandards)
#include "test_win_standards.moc"
