// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The cards window driven as a user drives it: settings, the lines of a run
// clicked, double-clicked or keyed through, the clock, the record question,
// closing and reopening during a run, and a restart of the program.
#include "app/main_win.h"
#include "app/startup.h"
#include "cards/playing_card.h"
#include "cards/win_karten.h"
#include "widgets/picture_page.h"
#include "core/disciplines.h"
#include "core/formats.h"
#include "core/ini_file.h"
#include "records/records_table.h"
#include "tests/support/fakes.h"
#include "widgets/panel.h"
#include "widgets/up_down_edit.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <algorithm>

namespace {

struct Program {
    Program(FakeServices& services, const TempProgramDir& dir)
        : main(CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                     dir.file("korvanis"))),
          win(qobject_cast<TWinKarten*>(main->windows().WinKarten))
    {
    }
    std::unique_ptr<TMainWin> main;
    TWinKarten* win;
};

// The three card places as text: F and the face index, B a back, T the blank card.
QString placesOf(const TWinKarten* w)
{
    QStringList places;
    for (const TPlayingCard* card : {w->pcKarte1, w->pcKarte2, w->pcKarte3}) {
        switch (card->Show()) {
        case soFace:
            places << "F" + QString::number(card->FaceIndex());
            break;
        case soBack:
            places << "B";
            break;
        case soTool:
            places << (card->ToolIndex() == 0 ? "T" : "T?");
            break;
        }
    }
    return places.join(' ');
}

// The places a line of the run's cards should fill.
QString expectedLine(const QByteArray& cards, int first, int perLine)
{
    QStringList places;
    for (int i = 0; i < 3; ++i)
        places << (i >= perLine ? "T" : first + i < cards.size() ? "F" + QString::number(cards[first + i]) : "B");
    return places.join(' ');
}

struct Session {
    FakeServices services;
    TempProgramDir dir;
    Program program{services, dir};
    TWinKarten* win = program.win;

    RecordsTable& records() { return program.main->context().DBDaten; }
    void setUp(int count, int perLine)
    {
        win->show();
        win->udAnzahl->setValue(count);
        win->udZeile->setValue(perLine);
    }
};

// A run clicked through to its end, the last click `ms` after START.
void completeRun(FakeServices& services, TWinKarten* win, int count, int perLine, quint32 ms)
{
    win->show();
    win->udAnzahl->setValue(count);
    win->udZeile->setValue(perLine);
    win->bStartStop->click();
    while (win->picturePage->run().drill().current().first + perLine < count)
        QTest::mouseClick(win->pcKarte2, Qt::LeftButton);
    services.tick.ticks = win->startTick() + ms;
    QTest::mouseClick(win->pcKarte3, Qt::LeftButton);
}

// Mouse events as the window system delivers them, sent to the middle of the widget.
void sendMouse(QWidget* widget, std::initializer_list<QEvent::Type> types)
{
    const QPointF at = QRectF(widget->rect()).center();
    for (QEvent::Type type : types) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

} // namespace

