// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The spoken-numbers window driven as a user drives it, with a hand-moved clock
// and a wave player that records what it was asked to play.
#include "app/main_win.h"
#include "app/startup.h"
#include "numbers/memo_page.h"
#include "numbers/win_spoken.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"
#include "core/formats.h"
#include "widgets/format_choice.h"
#include "widgets/panel.h"
#include "widgets/rule_table.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <optional>

namespace {

struct Session {
    FakeServices services;
    TempProgramDir dir;
    std::unique_ptr<TMainWin> main;
    TWinSpoken* win = nullptr;
    RecordingWavePlayer& wave = services.wave;

    Session() { restart(); }
    // A new program start in the same folder.
    void restart()
    {
        main.reset();
        main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                     dir.file("korvanis"));
        win = qobject_cast<TWinSpoken*>(main->windows().WinSpoken);
    }
    void start(int digits, int pulseMs = 3000, int recallMinutes = 5)
    {
        win->show();
        win->udAnzahlM->setValue(digits);
        win->udMemoZeit->setValue(pulseMs);
        win->udReplay->setValue(recallMinutes);
        win->bStartStop->click();
    }
    // The pulse timer's event arriving `ms` after START.
    void pulseAt(qint64 ms)
    {
        services.tick.ticks = win->pulses.startTick() + quint32(ms);
        win->tSpracheTimer();
    }
    // Every pulse on its due tick until recall begins.
    void speakAll()
    {
        for (int k = 2; win->phase() == TWinSpoken::Memorising; ++k)
            pulseAt(qint64(k - 1) * win->pulses.intervalMs());
    }
    // Digit i of the attempt, counted from 1.
    QChar given(int i) const { return win->sgMemo->cell((i - 1) % 30 + 1, (i - 1) / 30).at(0); }
    QString sound(const char* voice, int i) const { return win->voice().digitSound(voice, given(i)); }
    // Types the first `count` digits back, digit `wrong` (if any) spoiled.
    void typeBack(int count, int wrong = 0)
    {
        for (int i = 1; i <= count; ++i) {
            const QChar digit = i == wrong ? QChar(u'0' + (given(i).unicode() - u'0' + 1) % 10) : given(i);
            QTest::keyClick(win->sgReplay, digit.toLatin1());
        }
    }
    RecordsTable& records() { return main->context().DBDaten; }
};

// The sheets, their headings and the points column that are not hidden.
QStringList shownSheetParts(TWinSpoken* w)
{
    QStringList names;
    const QList<QWidget*> parts{w->sgMemo, w->sgReplay, w->sgPoints, w->lab1,
                                w->lab10,  w->lab20,    w->lab30,    w->labMPunkte};
    for (QWidget* part : parts) {
        if (!part->isHidden())
            names << part->objectName();
    }
    return names;
}

} // namespace