class TestWinKarten : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void theWindowAsItOpens()
    {
        Session s;
        TWinKarten* w = s.win;
        w->show();
        QVERIFY(s.program.main->mKarten->isEnabled());
        QCOMPARE(w->size(), QSize(745, 357));
        QCOMPARE(QStringList({w->windowTitle(), w->pcTraining->tabText(0), w->pcTraining->tabText(1), w->lab1->text(),
                              w->lab2->text(), w->lab3->text(), w->bStartStop->text(), w->pErgeb->text(),
                              w->labBestzeit->text(), w->bClose->text()}),
                 QStringList({"Kartentraining", "&Bildertraining", "&Memorieren", "&Anzahl Karten", "Anzahl &pro Zeile",
                              "Zeit pro Zeile", "START / STOP", "0,00", "Bestzeit", "&Schliessen"}));
        QCOMPARE(QList<int>({w->udAnzahl->minimum(), w->udAnzahl->maximum(), w->udAnzahl->singleStep(),
                             w->udZeile->minimum(), w->udZeile->maximum(), w->udZeile->singleStep()}),
                 QList<int>({1, 10000, 52, 1, 3, 1}));
        QVERIFY(w->pSpeedZahlen->font().bold() && w->pSpeedZahlen->font().pixelSize() == 16);
        QCOMPARE(w->pcKarte2->geometry(), w->pcKarte1->geometry().translated(80, 0));
        QCOMPARE(w->pcKarte3->geometry(), w->pcKarte1->geometry().translated(160, 0));
        QCOMPARE(w->pcKarte1->size(), QSize(71, 96));
        for (const char* name : {"pcTraining", "tsBilder", "tsMemo", "udAnzahl", "udZeile", "pSpeedZahlen", "pcKarte1",
                                 "pcKarte2", "pcKarte3", "bStartStop", "pErgeb", "pRekZahlen", "bClose", "tZehntel"})
            QVERIFY2(w->findChild<QObject*>(name), name);
        QCOMPARE(w->udAnzahl->accessibleName(), QString("Anzahl Karten"));
        QCOMPARE(w->pRekZahlen->accessibleName(), QString("Bestzeit"));

        // The second page cannot be opened, by mouse or otherwise.
        QTest::mouseClick(w->pcTraining->tabBar(), Qt::LeftButton, {}, w->pcTraining->tabBar()->tabRect(1).center());
        QCOMPARE(w->pcTraining->currentWidget(), w->tsBilder);
        w->pcTraining->setCurrentIndex(1);
        QCOMPARE(w->pcTraining->currentWidget(), w->tsBilder);
    }

    void storedSettingsPassTheSpinButtonsRule_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("perLine");
        QTest::addColumn<QString>("places");

        QTest::newRow("first start: 600, and 6 a line refused") << QByteArray() << 600 << 1 << "B T T";
        QTest::newRow("kept") << QByteArray("Training Karten Anzahl=104\nTraining Karten Zeile=3\n") << 104 << 3
                              << "B B B";
        QTest::newRow("0 and 4 refused") << QByteArray("Training Karten Anzahl=0\nTraining Karten Zeile=4\n") << 52
                                         << 1 << "B T T";
        QTest::newRow("not numbers") << QByteArray("Training Karten Anzahl=viele\nTraining Karten Zeile=2\n") << 600
                                     << 2 << "B B T";
    }

    void storedSettingsPassTheSpinButtonsRule()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, count);
        QFETCH(int, perLine);
        QFETCH(QString, places);
        FakeServices services;
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("BRAIN.INI"), "[Korvanis]\nSprache=0\n" + stored));
        Program program(services, dir);
        program.win->show();
        QCOMPARE(program.win->udAnzahl->value(), count);
        QCOMPARE(program.win->udZeile->value(), perLine);
        QCOMPARE(placesOf(program.win), places);
        const IniFile ini(dir.file("BRAIN.INI"));
        QCOMPARE(ini.ReadInteger("Korvanis", "Training Karten Anzahl", -1), count);
        QCOMPARE(ini.ReadInteger("Korvanis", "Training Karten Zeile", -1), perLine);
        // Closing writes what the spin buttons hold.
        program.win->udZeile->stepBy(perLine == 3 ? -1 : 1);
        program.win->bClose->click();
        QCOMPARE(ini.ReadInteger("Korvanis", "Training Karten Zeile", -1), perLine == 3 ? 2 : perLine + 1);
    }

    void idlePlacesFollowTheLineLength_data()
    {
        QTest::addColumn<int>("perLine");
        QTest::addColumn<QString>("places");
        QTest::newRow("1") << 1 << "B T T";
        QTest::newRow("2") << 2 << "B B T";
        QTest::newRow("3") << 3 << "B B B";
    }

    void idlePlacesFollowTheLineLength()
    {
        QFETCH(int, perLine);
        QFETCH(QString, places);
        Session s;
        s.setUp(52, 1);
        while (s.win->udZeile->value() < perLine)
            s.win->udZeile->stepBy(1);
        QCOMPARE(placesOf(s.win), places);
        // A move of the count keeps them.
        s.win->udAnzahl->stepBy(1);
        QCOMPARE(s.win->udAnzahl->value(), 104);
        QCOMPARE(placesOf(s.win), places);
    }

    void aRunShowsItsLines_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("perLine");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("lines");

        QTest::newRow("52 in lines of 1, clicked") << 52 << 1 << "click" << 52;
        QTest::newRow("53 in lines of 1, clicked") << 53 << 1 << "click" << 53;
        QTest::newRow("5 in lines of 3, clicked") << 5 << 3 << "click" << 2;
        // Every second press arrives as the system's double click.
        QTest::newRow("7 in lines of 2, double-clicked") << 7 << 2 << "double click" << 4;
        QTest::newRow("4 in lines of 1, Space") << 4 << 1 << "Space" << 4;
        QTest::newRow("6 in lines of 3, Right") << 6 << 3 << "Right" << 2;
    }

    void aRunShowsItsLines()
    {
        QFETCH(int, count);
        QFETCH(int, perLine);
        QFETCH(QString, how);
        QFETCH(int, lines);
        Session s;
        TWinKarten* w = s.win;
        s.setUp(count, perLine);
        s.services.dialogs.defaultAnswer = false;
        // Windows created earlier draw from the same generator, so the deal is
        // checked against a copy of it as it stands at START.
        FixedRandom sameState = s.services.random;
        w->bStartStop->click();
        QCOMPARE(w->phase(), quint8(TWinKarten::Running));
        QVERIFY(!w->udAnzahl->isEnabled() && !w->udZeile->isEnabled() && w->bClose->isEnabled());
        QCOMPARE(w->focusWidget(), w->pcKarte1);
        // Dealt by the program's generator from fresh decks.
        QCOMPARE(w->picturePage->run().attempt().given, DealCards(count, sameState));

        QStringList seen, expected;
        TPlayingCard* const cards[] = {w->pcKarte1, w->pcKarte2, w->pcKarte3};
        for (int press = 0; w->phase() == TWinKarten::Running && press < 100; ++press) {
            seen << placesOf(w);
            expected << expectedLine(w->picturePage->run().attempt().given, press * perLine, perLine);
            s.services.tick.ticks += 10;
            if (how == "click")
                QTest::mouseClick(cards[press % 3], Qt::LeftButton);
            else if (how == "double click")
                press % 2 ? sendMouse(cards[press % 3], {QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
                          : QTest::mouseClick(cards[press % 3], Qt::LeftButton);
            else
                QTest::keyClick(w->focusWidget(), how == "Space" ? Qt::Key_Space : Qt::Key_Right);
        }
        QCOMPARE(seen, expected);
        QCOMPARE(seen.size(), lines);
        QCOMPARE(w->pErgeb->text(), FormatFixed(lines * 0.01, 2));
        QCOMPARE(placesOf(w), expectedLine({}, 0, perLine));
        QVERIFY(w->udAnzahl->isEnabled() && w->udZeile->isEnabled());
        QCOMPARE(w->focusWidget(), w->udAnzahl);
        QCOMPARE(s.services.dialogs.questions, QStringList("Neuer Rekord! Wollen Sie ihn speichern?"));
        QCOMPARE(w->pRekZahlen->text(), QString("99999,00s"));
        // Clicks while idle do nothing.
        QTest::mouseClick(w->pcKarte1, Qt::LeftButton);
        QCOMPARE(w->phase(), quint8(TWinKarten::Idle));
    }

    void theClockRunsAndAStoppedRunIsNoResult()
    {
        Session s;
        TWinKarten* w = s.win;
        RecordingAttemptLog log;
        s.program.main->context().attemptLog = &log;
        s.setUp(52, 2);
        w->bStartStop->click();
        QCOMPARE(w->pErgeb->text(), QString("0,0"));
        QVERIFY(w->tZehntel->isActive());
        s.services.tick.ticks = w->startTick() + 12345;
        w->tZehntelTimer();
        QCOMPARE(w->pErgeb->text(), QString("12,3"));
        QTest::mouseClick(w->pcKarte1, Qt::LeftButton);
        s.services.tick.ticks = w->startTick() + 1234;
        w->bStartStop->click();
        QCOMPARE(w->phase(), quint8(TWinKarten::Idle));
        QVERIFY(!w->tZehntel->isActive());
        QCOMPARE(w->pErgeb->text(), QString("1,23"));
        QVERIFY(s.services.dialogs.questions.isEmpty());
        QCOMPARE(placesOf(w), QString("B B T"));
        QCOMPARE(w->pRekZahlen->text(), QString("99999"));
        // The history keeps the broken-off run as such.
        QCOMPARE(log.attempts.size(), size_t(1));
        QCOMPARE(log.attempts.front().discipline, 2);
        QCOMPARE(log.attempts.front().result.runSeconds, std::optional<double>(1.234));
        QVERIFY(!log.attempts.front().completed);
    }

    void aRunGoesFromTheKeyboard()
    {
        Session s;
        TWinKarten* w = s.win;
        s.setUp(2, 1);
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(w->phase(), quint8(TWinKarten::Running));
        QTest::keyClick(w->focusWidget(), Qt::Key_Space);
        QCOMPARE(w->picturePage->run().drill().current().first, 1);
        QCOMPARE(w->picturePage->labFortschritt->text(), QString("Karte 2 von 2"));
        // A held key does not race on.
        QTest::keyPress(w->focusWidget(), Qt::Key_Space, Qt::NoModifier);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(w->focusWidget(), &repeat);
        QCOMPARE(w->phase(), quint8(TWinKarten::Idle));
        QCOMPARE(s.services.dialogs.questions.size(), 1);
    }

    void theRecordIsOfferedOnlyWhenBeaten_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<quint32>("ms");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("best");
        QTest::addColumn<QString>("perLine");

        QTest::newRow("70 s against 60 s") << true << 70000u << false << "60,00s" << "1,15s";
        QTest::newRow("60 s against 60 s") << true << 60000u << false << "60,00s" << "1,15s";
        QTest::newRow("59,5 s against 60 s") << true << 59500u << true << "59,50s" << "1,14s";
        QTest::newRow("none stored") << false << 300000u << true << "300,00s" << "5,77s";
    }

    void theRecordIsOfferedOnlyWhenBeaten()
    {
        QFETCH(bool, stored);
        QFETCH(quint32, ms);
        QFETCH(bool, offered);
        QFETCH(QString, best);
        QFETCH(QString, perLine);
        Session s;
        RecordingAttemptLog log;
        s.program.main->context().attemptLog = &log;
        if (stored)
            s.records().StoreBestTime(CardsPicture, 52, 1, 60);
        s.setUp(52, 1);
        QCOMPARE(s.win->pRekZahlen->text(), QString(stored ? "60,00" : "99999"));
        QCOMPARE(s.win->pSpeedZahlen->text(), QString(stored ? "1,15s" : "1923,06s"));
        completeRun(s.services, s.win, 52, 1, ms);
        QCOMPARE(s.services.dialogs.questions.size(), offered ? 1 : 0);
        QCOMPARE(s.win->pErgeb->text(), FormatFixed(ms / 1000.0, 2));
        QCOMPARE(s.win->pRekZahlen->text(), best);
        QCOMPARE(s.win->pSpeedZahlen->text(), perLine);
        const std::optional<double> kept = offered ? std::optional(ms / 1000.0) : stored ? std::optional(60.0) : std::nullopt;
        QCOMPARE(s.records().LookupBestTime(2, 52, 1), kept);
        QCOMPARE(log.attempts.size(), size_t(1));
        const AttemptRecord& run = log.attempts.front();
        QCOMPARE(run.setting.count, std::optional<int>(52));
        QCOMPARE(run.setting.perLine, std::optional<int>(1));
        QCOMPARE(run.result.runSeconds, std::optional<double>(ms / 1000.0));
        QVERIFY(run.completed);
        QCOMPARE(run.savedAsRecord, offered);
        // The cards dealt, as face indexes, each with the moment it came on show.
        QCOMPARE(run.items.size(), 52);
        QByteArray faces = run.items.given;
        std::sort(faces.begin(), faces.end());
        QByteArray deck;
        for (int face = 1; face <= 52; ++face)
            deck += char(face);
        QCOMPARE(faces, deck);
        QCOMPARE(run.items.shownAtMs.size(), 52);
        QCOMPARE(run.items.shownAtMs.at(0), 0);
    }

    void closingKeepsTheRunAndReopeningGoesOn()
    {
        Session s;
        TWinKarten* w = s.win;
        s.setUp(3, 1);
        w->bStartStop->click();
        QTest::mouseClick(w->pcKarte1, Qt::LeftButton);
        const QString line = placesOf(w);
        w->bClose->click();
        QVERIFY(w->isHidden() && !w->tZehntel->isActive());
        QCOMPARE(w->pErgeb->text(), QString("0,00"));
        QCOMPARE(w->phase(), quint8(TWinKarten::Running));
        w->show();
        // The line on show when it closed shows again, and the clock runs.
        QCOMPARE(placesOf(w), line);
        QVERIFY(w->tZehntel->isActive());
        QCOMPARE(w->focusWidget(), w->pcKarte1);
        QTest::mouseClick(w->pcKarte1, Qt::LeftButton);
        s.services.tick.ticks = w->startTick() + 42000;
        QTest::mouseClick(w->pcKarte1, Qt::LeftButton);
        QCOMPARE(w->phase(), quint8(TWinKarten::Idle));
        QCOMPARE(w->pErgeb->text(), QString("42,00"));
        QCOMPARE(s.services.dialogs.questions.size(), 1);
    }

    void aRestartShowsTheSavedBestTime()
    {
        FakeServices services;
        TempProgramDir dir;
        {
            Program program(services, dir);
            completeRun(services, program.win, 5, 3, 4321);
            QCOMPARE(program.win->pRekZahlen->text(), QString("4,32s"));
            program.win->bClose->click();
        }
        Program again(services, dir);
        again.win->show();
        QCOMPARE(again.win->udAnzahl->value(), 5);
        QCOMPARE(again.win->udZeile->value(), 3);
        QCOMPARE(again.win->pRekZahlen->text(), QString("4,32"));
        QCOMPARE(again.win->pSpeedZahlen->text(), QString("2,59s"));
        QCOMPARE(again.main->context().DBDaten.LookupBestTime(2, 5, 3), std::optional<double>(4.32));
    }
};

QTEST_MAIN(TestWinKarten)
#include "test_win_karten.moc"