class TestWinSpoken : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void aFreshWindowShowsOnlyItsSettings_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("German") << 0
                                << QStringList{"Spoken Numbers Training", "Memorieren", "Anzahl Zahlen",
                                               "Zeittakt in msek.", "Wiedergabezeit", "Deutsch", "Englisch",
                                               "START / STOP", "Schliessen"};
        QTest::newRow("English") << 1
                                 << QStringList{"Spoken Numbers Training", "Memorisation", "Count of numbers",
                                                "Pulse in msec.", "Time to recall", "Deutsch", "English",
                                                "START / STOP", "Close"};
    }

    void aFreshWindowShowsOnlyItsSettings()
    {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        Session s;
        TWinSpoken* w = s.win;
        const QByteArray ini = ReadBytes(s.dir.file("BRAIN.INI"));
        QVERIFY(s.main->mSpokenNo->isEnabled());
        s.main->context().Language = language;
        w->show();
        QCOMPARE(Plain({w->windowTitle(), w->pcTraining->tabText(0), w->labAnzahlM->text(), w->labMemoZeit->text(),
                        w->labReplay->text(), w->rbGerman->text(), w->rbEnglisch->text(), w->bStartStop->text(),
                        w->bClose->text()}),
                 texts);
        QCOMPARE(w->udMemoZeit->accessibleName(), texts[3]);
        QCOMPARE(shownSheetParts(w), QStringList());
        QVERIFY(w->bChange->isHidden() && w->rbGerman->isChecked());
        QCOMPARE(w->focusWidget(), w->udAnzahlM);
        QCOMPARE(w->pErgeb->text(), QString("0,00"));
        QCOMPARE(w->pPunkteRekord->text(), QString("0"));
        // Count 1 to 1000 by 100, pulse 500 to 10000 ms by 100, recall 1 to 10000 min by 5.
        QList<int> spins;
        for (TUpDownEdit* ud : {w->udAnzahlM, w->udMemoZeit, w->udReplay})
            spins << ud->minimum() << ud->maximum() << ud->singleStep() << ud->value();
        QCOMPARE(spins, QList<int>({1, 1000, 100, 100, 500, 10000, 100, 3000, 1, 10000, 5, 5}));
        w->udAnzahlM->setValue(1000);
        QCOMPARE(w->udAnzahlM->text() + " " + w->udMemoZeit->text(), QString("1.000 3000"));
        // Steps that propose 0, or leave the range, are refused.
        w->udAnzahlM->setValue(100);
        w->udMemoZeit->setValue(500);
        for (TUpDownEdit* ud : {w->udAnzahlM, w->udMemoZeit, w->udReplay})
            ud->stepBy(-1);
        QCOMPARE(QList<int>({w->udAnzahlM->value(), w->udMemoZeit->value(), w->udReplay->value()}),
                 QList<int>({100, 500, 5}));
        // The twenty digits and the signal are loaded once, before any attempt.
        QCOMPARE(s.wave.preloaded.size(), 21);
        QVERIFY(s.wave.preloaded.contains(s.dir.file("Sounds/Englisch/7.wav")));
        QVERIFY(s.wave.preloaded.contains("Sounds/Beep.wav"));
        w->close();
        w->show();
        w->close();
        QCOMPARE(s.wave.preloaded.size(), 21);
        QCOMPARE(ReadBytes(s.dir.file("BRAIN.INI")), ini);
    }

    void sheetsTakeTheShapeOfTheAttempt_data()
    {
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("lastRowDigits");
        QTest::newRow("30 fill one row") << 30 << 1 << 30;
        QTest::newRow("31 spill one digit") << 31 << 2 << 1;
        QTest::newRow("1000") << 1000 << 34 << 10;
    }

    void sheetsTakeTheShapeOfTheAttempt()
    {
        QFETCH(int, digits);
        QFETCH(int, rows);
        QFETCH(int, lastRowDigits);
        Session s;
        TWinSpoken* w = s.win;
        s.start(digits);
        QCOMPARE(shownSheetParts(w), QStringList());
        for (TStringAlignGrid* grid : {w->sgMemo, w->sgReplay, w->sgPoints})
            QCOMPARE(grid->rowCount(), rows);
        QCOMPARE(w->sgMemo->cell(0, rows - 1) + " " + w->sgReplay->cell(0, rows - 1),
                 QString("%1 %1").arg((rows - 1) * 30));
        for (int c = 1; c <= 30; ++c) {
            const GridColor expected = c <= lastRowDigits ? GridColor::Window : GridColor::ButtonFace;
            QCOMPARE(w->sgMemo->cellBackground(c, rows - 1), expected);
            QCOMPARE(w->sgReplay->cellBackground(c, rows - 1), expected);
            QCOMPARE(w->sgMemo->cell(c, rows - 1).size(), c <= lastRowDigits ? 1 : 0);
        }
        s.speakAll();
        QCOMPARE(s.wave.played.size(), digits);
        QCOMPARE(shownSheetParts(w),
                 QStringList({"sgReplay", "sgPoints", "lab1", "lab10", "lab20", "lab30", "labMPunkte"}));
    }

    void digitsSoundOnTheirDueTicks_data()
    {
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("pulseMs");
        // How late each pulse's timer event arrives, by pulse number; -1 is an
        // event 1 ms early, which must wait out the rest.
        QTest::addColumn<QList<int>>("late");
        // "Englisch" is chosen just before this pulse's event; 0 never.
        QTest::addColumn<int>("englishFrom");
        QTest::newRow("100 digits at 3000 ms on time") << 100 << 3000 << QList<int>() << 0;
        QTest::newRow("30 digits at 500 ms, late events")
            << 30 << 500 << QList<int>({0, 0, 120, 499, 0, 37, 250}) << 4;
        QTest::newRow("5 digits at 10 s, early and late") << 5 << 10000 << QList<int>({0, 0, -1, 9000, -1, 3}) << 3;
    }

    void digitsSoundOnTheirDueTicks()
    {
        QFETCH(int, digits);
        QFETCH(int, pulseMs);
        QFETCH(QList<int>, late);
        QFETCH(int, englishFrom);
        Session s;
        TWinSpoken* w = s.win;
        s.start(digits, pulseMs);
        QCOMPARE(s.wave.played, QStringList(s.sound("Deutsch", 1)));
        QVERIFY(w->tSprache->isActive() && w->tSprache->isSingleShot());
        QCOMPARE(w->tSprache->timerType(), Qt::PreciseTimer);
        QCOMPARE(w->tSprache->interval(), pulseMs);
        for (int k = 2; k <= digits + 1; ++k) {
            const qint64 due = qint64(k - 1) * pulseMs;
            const int lateness = late.value(k);
            if (k == englishFrom)
                w->rbEnglisch->click();
            if (lateness < 0) {
                s.pulseAt(due + lateness);
                QCOMPARE(s.wave.played.size(), k - 1);
                QCOMPARE(w->tSprache->interval(), -lateness);
            }
            s.pulseAt(due + qMax(lateness, 0));
            if (k <= digits) {
                QCOMPARE(s.wave.played.size(), k);
                QCOMPARE(s.wave.played.last(), s.sound(englishFrom && k >= englishFrom ? "Englisch" : "Deutsch", k));
                // Armed for the next due tick, whatever this event's delay.
                QCOMPARE(w->tSprache->interval(), pulseMs - qMax(lateness, 0));
                QCOMPARE(w->phase(), quint8(TWinSpoken::Memorising));
            }
        }
        // Recall begins digitCount pulses after START, and nothing more is spoken.
        QCOMPARE(w->phase(), quint8(TWinSpoken::Recalling));
        QCOMPARE(w->startTick(), w->pulses.startTick() + quint32(digits * pulseMs + qMax(late.value(digits + 1), 0)));
        QCOMPARE(s.wave.played.size(), digits);
    }

    void speakingEnds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("spoken");
        QTest::addColumn<int>("stops");
        QTest::newRow("Memorieren fertig cuts the digit off") << "button" << 3 << 1;
        QTest::newRow("Ctrl+Return cuts the digit off") << "keys" << 3 << 1;
        QTest::newRow("the last digit is left to finish") << "natural" << 40 << 0;
    }

    void speakingEnds()
    {
        QFETCH(QString, how);
        QFETCH(int, spoken);
        QFETCH(int, stops);
        Session s;
        TWinSpoken* w = s.win;
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        s.start(40, 500);
        QCOMPARE(w->bStartStop->text(), QString("Memorieren fertig"));
        QVERIFY(!w->bClose->isEnabled() && !w->udMemoZeit->isEnabled() && w->rbEnglisch->isEnabled());
        QCOMPARE(w->focusWidget(), w->rbGerman);
        s.pulseAt(500);
        s.pulseAt(1000);
        s.services.tick.ticks += 123;
        if (how == "button")
            w->bStartStop->click();
        else if (how == "keys")
            QTest::keyClick(w->focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        else
            s.speakAll();
        QCOMPARE(s.wave.played.size(), spoken);
        QCOMPARE(s.wave.stops, stops);
        QCOMPARE(w->phase(), quint8(TWinSpoken::Recalling));
        QVERIFY(!w->tSprache->isActive() && w->tZehntel->isActive());
        QCOMPARE(w->startTick(), s.services.tick.ticks);
        QCOMPARE(QStringList({w->pErgeb->text(), w->gbMemorieren->title(), w->bStartStop->text()}),
                 QStringList({"00:00:00,0", "Wiedergabe", "Wiedergabe fertig"}));
        QCOMPARE(w->focusWidget(), w->sgReplay);
        QCOMPARE((QPoint{w->sgReplay->currentCol(), w->sgReplay->currentRow()}), QPoint(1, 0));
        // Recall and scoring cover every digit, spoken or not.
        s.typeBack(40);
        w->bStartStop->click();
        QCOMPARE(w->pPunkte->text(), QString("40"));
    }

    void theRecallClockSignalsAndEndsRecall()
    {
        Session s;
        TWinSpoken* w = s.win;
        s.services.dialogs.defaultAnswer = false;
        s.start(30, 500, 1);
        s.speakAll();
        QStringList shown;
        for (quint32 ms : {1500u, 49900u, 50000u, 50100u, 59000u, 60000u}) {
            s.wave.played.clear();
            s.services.tick.ticks = w->startTick() + ms;
            w->tZehntelTimer();
            shown << s.wave.played.join(QString()) + w->pErgeb->text();
        }
        QCOMPARE(shown, QStringList({"00:00:01,5", "00:00:49,9", "Sounds/Beep.wav00:00:50,0", "00:00:50,1",
                                     "Sounds/Beep.wav00:00:59,0", "00:01:00"}));
        QCOMPARE(w->phase(), quint8(TWinSpoken::Idle));
        QCOMPARE(w->memoPage->attempt().recallTimeUsed(), 60.0);
    }

    void scoringStopsAtTheFirstError_data()
    {
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("stored"); // -1: no record stored
        QTest::addColumn<QStringList>("rowPoints");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("correct");
        QTest::addColumn<bool>("offered");
        const QStringList nine{"9", "0", "0", "0"};
        QTest::newRow("all right") << 100 << 0 << -1 << QStringList({"30", "30", "30", "10"}) << 100 << 100 << true;
        QTest::newRow("digit 10 wrong") << 100 << 10 << -1 << nine << 9 << 99 << true;
        QTest::newRow("nothing typed is never offered") << 0 << 0 << -1 << QStringList({"0", "0", "0", "0"}) << 0
                                                        << 0 << false;
        QTest::newRow("equal to the stored record") << 100 << 10 << 9 << nine << 9 << 99 << false;
        QTest::newRow("one above the stored record") << 100 << 10 << 8 << nine << 9 << 99 << true;
    }

    void scoringStopsAtTheFirstError()
    {
        QFETCH(int, typed);
        QFETCH(int, wrong);
        QFETCH(int, stored);
        QFETCH(QStringList, rowPoints);
        QFETCH(int, total);
        QFETCH(int, correct);
        QFETCH(bool, offered);
        Session s;
        TWinSpoken* w = s.win;
        RecordingAttemptLog log;
        s.main->context().attemptLog = &log;
        if (stored >= 0)
            s.records().StorePointsRecord(13, 50, 3000, 300, stored, 0, 100);
        s.start(100);
        s.speakAll();
        s.typeBack(typed, wrong);
        s.services.tick.advance(2000);
        w->bStartStop->click();
        // The history keeps every attempt, the record question's answer with it.
        QCOMPARE(log.attempts.size(), size_t(1));
        const AttemptRecord& kept = log.attempts.front();
        QCOMPARE(kept.discipline, 13);
        QCOMPARE(kept.setting.count, std::optional<int>(100));
        QCOMPARE(kept.setting.pulseMs, std::optional<int>(3000));
        QCOMPARE(kept.result.points, std::optional<int>(total));
        QCOMPARE(kept.result.memoSecondsUsed, std::optional<double>(300.0)); // 100 digits at 3 s
        QCOMPARE(kept.result.recallSecondsUsed, std::optional<double>(2.0));
        QCOMPARE(kept.savedAsRecord, offered);
        // With the digits heard and typed, on the sheet's rows of 30.
        QCOMPARE(kept.items.size(), 100);
        QCOMPARE(kept.itemsPerRow, 30);
        QCOMPARE(int(kept.items.answers.size() - kept.items.answers.count('\0')), typed);
        QStringList shown;
        for (int r = 0; r < 4; ++r)
            shown << w->sgPoints->cell(0, r);
        QCOMPARE(shown, rowPoints);
        QCOMPARE(w->pPunkte->text() + " " + w->pZiffern->text(), QString("%1 %2").arg(total).arg(correct));
        if (wrong)
            QCOMPARE(w->sgReplay->cellFontColor(wrong, 0), GridColor::Red);
        QCOMPARE(s.services.dialogs.questions.size(), offered ? 1 : 0);
        const int record = offered ? total : qMax(stored, 0);
        QCOMPARE(w->pPunkteRekord->text(), QString::number(record));
        QCOMPARE(s.records().LookupPointsRecord(13, 3000, 300).value_or(0), double(record));
    }

    void aSavedRecordOutlivesTheProgram()
    {
        Session s;
        s.start(30, 1000);
        s.speakAll();
        s.typeBack(30);
        s.services.tick.advance(42500);
        s.win->bStartStop->click();
        QCOMPARE(s.services.dialogs.questions, QStringList("Neuer Rekord! Wollen Sie ihn speichern?"));
        s.restart();
        s.win->show();
        QCOMPARE(s.win->pPunkteRekord->text(), QString("0"));
        s.win->udMemoZeit->setValue(1100);
        s.win->udMemoZeit->stepBy(-1);
        QCOMPARE(s.win->pPunkteRekord->text(), QString("30"));
        bool ok = false;
        QString errors;
        const QString out = RunPython(R"(
import sys, dbfread
for r in dbfread.DBF(sys.argv[1], load=True):
    print(r["DISZIPLIN"], r["ANZAHL"], r["PUNKTE"], r["ZEIT"], r["REPLAYZEIT"], r["ZEIT_NUTZ"], r["REPL_NUTZ"])
)",
                                      {s.dir.file("KORVANIS.DBF")}, &ok, &errors);
        QVERIFY2(ok, qPrintable(errors));
        QCOMPARE(out.trimmed(), QString("13 30 30.0 1000.0 300.0 0.0 42.5"));
    }

    void spokenValuesAreKeptOnlyWhenChosen_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("as designed") << false;
        QTest::newRow("Werte merken") << true;
    }

    void spokenValuesAreKeptOnlyWhenChosen()
    {
        QFETCH(bool, keep);
        Session s;
        TWinSpoken* w = s.win;
        const QByteArray designedFile = ReadBytes(s.dir.file("BRAIN.INI"));
        w->show();
        w->udAnzahlM->setValue(200);
        w->udMemoZeit->setValue(1500);
        w->udReplay->setValue(10);
        w->rbEnglisch->setChecked(true);
        w->chbMerken->setChecked(keep);
        w->close();
        if (!keep)
            QCOMPARE(ReadBytes(s.dir.file("BRAIN.INI")), designedFile);
        s.restart();
        w = s.win;
        QCOMPARE(w->chbMerken->isChecked(), keep);
        QCOMPARE(QList<int>({w->udAnzahlM->value(), w->udMemoZeit->value(), w->udReplay->value()}),
                 keep ? QList<int>({200, 1500, 10}) : QList<int>({100, 3000, 5}));
        QCOMPARE(w->rbEnglisch->isChecked(), keep);
        QCOMPARE(w->rbGerman->isChecked(), !keep);
    }

    void closingWhileDigitsAreSpokenStopsThemAndRecallWaitsForTheWindow()
    {
        Session s;
        TWinSpoken* w = s.win;
        s.start(100);
        s.pulseAt(3000);
        s.pulseAt(7000);
        QCOMPARE(w->labFortschritt->text(), QString("Ziffer 3 von 100"));
        w->close();
        QVERIFY(!w->tSprache->isActive() && !w->tZehntel->isActive());
        QCOMPARE(s.wave.stops, 1);
        QCOMPARE(w->pErgeb->text(), QString("0,00"));
        // A timer event already queued speaks nothing from the hidden window.
        s.pulseAt(9000);
        QCOMPARE(s.wave.played.size(), 3);

        // Opened again an hour later, the window begins recall with its whole
        // time ahead: nothing ran while nobody could type.
        s.services.tick.advance(3600 * 1000);
        const quint32 shownAt = s.services.tick.ticks;
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->phase(), quint8(TWinSpoken::Recalling));
        QCOMPARE(w->startTick(), shownAt);
        QCOMPARE(w->labFortschritt->text(), QString());
        QVERIFY(w->tZehntel->isActive());
        QCOMPARE(w->focusWidget(), w->sgReplay);
        QCOMPARE(s.wave.played.size(), 3);
        s.services.tick.ticks = shownAt + 2000;
        w->tZehntelTimer();
        QCOMPARE(w->pErgeb->text(), QString("00:00:02,0"));
        s.typeBack(100);
        w->bStartStop->click();
        QCOMPARE(w->pPunkte->text(), QString("100"));
    }

    void aFormatFillsCountPulseAndRecallTime_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("recallMinutes");
        QTest::newRow("100 digits") << 1 << 100 << 5;
        QTest::newRow("200 digits") << 2 << 200 << 10;
        QTest::newRow("300 digits") << 3 << 300 << 15;
    }

    void aFormatFillsCountPulseAndRecallTime()
    {
        QFETCH(int, index);
        QFETCH(int, digits);
        QFETCH(int, recallMinutes);
        Session s;
        TWinSpoken* w = s.win;
        w->show();
        w->cbFormat->setCurrentIndex(index);
        Q_EMIT w->cbFormat->activated(index);
        QCOMPARE(w->udAnzahlM->value(), digits);
        QCOMPARE(w->udMemoZeit->value(), 1000);
        QCOMPARE(w->udReplay->value(), recallMinutes);
        QCOMPARE(w->cbFormat->currentIndex(), index);
        QTest::keyClick(w->udAnzahlM, Qt::Key_Up);
        QCOMPARE(w->cbFormat->currentIndex(), 0);
    }

    void theFirstErrorEndsTheWorldCouncilsScoreButNotMemoryLeagues()
    {
        Session s;
        TWinSpoken* w = s.win;
        s.start(40, 1000);
        s.speakAll();
        s.typeBack(40, 13);
        w->bStartStop->click();
        TRuleTable* table = w->tbRegelwerke;
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(w->pPunkte->text(), QStringLiteral("12"));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("12"));
        QCOMPARE(table->item(0, 2)->text(), FormatFixed(std::sqrt(12.0) * 47.3, 2) + QStringLiteral(" (2021)"));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("39"));
        QCOMPARE(table->item(1, 2)->text(), QStringLiteral("–"));
    }
};

QTEST_MAIN(TestWinSpoken)
#include "test_win_spoken.moc"
