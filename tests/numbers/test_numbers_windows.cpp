// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/formats.h"
#include "core/mnemonics.h"
#include "core/ini_file.h"
#include "app/main_win.h"
#include "app/startup.h"
#include "widgets/win_wait.h"
#include "numbers/sheet_navigation.h"
#include "numbers/memo_page.h"
#include "numbers/memo_sheets.h"
#include "numbers/numbers_memo_page.h"
#include "numbers/sheet_view_choice.h"
#include "numbers/numbers_base.h"
#include "numbers/numbers_memo_page.h"
#include "tests/records/records_test_support.h"
#include "tests/support/fakes.h"
#include "tests/support/window_session.h"
#include "training/attempt_clock.h"
#include "training/clock_text.h"
#include "widgets/format_choice.h"
#include "widgets/panel.h"
#include "widgets/rule_table.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QStyleHints>
#include <QtTest>

namespace {

// The window under test: every test runs once for each number window.
QString windowUnderTest()
{
    QFETCH_GLOBAL(QString, window);
    return window;
}

// One program start in a program folder, with fake services.
struct Program {
    explicit Program(FakeServices& services, const TempProgramDir& dir)
        : main(CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                     dir.file("korvanis"))),
          win(main->findChild<TNumbersBase*>(windowUnderTest()))
    {
    }
    std::unique_ptr<TMainWin> main;
    TNumbersBase* win;
};

struct Session {
    Session() = default;
    // A program started in a folder that `prepare` has set up first.
    explicit Session(const std::function<void(const TempProgramDir&)>& prepare) : prepared((prepare(dir), true)) {}

    FakeServices services;
    TempProgramDir dir;
    bool prepared = false;
    Program program{services, dir};
    TNumbersBase* win = program.win;

    void openMemoPage()
    {
        win->show();
        win->pcTraining->setCurrentWidget(win->tsMemo);
    }
    // A limited attempt of `digits` digits with the given times in minutes.
    void startAttempt(int digits, int memoMinutes = 5, int recallMinutes = 10)
    {
        openMemoPage();
        win->rbLimit->click();
        win->udAnzahlM->setValue(digits);
        win->udMemoZeit->setValue(memoMinutes);
        win->udReplay->setValue(recallMinutes);
        win->bStartStop->click();
    }
    // Moves the clock to `ms` after the phase began and lets the timer tick once.
    void tickAt(quint32 sinceStart)
    {
        services.tick.ticks = win->startTick() + sinceStart;
        win->tZehntelTimer();
    }
    QString given(int col, int row) const { return win->sgMemo->cell(col, row); }
    const NumbersWindowConstants& k() const { return win->constants(); }
    int rowWidth() const { return k().rowWidth; }
    // Valid digits of this window, repeated to the length asked for.
    QString digits(int length) const
    {
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(u'0' + i % k().alphabetSize());
        return text;
    }
    void type(const QString& keys)
    {
        for (QChar ch : keys)
            QTest::keyClick(win->sgReplay, ch.toLatin1());
    }
    // Types the given digits of the first `count` cells back.
    void typeGiven(int count)
    {
        for (int i = 0; i < count; ++i)
            type(given(i % rowWidth() + 1, i / rowWidth()));
    }
    CellPos replayCursor() const { return {win->sgReplay->currentCol(), win->sgReplay->currentRow()}; }
    RecordsTable& records() { return program.main->context().DBDaten; }
    // A whole attempt: `typed` digits typed back right, the rest left empty.
    void attempt(int digits, int typed, int memoMinutes = 5, int recallMinutes = 10)
    {
        startAttempt(digits, memoMinutes, recallMinutes);
        tickAt(1000);
        win->bStartStop->click();
        typeGiven(typed);
        tickAt(2000);
        win->bStartStop->click();
    }
};

// Mouse events as the window system delivers them, each with its own time stamp
// in milliseconds, sent to the middle of the widget.
void sendMouse(QWidget* widget, std::initializer_list<QEvent::Type> types, quint64 timestamp = 0)
{
    const QPointF at = QRectF(widget->rect()).center();
    for (QEvent::Type type : types) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        event.setTimestamp(timestamp);
        QApplication::sendEvent(widget, &event);
    }
}

} // namespace

class TestNumbersWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("captions");  // caption and count label, German then English
        QTest::addColumn<QList<int>>("lineSteps");  // digits per line when stepped up from the default
        QTest::newRow("numbers") << "WinZahlen"
                                 << QStringList{"Zahlentraining", "Anzahl Zahlen", "Training numbers", "Count of numbers"}
                                 << QList<int>{3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("binary") << "WinBinaer"
                                << QStringList{"Binärzahlentraining", "Anzahl Ziffern", "Training Binary Numbers",
                                               "Count of digits"}
                                << QList<int>{12, 18, 24, 30};
    }
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void captionsFollowTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("German") << 0
                                << QStringList{"", "Bildertraining", "Memorieren", "", "START / STOP",
                                               "Punkterekord", "ohne Limit", "Bestzeit", "Schliessen"};
        QTest::newRow("English") << 1
                                 << QStringList{"", "Training Memorisation Pictures", "Memorisation", "",
                                                "START / STOP", "Record points", "without limitations", "Best time",
                                                "Close"};
    }

    void captionsFollowTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        QFETCH_GLOBAL(QStringList, captions);
        texts[0] = captions[2 * language];
        texts[3] = captions[2 * language + 1];
        Session s;
        s.program.main->context().Language = language;
        s.win->show();
        TNumbersBase* w = s.win;
        QCOMPARE(Plain({w->windowTitle(), w->pcTraining->tabText(0), w->pcTraining->tabText(1), w->lab1->text(),
                        w->bStartStop->text(), w->labPunkteRekord->text(), w->rbNoLimit->text(),
                        w->labBestzeit->text(), w->bClose->text()}),
                 texts);
        QCOMPARE(w->size(), QSize(913, 358));
        QCOMPARE(WithoutMnemonic(w->lab4->text()), texts[3]);
        // Automation and assistive technology find the controls by their names
        // and read their captions.
        for (const char* name : {"pcTraining", "tsBilder", "tsMemo", "bStartStop", "pErgeb", "pRekZahlen",
                                 "pPunkteRekord", "pPunkte", "pZiffern", "bChange", "bClose", "udAnzahl", "udZeile",
                                 "pSpeedZahlen", "pZahlen", "rbNoLimit", "rbLimit", "udAnzahlM", "udMemoZeit",
                                 "udReplay", "gbMemorieren", "sgMemo", "sgReplay", "sgPoints", "tZehntel"})
            QVERIFY2(w->findChild<QObject*>(name), name);
        QCOMPARE(w->bClose->accessibleName(), texts.last());
        QCOMPARE(w->udAnzahl->accessibleName(), texts[3]);
        QCOMPARE(w->pRekZahlen->accessibleName(), texts[7]);
    }

    void aMemorisationAttemptRunsThroughItsPhases()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.openMemoPage();
        QCOMPARE(w->bStartStop->text(), QString("START"));
        QCOMPARE(w->pErgeb->text(), QString("00:00:00,0"));
        QVERIFY(!w->labPunkteRekord->isHidden() && w->labBestzeit->isHidden());
        s.startAttempt(95);

        QCOMPARE(w->phase(), quint8(TNumbersBase::Memorising));
        QCOMPARE(w->bStartStop->text(), QString("Memorieren fertig"));
        QCOMPARE(w->gbMemorieren->title(), QString("Memorieren"));
        QVERIFY(!w->bClose->isEnabled() && !w->udMemoZeit->isEnabled() && !w->rbNoLimit->isEnabled());
        QVERIFY(w->bChange->isHidden());
        QVERIFY(w->tZehntel->isActive());
        QVERIFY(s.program.main->windows().WinWait->isHidden());
        // 95 digits: rows of 40 (binary 30), the last one partly filled.
        const int width = s.rowWidth();
        const int lastRow = 94 / width;
        const int lastDigits = 95 - lastRow * width;
        QCOMPARE(w->sgMemo->rowCount(), lastRow + 1);
        for (int r = 0; r <= lastRow; ++r)
            QCOMPARE(w->sgMemo->cell(0, r), QString::number(r * width));
        for (int i = 0; i < 95; ++i)
            QVERIFY(s.digits(w->constants().alphabetSize()).contains(s.given(i % width + 1, i / width)));
        QCOMPARE(w->sgMemo->cellBackground(lastDigits, lastRow), GridColor::Window);
        QCOMPARE(w->sgMemo->cellBackground(lastDigits + 1, lastRow), GridColor::ButtonFace);
        QCOMPARE(w->sgMemo->cell(lastDigits + 1, lastRow), QString());
        QCOMPARE(w->sgReplay->cellBackground(width, lastRow), GridColor::ButtonFace);
        QVERIFY(w->sgReplay->isHidden());

        // The page cannot be changed while the attempt runs.
        QTest::mouseClick(w->pcTraining->tabBar(), Qt::LeftButton, {},
                          w->pcTraining->tabBar()->tabRect(0).center());
        QCOMPARE(w->pcTraining->currentWidget(), w->tsMemo);

        s.tickAt(83456);
        w->bStartStop->click();
        QCOMPARE(w->phase(), quint8(TNumbersBase::Recalling));
        QCOMPARE(w->memoPage->attempt().memoTimeUsed(), 83.456);
        QCOMPARE(w->pErgeb->text(), QString("00:01:23,4"));
        QCOMPARE(w->gbMemorieren->title(), QString("Wiedergabe"));
        QCOMPARE(w->bStartStop->text(), QString("Wiedergabe fertig"));
        QVERIFY(w->sgMemo->isHidden() && !w->sgReplay->isHidden());
        s.tickAt(1500);
        QCOMPARE(w->pErgeb->text(), QString("00:00:01,5"));

        s.typeGiven(95);
        s.tickAt(2000);
        w->bStartStop->click();
        QCOMPARE(w->phase(), quint8(TNumbersBase::Idle));
        QCOMPARE(w->memoPage->attempt().recallTimeUsed(), 2.0);
        QCOMPARE(w->pErgeb->text(), QString("00:00:02,0"));
        QCOMPARE(w->pPunkte->text(), QString("95"));
        QCOMPARE(w->pZiffern->text(), QString("95"));
        for (int r = 0; r <= lastRow; ++r)
            QCOMPARE(w->sgPoints->cell(0, r), QString::number(r < lastRow ? width : lastDigits));
        QCOMPARE(w->sgReplay->cellFontColor(1, 0), GridColor::Green);
        QCOMPARE(w->gbMemorieren->title(), QString("Ergebnis"));
        QCOMPARE(w->bStartStop->text(), QString("START"));
        QVERIFY(!w->bChange->isHidden() && w->bClose->isEnabled() && w->udAnzahlM->isEnabled());
        QVERIFY(!w->tZehntel->isActive());
        QCOMPARE(s.replayCursor(), (CellPos{1, 0}));
    }

    void bothTimeLimitsSignalAndMoveOnByThemselves()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.startAttempt(40, 1, 1);
        const quint32 memoStart = w->startTick();
        QList<int> beeps;
        for (quint32 ms = 100; w->phase() == TNumbersBase::Memorising; ms += 100) {
            const int before = s.services.wave.played.size();
            s.tickAt(ms);
            if (s.services.wave.played.size() > before)
                beeps << int(ms / 100);
        }
        QCOMPARE(beeps, QList<int>({500, 550, 560, 570, 580, 590}));
        QVERIFY(s.services.wave.played.startsWith("Sounds/Beep.wav"));
        // Recall started by itself at 60 s and shows the memorisation time used.
        QCOMPARE(w->phase(), quint8(TNumbersBase::Recalling));
        QCOMPARE(w->startTick(), memoStart + 60000);
        QCOMPARE(w->pErgeb->text(), QString("00:01:00,0"));

        s.type("12");
        s.tickAt(59999);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Recalling));
        s.tickAt(60000);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Idle));
        QCOMPARE(w->pErgeb->text(), QString("00:01:00"));
        QCOMPARE(w->memoPage->attempt().recallTimeUsed(), 60.0);
    }

    void lateTicksDoNotFalsifyTheTime()
    {
        Session s;
        TNumbersBase* w = s.win;
        // The tick counter wraps during the attempt.
        s.services.tick.ticks = 0xFFFFFFF0u - 5000;
        s.startAttempt(40, 5, 10);
        // Ticks that arrive late, or not at all, leave the clock right.
        s.tickAt(300);
        s.tickAt(7777);
        QVERIFY(s.services.tick.ticks < w->startTick());
        QCOMPARE(w->pErgeb->text(), QString("00:00:07,7"));
    }

    void typingBackFollowsTheTypistsRules()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.startAttempt(95);
        w->bStartStop->click();
        const int width = s.rowWidth();
        const int lastRow = 94 / width;
        const int lastDigits = 95 - lastRow * width;
        QCOMPARE(s.replayCursor(), (CellPos{1, 0}));
        const QString row = s.digits(width);
        s.type(row);
        QCOMPARE(s.replayCursor(), (CellPos{1, 1}));
        QCOMPARE(w->sgReplay->cell(width, 0), row.right(1));
        // Letters, punctuation, digits the window does not draw and Enter change nothing.
        s.type(w->constants().alphabetSize() < 10 ? "a.25" : "a.");
        QTest::keyClick(w->sgReplay, Qt::Key_Return);
        QCOMPARE(s.replayCursor(), (CellPos{1, 1}));
        QCOMPARE(w->sgReplay->cell(1, 1), QString());
        QTest::keyClick(w->sgReplay, Qt::Key_Backspace);
        // Backspace on column 1 empties the last column of the row above.
        QCOMPARE(s.replayCursor(), (CellPos{width, 0}));
        QCOMPARE(w->sgReplay->cell(width, 0), QString());
        // Space skips a digit.
        s.type(" ");
        QCOMPARE(s.replayCursor(), (CellPos{1, 1}));
        // Delete empties without moving.
        w->sgReplay->setCurrentCell(5, 0);
        QTest::keyClick(w->sgReplay, Qt::Key_Delete);
        QCOMPARE(w->sgReplay->cell(5, 0), QString());
        QCOMPARE(s.replayCursor(), (CellPos{5, 0}));
        // In the last row typing stops at the last digit.
        w->sgReplay->setCurrentCell(lastDigits - 2, lastRow);
        s.type(s.digits(5));
        QCOMPARE(s.replayCursor(), (CellPos{lastDigits, lastRow}));
        QCOMPARE(w->sgReplay->cell(lastDigits, lastRow), s.digits(5).right(1));
        // Backspace on the first cell empties it and stays.
        w->sgReplay->setCurrentCell(1, 0);
        QTest::keyClick(w->sgReplay, Qt::Key_Backspace);
        QCOMPARE(s.replayCursor(), (CellPos{1, 0}));
        QCOMPARE(w->sgReplay->cell(1, 0), QString());
        // The cursor rules apply with the recall sheet's own cursor: Ctrl+Right
        // jumps over the end of a row into the next, Ctrl+Left back.
        const int jump = w->constants().jumpWidth;
        w->sgReplay->setCurrentCell(width - 3, 0);
        QTest::keyClick(w->sgReplay, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(s.replayCursor(), (CellPos{jump - 3, 1}));
        QTest::keyClick(w->sgReplay, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(s.replayCursor(), (CellPos{width - 3, 0}));

        w->bStartStop->click();
        // After recall, characters do nothing but the cursor rules still hold.
        s.type("7");
        QCOMPARE(w->sgReplay->cell(1, 0), QString());
        QTest::keyClick(w->sgReplay, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(s.replayCursor(), (CellPos{lastDigits, lastRow}));
    }

    void memorisationSheetKeysFollowTheSheetRules()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.startAttempt(95);
        const int lastRow = 94 / s.rowWidth();
        const int lastDigits = 95 - lastRow * s.rowWidth();
        QTest::keyClick(w->sgMemo, Qt::Key_Left);
        QCOMPARE(w->sgMemo->currentCol(), 1);
        w->sgMemo->setCurrentCell(s.rowWidth() - 10, lastRow - 1);
        QTest::keyClick(w->sgMemo, Qt::Key_Down);
        QCOMPARE((CellPos{w->sgMemo->currentCol(), w->sgMemo->currentRow()}), (CellPos{lastDigits, lastRow}));
        QTest::keyClick(w->sgMemo, Qt::Key_PageUp);
        QCOMPARE((CellPos{w->sgMemo->currentCol(), w->sgMemo->currentRow()}), (CellPos{lastDigits, 0}));
        QTest::keyClick(w->sgMemo, Qt::Key_PageUp);
        QCOMPARE((CellPos{w->sgMemo->currentCol(), w->sgMemo->currentRow()}), (CellPos{1, 0}));
        // Recall takes over the cursor where the user left it.
        w->sgMemo->setCurrentCell(22, 1);
        w->bStartStop->click();
        QCOMPARE(s.replayCursor(), (CellPos{22, 1}));
    }

    void scrollingKeepsTheCursorInViewAndMovesThePoints()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.openMemoPage();
        w->bStartStop->click(); // without limit: 20000 digits in 500 rows (binary 667)
        const int rows = (20000 - 1) / s.rowWidth() + 1;
        QCOMPARE(w->memoPage->attempt().digitCount(), 20000);
        QCOMPARE(w->sgMemo->rowCount(), rows);
        QCOMPARE(w->sgMemo->cell(0, rows - 1), QString::number((rows - 1) * s.rowWidth()));
        w->sgMemo->setTopRow(100);
        QCOMPARE(w->sgMemo->currentRow(), 100);
        w->sgMemo->setTopRow(50);
        QCOMPARE(w->sgMemo->currentRow(), 59);
        w->bStartStop->click();
        QCOMPARE(w->sgReplay->topRow(), 50);
        QCOMPARE(w->sgPoints->topRow(), 50);
        w->sgReplay->setTopRow(200);
        QCOMPARE(w->sgReplay->currentRow(), 200);
        QCOMPARE(w->sgPoints->topRow(), 200);
    }

    void marksAndTheResultViewToggle()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.startAttempt(95);
        w->bStartStop->click();
        s.typeGiven(3);
        const QChar wrong = s.given(4, 0) == QChar('0') ? QChar('1') : QChar('0');
        s.type(QString(wrong));
        w->bStartStop->click();
        QCOMPARE(w->sgReplay->cellFontColor(3, 0), GridColor::Green);
        QCOMPARE(w->sgReplay->cellFontColor(4, 0), GridColor::Red);
        QCOMPARE(w->sgReplay->cellBackground(5, 0), GridColor::LightRed);
        QCOMPARE(w->sgReplay->cellBackground(1, 2), GridColor::LightRed);
        QCOMPARE(w->sgPoints->cell(0, 0), QString("2")); // 3 right, 1 wrong in the last written row
        QCOMPARE(w->pZiffern->text(), QString("3"));

        w->sgReplay->setCurrentCell(7, 2);
        w->bChange->click();
        QCOMPARE(w->bChange->text(), QString("Ergebnis anzeigen"));
        QCOMPARE(w->gbMemorieren->title(), QString("Vorgabe"));
        QVERIFY(!w->sgMemo->isHidden() && w->sgReplay->isHidden());
        QCOMPARE((CellPos{w->sgMemo->currentCol(), w->sgMemo->currentRow()}), (CellPos{7, 2}));
        w->sgMemo->setCurrentCell(9, 1);
        w->bChange->click();
        QCOMPARE(w->bChange->text(), QString("Vorgabe anzeigen"));
        QCOMPARE(w->gbMemorieren->title(), QString("Ergebnis"));
        QCOMPARE(s.replayCursor(), (CellPos{9, 1}));
    }

    void anEndedAttemptIsShownUnderEveryRuleSet_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("header");
        QTest::newRow("German") << 0 << "Meisterschaftspunkte";
        QTest::newRow("English") << 1 << "Championship points";
    }

    void anEndedAttemptIsShownUnderEveryRuleSet()
    {
        QFETCH(int, language);
        QFETCH(QString, header);
        Session s;
        s.program.main->context().Language = language;
        TNumbersBase* w = s.win;
        TRuleTable* table = w->memo->ruleTable;
        // Two full rows of the sheet, the first with one wrong digit.
        const int digits = 2 * s.rowWidth();
        s.startAttempt(digits);
        s.tickAt(1000);
        w->bStartStop->click();
        QCOMPARE(table->rowCount(), 0);
        s.typeGiven(digits);
        w->sgReplay->setCurrentCell(1, 0);
        s.type(s.given(1, 0) == QChar('0') ? QStringLiteral("1") : QStringLiteral("0"));
        s.tickAt(2000);
        w->bStartStop->click();
        QCOMPARE(table->horizontalHeaderItem(2)->text(), header);
        const bool decimal = s.k().memoCode == NumbersMemo;
        QCOMPARE(table->rowCount(), decimal ? 4 : 3);
        // The designed score stays where it was, and the first rule set is its rule.
        QCOMPARE(table->item(0, 1)->text(), w->pPunkte->text());
        const int half = (s.rowWidth() + 1) / 2;
        QCOMPARE(w->pPunkte->text(), QString::number(half + s.rowWidth()));
        const double standard = decimal ? 547 : 1000;
        QCOMPARE(table->item(0, 2)->text(),
                 FormatFixed((half + s.rowWidth()) / standard * 1000, 2) + QStringLiteral(" (2021)"));
        QCOMPARE(table->item(int(table->rowCount()) - 1, 1)->text(), QString::number(digits - 1));
        QCOMPARE(table->item(int(table->rowCount()) - 1, 2)->text(), QStringLiteral("–"));
        if (decimal)
            QCOMPARE(table->item(2, 1)->text(), QString::number(digits - 20));
        // The next START empties the table.
        w->bStartStop->click();
        QCOMPARE(table->rowCount(), 0);
    }

    void onlyTheMemorisationPageGrowsByTheTableOfRuleSets()
    {
        Session s;
        s.win->show();
        QCOMPARE(s.win->size(), QSize(913, 358));
        s.openMemoPage();
        QCOMPARE(s.win->size(), QSize(913, 358 + TNumbersMemoPage::tableHeight()));
        QVERIFY(s.win->memo->ruleTable->isVisible());
        QVERIFY(s.win->rect().contains(s.win->memo->ruleTable->geometry().translated(s.win->tsMemo->mapTo(
            s.win, QPoint()))));
        s.win->pcTraining->setCurrentWidget(s.win->tsBilder);
        QCOMPARE(s.win->size(), QSize(913, 358));
    }

    void aFormatFillsCountAndTimes()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.openMemoPage();
        TFormatChoice* formats = w->memo->cbFormat;
        const std::vector<FormatPreset>& presets = FormatPresetsOf(s.k().memoCode);
        QCOMPARE(formats->count(), int(presets.size()) + 1);
        for (int i = 0; i < int(presets.size()); ++i) {
            const AttemptRecord::Setting& format = presets[i].setting;
            formats->setCurrentIndex(i + 1);
            Q_EMIT formats->activated(i + 1);
            QCOMPARE(w->rbLimit->isChecked(), format.count.has_value());
            QCOMPARE(w->udAnzahlM->isEnabled(), format.count.has_value());
            if (format.count)
                QCOMPARE(w->udAnzahlM->value(), *format.count);
            QCOMPARE(w->udMemoZeit->value(), *format.memoMinutes);
            QCOMPARE(w->udReplay->value(), *format.recallMinutes);
            QCOMPARE(formats->currentIndex(), i + 1);
        }
        // The spin buttons stay the user's: a step by hand leaves the format.
        QTest::keyClick(w->udReplay, Qt::Key_Up);
        QCOMPARE(formats->currentIndex(), 0);
        // During an attempt no format can be chosen.
        w->bStartStop->click();
        QVERIFY(!formats->isEnabled());
    }

    void closingDuringAnAttemptKeepsItAndReopeningGoesOn()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.startAttempt(40, 1, 1);
        s.tickAt(10000);
        w->close();
        QCOMPARE(w->pErgeb->text(), QString("0,00"));
        QVERIFY(!w->tZehntel->isActive());
        QCOMPARE(w->phase(), quint8(TNumbersBase::Memorising));
        s.services.tick.ticks = w->startTick() + 70000;
        w->show();
        QVERIFY(!w->bClose->isEnabled());
        QTest::mouseClick(w->pcTraining->tabBar(), Qt::LeftButton, {},
                          w->pcTraining->tabBar()->tabRect(0).center());
        QCOMPARE(w->pcTraining->currentWidget(), w->tsMemo);
        // The clock runs again, and the limit that passed meanwhile ends memorising.
        QVERIFY(w->tZehntel->isActive());
        w->tZehntelTimer();
        QCOMPARE(w->phase(), quint8(TNumbersBase::Recalling));
        // No more than the limit counts as used, however late the window came back.
        QCOMPARE(w->memoPage->attempt().memoTimeUsed(), 60.0);
        QCOMPARE(w->pErgeb->text(), QString("00:01:00,0"));
        // The same for recall left open for days: the record would not even fit its field.
        w->close();
        s.services.tick.ticks = w->startTick() + 3u * 86400000u;
        w->show();
        w->tZehntelTimer();
        QCOMPARE(w->phase(), quint8(TNumbersBase::Idle));
        QCOMPARE(w->memoPage->attempt().recallTimeUsed(), 60.0);
        QVERIFY(s.services.dialogs.errors.isEmpty());
    }

    void pictureSettingsAreRemembered()
    {
        FakeServices services;
        TempProgramDir dir;
        // What the settings file holds on a first start.
        {
            Program first(services, dir);
            const NumbersWindowConstants& k = first.win->constants();
            const QString word = QString::fromLatin1(k.settingsWord);
            QCOMPARE(first.win->udAnzahl->value(), k.anzahl.value);
            QCOMPARE(first.win->udZeile->value(), k.zeile.value);
            QCOMPARE(first.win->udAnzahlM->value(), k.anzahlM.value);
            QCOMPARE(IniFile(dir.file("BRAIN.INI")).ReadInteger("Korvanis", "Training " + word + " Anzahl", 0),
                     k.anzahl.value);
            QCOMPARE(IniFile(dir.file("BRAIN.INI")).ReadInteger("Korvanis", "Training " + word + " Zeile", 0),
                     k.zeile.value);
        }
        const bool binary = windowUnderTest() == "WinBinaer";
        const QByteArray word = binary ? "Binaer" : "Zahlen";
        const int defaultLine = binary ? 6 : 2;
        const QByteArray tooLong = binary ? "31" : "11";
        QVERIFY(WriteBytes(dir.file("BRAIN.INI"), "[Korvanis]\r\nSprache=0\r\nTraining " + word
                                                      + " Anzahl=350\r\nTraining " + word + " Zeile=" + tooLong
                                                      + "\r\n"));
        {
            Program program(services, dir);
            QCOMPARE(program.win->udAnzahl->value(), 350);
            // Above the maximum: refused, and the value the spin button starts with is written back at once.
            QCOMPARE(program.win->udZeile->value(), defaultLine);
            QCOMPARE(IniFile(dir.file("BRAIN.INI")).ReadInteger("Korvanis", "Training " + word + " Zeile", 0),
                     defaultLine);
            program.win->show();
            program.win->udAnzahl->setValue(420);
            program.win->udZeile->setValue(4);
            program.win->udAnzahlM->setValue(1000);
            program.win->bClose->click();
        }
        Program again(services, dir);
        QCOMPARE(again.win->udAnzahl->value(), 420);
        QCOMPARE(again.win->udZeile->value(), 4);
        QCOMPARE(again.win->udAnzahlM->value(), again.win->constants().anzahlM.value);
        QVERIFY(again.win->rbNoLimit->isChecked());
    }

    void spinStepsOutOfRangeAreRefused()
    {
        QFETCH_GLOBAL(QList<int>, lineSteps);
        Session s;
        TNumbersBase* w = s.win;
        // Stepping up from the default walks the steps up to the maximum, and no
        // further; stepping below 1 is refused.
        QList<int> seen;
        for (int i = 0; i < 20; ++i) {
            w->udZeile->stepBy(1);
            if (seen.isEmpty() || seen.last() != w->udZeile->value())
                seen << w->udZeile->value();
        }
        QCOMPARE(seen, lineSteps);
        w->udZeile->setValue(1);
        w->udZeile->stepBy(-1);
        QCOMPARE(w->udZeile->value(), 1);
        w->udAnzahl->setValue(200);
        w->udAnzahl->stepBy(1);
        QCOMPARE(w->udAnzahl->value(), 210);
    }

    void pictureRunsShowTheirGroups_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("perLine");
        QTest::addColumn<QList<int>>("groups");
        QTest::addColumn<QString>("how");
        QList<int> hundredPairs;
        for (int i = 0; i < 100; ++i)
            hundredPairs << 2;
        const QList<int> tenPairs = hundredPairs.mid(0, 10);
        QTest::newRow("200 in lines of 2") << 200 << 2 << hundredPairs << "click";
        QTest::newRow("7 in lines of 3") << 7 << 3 << QList<int>({3, 3, 1}) << "click";
        QTest::newRow("5 in lines of 10") << 5 << 10 << QList<int>({5}) << "click";
        // Every second press arrives as the system's double click.
        QTest::newRow("fast clicks") << 20 << 2 << tenPairs << "double click";
        QTest::newRow("Space") << 20 << 2 << tenPairs << "Space";
        QTest::newRow("Right") << 20 << 2 << tenPairs << "Right";
        QTest::newRow("time-per-line panel") << 20 << 2 << tenPairs << "speed panel";
    }

    void pictureRunsShowTheirGroups()
    {
        QFETCH(int, count);
        QFETCH(int, perLine);
        QFETCH(QList<int>, groups);
        QFETCH(QString, how);
        Session s;
        TNumbersBase* w = s.win;
        w->show();
        w->udAnzahl->setValue(count);
        w->udZeile->setValue(perLine);
        s.services.dialogs.defaultAnswer = false;
        w->bStartStop->click();
        QCOMPARE(w->bClose->isEnabled(), true);
        QVERIFY(!w->udAnzahl->isEnabled());
        // The run has the focus, never "Schliessen", where Space would close the window.
        QCOMPARE(w->focusWidget(), w->pZahlen);
        if (how == "speed panel" && !w->constants().speedPanelAdvances) {
            // Only the binary window takes clicks on the time-per-line panel.
            const QString shown = w->pZahlen->text();
            QTest::mouseClick(w->pSpeedZahlen, Qt::LeftButton);
            QCOMPARE(w->pZahlen->text(), shown);
            return;
        }
        QList<int> seen;
        for (int press = 0; w->phase() == TNumbersBase::Running && press < 1000; ++press) {
            seen << w->pZahlen->text().size();
            for (QChar digit : w->pZahlen->text())
                QVERIFY(s.digits(w->constants().alphabetSize()).contains(digit));
            s.services.tick.ticks += 10;
            if (how == "click")
                QTest::mouseClick(w->pZahlen, Qt::LeftButton);
            else if (how == "speed panel")
                QTest::mouseClick(w->pSpeedZahlen, Qt::LeftButton);
            else if (how == "double click")
                press % 2 ? sendMouse(w->pZahlen, {QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
                          : QTest::mouseClick(w->pZahlen, Qt::LeftButton);
            else
                QTest::keyClick(w->focusWidget(), how == "Space" ? Qt::Key_Space : Qt::Key_Right);
        }
        QCOMPARE(seen, groups);
        QCOMPARE(w->focusWidget(), w->udAnzahl);
        QCOMPARE(w->pErgeb->text(), FormatFixed(groups.size() * 0.01, 2));
        QCOMPARE(w->pZahlen->text(), QString());
        QCOMPARE(s.services.dialogs.questions.size(), 1);
        // Declined: the best time keeps its value, now with the suffix.
        QCOMPARE(w->pRekZahlen->text(), QString("99999,00s"));
    }

    void aDoubleClickOnStartStopActsOnce()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.openMemoPage();
        w->rbLimit->click();
        w->udAnzahlM->setValue(40);
        const quint64 interval = quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        const quint32 first = s.services.tick.ticks;
        const auto click = [&](quint64 at) {
            s.services.tick.ticks = first + quint32(at - 10000);
            sendMouse(w->bStartStop, {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}, at);
        };
        click(10000);
        click(10000 + interval - 1);
        sendMouse(w->bStartStop, {QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}, 10000 + interval - 1);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Memorising));
        click(10000 + 2 * interval);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Recalling));
        QCOMPARE(w->focusWidget(), w->sgReplay);
        click(10000 + 2 * interval + 50);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Recalling));
    }

    void aSecondStartStopPressCloseAfterTheFirstIsDropped_data()
    {
        QTest::addColumn<QString>("second");
        QTest::newRow("Ctrl+Return again") << "keys";
        QTest::newRow("Ctrl+Return held, flagged") << "flagged";
        QTest::newRow("Ctrl+Return held, as X sends it") << "held";
        QTest::newRow("a click after the keys") << "click";
    }

    void aSecondStartStopPressCloseAfterTheFirstIsDropped()
    {
        QFETCH(QString, second);
        Session s;
        TNumbersBase* w = s.win;
        s.openMemoPage();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->rbLimit->click();
        w->udAnzahlM->setValue(40);
        const auto again = [&](quint64 at) {
            s.services.tick.advance(120);
            QWidget* focus = w->focusWidget();
            if (second == "keys") {
                SendKey(focus, QEvent::KeyRelease, Qt::Key_Return, Qt::ControlModifier, false, at - 60);
                SendKey(focus, QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, false, at);
            } else if (second == "flagged") {
                SendKey(focus, QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, true, at);
            } else if (second == "held") {
                HoldKey(focus, Qt::Key_Return, Qt::ControlModifier, 0, at);
                SendKey(focus, QEvent::KeyRelease, Qt::Key_Return, Qt::ControlModifier, false, at + 500);
                SendKey(focus, QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, false, at + 500);
            } else {
                sendMouse(w->bStartStop, {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}, at);
            }
        };
        SendKey(w->focusWidget(), QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, false, 1000);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Memorising));
        again(1120);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Memorising));
        s.services.tick.advance(5000);
        SendKey(w->focusWidget(), QEvent::KeyRelease, Qt::Key_Return, Qt::ControlModifier, false, 6000);
        SendKey(w->focusWidget(), QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, false, 7000);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Recalling));
        again(7120);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Recalling));
        QVERIFY(s.services.dialogs.questions.isEmpty());
    }

    void aHeldKeyAdvancesARunOnce_data()
    {
        QTest::addColumn<bool>("flagged");
        QTest::addColumn<bool>("paired");
        QTest::newRow("repeats flagged") << true << false;
        QTest::newRow("pairs as X sends them") << false << true;
        QTest::newRow("presses without releases") << false << false;
    }

    void aHeldKeyAdvancesARunOnce()
    {
        QFETCH(bool, flagged);
        QFETCH(bool, paired);
        Session s;
        TNumbersBase* w = s.win;
        w->show();
        w->udAnzahl->setValue(w->udZeile->value() * 3);
        w->bStartStop->click();
        QCOMPARE(w->focusWidget(), w->pZahlen);
        const QString first = w->pZahlen->text();
        SendKey(w->pZahlen, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, false, 2000);
        const QString secondLine = w->pZahlen->text();
        QVERIFY(secondLine != first || w->picturePage->run().drill().current().first > 0);
        for (int k = 0; k < 30; ++k) {
            const quint64 at = 2500 + quint64(k) * 33;
            if (paired)
                SendKey(w->pZahlen, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, false, at);
            SendKey(w->pZahlen, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, flagged, at);
        }
        QCOMPARE(w->picturePage->run().drill().current().first, w->udZeile->value());
        QCOMPARE(w->phase(), quint8(TNumbersBase::Running));
        QCOMPARE(w->picturePage->labFortschritt->text(), QString("Gruppe 2 von 3"));
        // Let go and pressed anew, the key goes on.
        SendKey(w->pZahlen, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, false, 4000);
        SendKey(w->pZahlen, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, false, 4300);
        QCOMPARE(w->picturePage->run().drill().current().first, 2 * w->udZeile->value());
        QCOMPARE(w->picturePage->labFortschritt->text(), QString("Gruppe 3 von 3"));
        SendKey(w->pZahlen, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, false, 4400);
        SendKey(w->pZahlen, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, false, 4700);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Idle));
        QCOMPARE(w->picturePage->labFortschritt->text(), QString());
        // The focus is back on the settings the next run starts from.
        QCOMPARE(w->focusWidget(), w->udAnzahl);
    }

    void theKeyboardLeavesTheSheets()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.attempt(40, 40);
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->sgReplay->setFocus();
        const CellPos cursor = s.replayCursor();
        // Tab and Shift+Tab go to the next control; the cursor keys stay inside.
        QTest::keyClick(w->sgReplay, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != w->sgReplay);
        QCOMPARE(s.replayCursor(), cursor);
        w->sgReplay->setFocus();
        QTest::keyClick(w->sgReplay, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(QApplication::focusWidget() != w->sgReplay);
        w->sgReplay->setFocus();
        QTest::keyClick(w->sgReplay, Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), w->sgReplay);
        // F6 moves to another part of the window, Shift+F6 back to the sheets.
        QTest::keyClick(w->sgReplay, Qt::Key_F6);
        QWidget* other = QApplication::focusWidget();
        QVERIFY(other && !w->gbMemorieren->isAncestorOf(other));
        for (int k = 0; k < 3 && !w->gbMemorieren->isAncestorOf(QApplication::focusWidget()); ++k)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w->sgReplay);
        // Ctrl+Tab from the sheets turns the page.
        QTest::keyClick(w->sgReplay, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w->pcTraining->currentWidget(), w->tsBilder);
    }

    void everyControlHasAKey_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("German") << 0;
        QTest::newRow("English") << 1;
    }

    void everyControlHasAKey()
    {
        QFETCH(int, language);
        Session s;
        s.program.main->context().Language = language;
        TNumbersBase* w = s.win;
        s.attempt(40, 40);
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QString letters;
        QStringList captions;
        for (int tab = 0; tab < w->pcTraining->count(); ++tab)
            captions << w->pcTraining->tabText(tab);
        for (QWidget* control : std::initializer_list<QWidget*>{w->lab1, w->lab2, w->rbNoLimit, w->rbLimit, w->lab4,
                                                                w->lab5, w->lab6, w->bClose})
            captions << (qobject_cast<QLabel*>(control) ? qobject_cast<QLabel*>(control)->text()
                                                        : qobject_cast<QAbstractButton*>(control)->text());
        for (const QString& caption : std::as_const(captions)) {
            const QChar letter = MnemonicOf(caption);
            QVERIFY2(!letter.isNull(), qPrintable(caption));
            QVERIFY2(!letters.contains(letter), qPrintable(caption));
            letters += letter;
        }
        // The shown keys of START/STOP and the result view's toggle.
        QVERIFY(!w->findChild<QLabel*>("labStartKeys")->text().isEmpty());
        QVERIFY(w->bChange->isVisible());
        const QString before = w->bChange->text();
        QTest::keyClick(w->sgReplay, Qt::Key_F2);
        QVERIFY(w->bChange->text() != before);
        QVERIFY(w->sgMemo->isVisible() && !w->sgReplay->isVisible());
        // Alt and a page's letter turn to that page.
        QTest::keyClick(QApplication::focusWidget(), MnemonicOf(w->pcTraining->tabText(0)).toLatin1(),
                        Qt::AltModifier);
        QCOMPARE(w->pcTraining->currentWidget(), w->tsBilder);
    }

    void theResultShowsTheRightDigitsAndThePace_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("pace");
        QTest::newRow("German") << 0 << "richtig: %1" << "Memorierzeit %1 – %2 Ziffern pro Minute";
        QTest::newRow("English") << 1 << "right: %1" << "Memorisation time %1 – %2 digits per minute";
    }

    void theResultShowsTheRightDigitsAndThePace()
    {
        QFETCH(int, language);
        QFETCH(QString, toolTip);
        QFETCH(QString, pace);
        if (language == 1)
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        Session s;
        s.program.main->context().Language = language;
        TNumbersBase* w = s.win;
        const int width = s.rowWidth();
        s.startAttempt(width);
        s.tickAt(80000);
        w->bStartStop->click();
        // One row, its digits 3 and 7 typed wrong.
        for (int i = 0; i < width; ++i) {
            const QString given = s.given(i + 1, 0);
            const bool wrong = i == 2 || i == 6;
            s.type(wrong ? QString(QChar(u'0' + (given.at(0).unicode() - u'0' + 1) % s.k().alphabetSize())) : given);
        }
        s.tickAt(1000);
        w->bStartStop->click();
        for (int col = 1; col <= width; ++col) {
            const bool wrong = col == 3 || col == 7;
            QCOMPARE(w->sgReplay->cellHint(col, 0), wrong ? s.given(col, 0) : QString());
            QCOMPARE(w->sgReplay->cellToolTip(col, 0), wrong ? toolTip.arg(s.given(col, 0)) : QString());
        }
        QCOMPARE(w->pZiffern->text(), QString::number(width - 2));
        // The pace counts the digits recalled right.
        QCOMPARE(w->sheets->labPace->text(), pace.arg(ClockText(80000), FormatFixed((width - 2) * 60.0 / 80.0, 1)));
        // The next attempt starts clean.
        s.services.tick.advance(1000);
        s.startAttempt(width);
        QCOMPARE(w->sgReplay->cellHint(3, 0), QString());
        QCOMPARE(w->sheets->labPace->text(), QString());
    }

    void memorisationValuesAreKeptOnlyWhenChosen_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("as designed") << false;
        QTest::newRow("Werte merken") << true;
    }

    void memorisationValuesAreKeptOnlyWhenChosen()
    {
        QFETCH(bool, keep);
        Session s;
        TNumbersBase* w = s.win;
        const NumbersWindowConstants k = s.k();
        const QByteArray designedFile = ReadBytes(s.dir.file("BRAIN.INI"));
        s.openMemoPage();
        QVERIFY(!w->chbMerken->isChecked());
        w->rbLimit->click();
        w->udAnzahlM->setValue(k.anzahlM.value + k.anzahlM.step);
        w->udMemoZeit->setValue(k.memoZeit.value + k.memoZeit.step);
        w->udReplay->setValue(k.replay.value + k.replay.step);
        w->chbMerken->setChecked(keep);
        w->close();
        if (!keep)
            QCOMPARE(ReadBytes(s.dir.file("BRAIN.INI")), designedFile);

        s.program.main.reset();
        Program again(s.services, s.dir);
        TNumbersBase* v = again.win;
        QCOMPARE(v->chbMerken->isChecked(), keep);
        QCOMPARE(v->rbLimit->isChecked(), keep);
        QCOMPARE(v->udAnzahlM->isEnabled(), keep);
        QCOMPARE(v->udAnzahlM->value(), k.anzahlM.value + (keep ? k.anzahlM.step : 0));
        QCOMPARE(v->udMemoZeit->value(), k.memoZeit.value + (keep ? k.memoZeit.step : 0));
        QCOMPARE(v->udReplay->value(), k.replay.value + (keep ? k.replay.step : 0));
        // Unticked again, the next start is the designed one once more.
        v->show();
        v->chbMerken->setChecked(false);
        v->close();
        again.main.reset();
        Program third(s.services, s.dir);
        QVERIFY(!third.win->chbMerken->isChecked() && third.win->rbNoLimit->isChecked());
        QCOMPARE(third.win->udMemoZeit->value(), k.memoZeit.value);
    }

    void theSheetsShowTheChosenSizeAndGroups_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("grouping");
        QTest::addColumn<int>("rowsShown");
        QTest::newRow("designed") << 0 << 0 << 10;
        QTest::newRow("large pairs") << 1 << 1 << 6;
        QTest::newRow("larger, 4-3-3") << 2 << 3 << 5;
    }

    void theSheetsShowTheChosenSizeAndGroups()
    {
        QFETCH(int, size);
        QFETCH(int, grouping);
        QFETCH(int, rowsShown);
        Session s;
        TNumbersBase* w = s.win;
        const QByteArray designedFile = ReadBytes(s.dir.file("BRAIN.INI"));
        s.openMemoPage();
        const QRect designed = w->sgMemo->geometry();
        w->memo->view->cbGroesse->setCurrentIndex(size);
        w->memo->view->cbGruppen->setCurrentIndex(grouping);
        const SheetView view = SheetView::fromChoices(size, grouping);
        s.startAttempt(s.rowWidth() * 20);
        for (TStringAlignGrid* sheet : {w->sgMemo, w->sgReplay}) {
            QCOMPARE(sheet->colWidth(5), view.columnWidth());
            QCOMPARE(sheet->colFont(5).pixelSize(), view.digitPx());
            QCOMPARE(sheet->defaultRowHeight(), view.rowHeight());
            for (int col = 1; col <= s.rowWidth(); ++col) {
                QCOMPARE(sheet->colStartsGroup(col), view.startsGroup(col));
                QCOMPARE(sheet->colShaded(col), view.shaded(col));
            }
        }
        // The sheets keep their place and width; larger digits show fewer rows.
        QCOMPARE(w->sgMemo->geometry().topLeft(), designed.topLeft());
        QCOMPARE(w->sgMemo->width(), designed.width());
        QVERIFY(w->sgMemo->geometry().bottom() <= designed.bottom());
        QCOMPARE(w->sheets->geometry().pageRows, rowsShown - 1);
        QCOMPARE(w->sgMemo->visibleRowCount(), rowsShown);
        // A page is the rows on show.
        QTest::keyClick(w->sgMemo, Qt::Key_PageDown);
        QCOMPARE(w->sgMemo->currentRow(), rowsShown);
        // The last digit of a row is reached, scrolling sideways where it must.
        QTest::keyClick(w->sgMemo, Qt::Key_End);
        QCOMPARE(w->sgMemo->currentCol(), s.rowWidth());
        QVERIFY(w->sgMemo->visualRect(w->sgMemo->model()->index(w->sgMemo->currentRow(), s.rowWidth()))
                    .intersects(w->sgMemo->viewport()->rect()));
        QCOMPARE(w->sheets->columnHeadings.first()->isVisible(), size == 0);

        // The choice outlives the program; the designed one leaves the file alone.
        s.tickAt(1000);
        w->bStartStop->click();
        s.tickAt(1000);
        w->bStartStop->click();
        w->close();
        if (size == 0 && grouping == 0)
            QCOMPARE(ReadBytes(s.dir.file("BRAIN.INI")), designedFile);
        s.program.main.reset();
        Program again(s.services, s.dir);
        QCOMPARE(again.win->memo->view->cbGroesse->currentIndex(), size);
        QCOMPARE(again.win->memo->view->cbGruppen->currentIndex(), grouping);
        QCOMPARE(again.win->sgReplay->colWidth(5), view.columnWidth());
    }

    void anAttemptRunsFromTheKeyboard()
    {
        Session s;
        TNumbersBase* w = s.win;
        s.openMemoPage();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->bStartStop->toolTip(), QKeySequence(Qt::CTRL | Qt::Key_Return).toString(QKeySequence::NativeText));
        w->rbLimit->click();
        w->udAnzahlM->setValue(3);
        QTest::keyClick(w, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Memorising));
        QCOMPARE(w->focusWidget(), w->sgMemo);
        s.services.tick.advance(1000);
        QTest::keyClick(w->sgMemo, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Recalling));
        QCOMPARE(w->focusWidget(), w->sgReplay);
        s.typeGiven(3);
        s.services.tick.advance(1000);
        QTest::keyClick(w->sgReplay, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(w->phase(), quint8(TNumbersBase::Idle));
        QCOMPARE(w->pPunkte->text(), QString("3"));
    }

    void aBrokenOffRunIsNoResult()
    {
        Session s;
        TNumbersBase* w = s.win;
        w->show();
        w->bStartStop->click();
        QTest::mouseClick(w->pZahlen, Qt::LeftButton);
        s.services.tick.ticks += 1234;
        w->bStartStop->click();
        QCOMPARE(w->phase(), quint8(TNumbersBase::Idle));
        QCOMPARE(w->pErgeb->text(), QString("1,23"));
        QVERIFY(s.services.dialogs.questions.isEmpty());
        // Clicks while idle do nothing.
        QTest::mouseClick(w->pZahlen, Qt::LeftButton);
        QCOMPARE(w->pZahlen->text(), QString());
    }

    void timePerLineUsesARealDivision()
    {
        Session s;
        TNumbersBase* w = s.win;
        w->show();
        w->udAnzahl->setValue(200);
        w->udZeile->setValue(3);
        QCOMPARE(w->pRekZahlen->text(), QString("99999"));
        QCOMPARE(w->pSpeedZahlen->text(), FormatFixed(99999 / (200 / 3.0), 2) + "s");
        QLocale::setDefault(QLocale::c());
        w->udAnzahl->stepBy(1);
        QCOMPARE(w->pSpeedZahlen->text(), QString("1428.56s"));
    }

    void aHigherTotalIsOfferedAsARecord_data()
    {
        QTest::addColumn<int>("typed");
        QTest::addColumn<bool>("offered");
        QTest::newRow("equal to the record") << 380 << false;
        QTest::newRow("one more") << 381 << true;
    }

    void aHigherTotalIsOfferedAsARecord()
    {
        QFETCH(int, typed);
        QFETCH(bool, offered);
        Session s;
        const int code = s.k().memoCode;
        // A record of the other number window is not this window's.
        s.records().StorePointsRecord(code == 10 ? 11 : 10, 400, 300, 600, 390, 250, 500);
        s.records().StorePointsRecord(code, 400, 300, 600, 380, 250, 500);
        s.openMemoPage();
        QCOMPARE(s.win->pPunkteRekord->text(), QString("380"));
        s.attempt(400, typed);
        QCOMPARE(s.win->pPunkte->text(), QString::number(typed));
        QCOMPARE(s.services.dialogs.questions.size(), offered ? 1 : 0);
        if (offered) {
            QCOMPARE(s.services.dialogs.questions.first(), QString("Neuer Rekord! Wollen Sie ihn speichern?"));
            QCOMPARE(s.win->pPunkteRekord->text(), QString::number(typed));
            QCOMPARE(s.records().LookupPointsRecord(code, 300, 600), std::optional<double>(typed));
        }
    }

    void aSavedRecordOutlivesTheProgram()
    {
        FakeServices services;
        TempProgramDir dir;
        {
            Program program(services, dir);
            TNumbersBase* w = program.win;
            w->show();
            w->pcTraining->setCurrentWidget(w->tsMemo);
            w->rbLimit->click();
            w->udAnzahlM->setValue(95);
            w->bStartStop->click();
            services.tick.advance(83456);
            w->bStartStop->click();
            const int width = w->constants().rowWidth;
            for (int i = 0; i < 95; ++i)
                QTest::keyClick(w->sgReplay, w->sgMemo->cell(i % width + 1, i / width).at(0).toLatin1());
            services.tick.advance(42500);
            w->bStartStop->click();
            QCOMPARE(services.dialogs.questions.size(), 1);
            QCOMPARE(w->pPunkteRekord->text(), QString("95"));
        }
        {
            Program again(services, dir);
            again.win->show();
            again.win->pcTraining->setCurrentWidget(again.win->tsMemo);
            QCOMPARE(again.win->pPunkteRekord->text(), QString("95"));
            // Another recall time has no record.
            again.win->udReplay->stepBy(1);
            QCOMPARE(again.win->udReplay->value(), 15);
            QCOMPARE(again.win->pPunkteRekord->text(), QString("0"));
        }
        // What an independent reader finds in the table.
        bool ok = false;
        QString errors;
        const QString out = RunPython(R"(
import sys, dbfread
for r in dbfread.DBF(sys.argv[1], load=True):
    print(r["DISZIPLIN"], r["ANZAHL"], r["PUNKTE"], r["ZEILE"], r["ZEIT"], r["REPLAYZEIT"],
          r["ZEIT_NUTZ"], r["REPL_NUTZ"], r["DATUM"])
)",
                                      {dir.file("KORVANIS.DBF")}, &ok, &errors);
        QVERIFY2(ok, qPrintable(errors));
        QCOMPARE(out.trimmed(), QString("%1 95 95.0 None 300.0 600.0 83.46 42.5 %2")
                                    .arg(windowUnderTest() == "WinBinaer" ? 11 : 10)
                                    .arg(QDate::currentDate().toString(Qt::ISODate)));
    }

    void aFasterPictureRunIsStoredAndShown()
    {
        FakeServices services;
        TempProgramDir dir;
        {
            Program program(services, dir);
            TNumbersBase* w = program.win;
            w->show();
            w->udAnzahl->setValue(200);
            w->udZeile->setValue(2);
            w->bStartStop->click();
            for (int group = 1; group < w->picturePage->run().drill().groupCount(); ++group)
                w->pZahlenClick();
            services.tick.ticks = w->startTick() + 45678;
            w->pZahlenClick();
            QCOMPARE(services.dialogs.questions.size(), 1);
            QCOMPARE(w->pErgeb->text(), QString("45,68"));
            QCOMPARE(w->pRekZahlen->text(), QString("45,68s"));
            QCOMPARE(w->pSpeedZahlen->text(), QString("0,46s"));
            QCOMPARE(w->picturePage->bestTime(), 45.678);
            // A slower run is not offered.
            w->bStartStop->click();
            for (int group = 1; group < w->picturePage->run().drill().groupCount(); ++group)
                w->pZahlenClick();
            services.tick.ticks = w->startTick() + 50000;
            w->pZahlenClick();
            QCOMPARE(services.dialogs.questions.size(), 1);
            w->bClose->click();
        }
        Program again(services, dir);
        again.win->show();
        QCOMPARE(again.win->pRekZahlen->text(), QString("45,68"));
        QCOMPARE(again.win->pSpeedZahlen->text(), QString("0,46s"));
        again.win->udAnzahl->stepBy(1);
        QCOMPARE(again.win->pRekZahlen->text(), QString("99999"));
        QCOMPARE(again.win->pSpeedZahlen->text(), FormatFixed(99999 / (210 / 2.0), 2) + "s");
    }

    void timesBeyondTheTableAreNeverOffered()
    {
        Session s;
        s.openMemoPage();
        s.win->udMemoZeit->setValue(1667);
        QCOMPARE(s.win->pPunkteRekord->text(), QString("0"));
        s.attempt(40, 40, 1667, 10);
        QCOMPARE(s.win->pPunkte->text(), QString("40"));
        QVERIFY(s.services.dialogs.questions.isEmpty());
        QVERIFY(s.services.dialogs.errors.isEmpty());
        // 1666 minutes still fit.
        s.attempt(40, 40, 1666, 10);
        QCOMPARE(s.services.dialogs.questions.size(), 1);
    }

    void eachAttemptIsReportedWhenItEnds_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("tableOpen");
        QTest::addColumn<bool>("saved");
        QTest::newRow("picture run saved") << "run" << true << true << true;
        QTest::newRow("picture run not saved") << "run" << false << true << false;
        QTest::newRow("broken-off run") << "broken-off run" << true << true << false;
        QTest::newRow("memorisation saved") << "memorisation" << true << true << true;
        // The empty cell before the last entry is an error as much as the wrong digit.
        QTest::newRow("memorisation with a gap") << "memorisation with a gap" << true << true << true;
        QTest::newRow("memorisation not saved") << "memorisation" << false << true << false;
        QTest::newRow("record refused by the table") << "memorisation" << true << false << false;
    }

    void eachAttemptIsReportedWhenItEnds()
    {
        QFETCH(QString, what);
        QFETCH(bool, yes);
        QFETCH(bool, tableOpen);
        QFETCH(bool, saved);
        Session s;
        TNumbersBase* w = s.win;
        RecordingAttemptLog log;
        s.program.main->context().attemptLog = &log;
        if (!tableOpen)
            s.records().CloseRecordsTable();
        s.services.dialogs.defaultAnswer = yes;
        AttemptRecord expected;
        if (what.startsWith("memorisation")) {
            const bool gap = what.endsWith("gap");
            s.startAttempt(40, 5, 10);
            s.tickAt(83456);
            w->bStartStop->click();
            s.typeGiven(gap ? 36 : 38);
            const int width = s.rowWidth();
            if (gap)
                s.type(" " + s.given(38 % width, 37 / width));
            s.type(s.given(38 % width + 1, 38 / width) == "0" ? "1" : "0");
            s.tickAt(42500);
            QVERIFY(log.attempts.empty());
            w->bStartStop->click();
            expected.discipline = s.k().memoCode;
            expected.setting = {40, {}, 5, 10, {}};
            // What the window showed is what the history keeps.
            expected.result = {{}, w->pPunkte->text().toInt(), gap ? 37 : 38, gap ? 2 : 1, 83.456, 42.5};
        } else {
            w->show();
            w->udAnzahl->setValue(12);
            w->udZeile->setValue(3);
            w->bStartStop->click();
            w->pZahlenClick();
            if (what == "run") {
                w->pZahlenClick();
                w->pZahlenClick();
                s.services.tick.ticks = w->startTick() + 4567;
                QVERIFY(log.attempts.empty());
                w->pZahlenClick();
            } else {
                s.services.tick.ticks = w->startTick() + 1234;
                w->bStartStop->click();
            }
            expected.discipline = s.k().pictureCode;
            expected.setting = {12, 3, {}, {}, {}};
            expected.result.runSeconds = what == "run" ? 4.567 : 1.234;
            expected.completed = what == "run";
        }
        // Only points above 0 are offered as a record.
        expected.savedAsRecord = saved && expected.result.points.value_or(1) > 0;
        QCOMPARE(w->phase(), quint8(TNumbersBase::Idle));
        QCOMPARE(log.attempts.size(), 1u);
        // The items go with it: the material, what was typed and when.
        AttemptRecord reported = log.attempts[0];
        const Attempt items = reported.items;
        const int perRow = reported.itemsPerRow;
        reported.items = Attempt();
        reported.itemsPerRow = 0;
        QCOMPARE(reported, expected);
        if (what.startsWith("memorisation")) {
            QCOMPARE(items.size(), 40);
            QCOMPARE(perRow, s.rowWidth());
            QCOMPARE(items.answers.left(36), items.given.left(36));
            QVERIFY(items.answers.at(38) != 0 && items.answers.at(38) != items.given.at(38));
            QCOMPARE(items.answers.at(39), '\0');
            QCOMPARE(items.answeredAtMs.size(), 40);
            QVERIFY(items.answeredAtMs.at(38) >= items.answeredAtMs.at(0) && items.answeredAtMs.at(0) >= 0);
        } else {
            QCOMPARE(items.size(), 12);
            QCOMPARE(perRow, 0);
            QCOMPARE(items.shownAtMs.size(), 12);
            QCOMPARE(items.shownAtMs.at(0), 0);
        }
        QCOMPARE(s.services.dialogs.errors.size(), tableOpen ? 0 : 1);
    }

    void theProgramsHistoryKeepsTheAttempt_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("writable") << false;
        QTest::newRow("marked read-only") << true;
    }

    void theProgramsHistoryKeepsTheAttempt()
    {
        QFETCH(bool, readOnly);
        const QString file = "KORVANIS.SQLITE";
        Session s([&](const TempProgramDir& dir) {
            HistoryStore history;
            history.open(dir.path());
            history.record(AttemptRecord());
            if (readOnly)
                QFile::setPermissions(dir.file(file), QFile::ReadOwner);
        });
        const QByteArray before = ReadBytes(s.dir.file(file));
        s.attempt(40, 40, 5, 10);
        s.attempt(40, 40, 5, 10);
        // A history that cannot be written is told once; the window does not wait on it.
        QCOMPARE(s.services.dialogs.errors.size(), readOnly ? 1 : 0);
        QCOMPARE(s.win->phase(), quint8(TNumbersBase::Idle));
        QCOMPARE(s.win->pPunkte->text(), QString("40"));
        QCOMPARE(s.records().LookupPointsRecord(s.k().memoCode, 300, 600), std::optional<double>(40));
        HistoryStore& history = s.program.main->history();
        const std::vector<StoredAttempt> stored = history.attempts(s.k().memoCode, {40, {}, 5, 10, {}});
        QCOMPARE(stored.size(), readOnly ? 0u : 2u);
        if (readOnly) {
            QCOMPARE(ReadBytes(s.dir.file(file)), before);
            return;
        }
        QCOMPARE(stored[0].attempt.result.points, std::optional<int>(40));
        QVERIFY(qAbs(stored[0].started.secsTo(QDateTime::currentDateTime()) - 3) <= 2);
    }

    void aStoreOnAClosedTableIsReportedAndTheWindowGoesOn()
    {
        Session s;
        s.records().CloseRecordsTable();
        s.attempt(40, 40);
        QCOMPARE(s.services.dialogs.questions.size(), 1);
        QCOMPARE(s.services.dialogs.errors,
                 QStringList("DBDaten: Operation bei geschlossener Datenmenge nicht ausführbar"));
        QCOMPARE(s.win->phase(), quint8(TNumbersBase::Idle));
        QVERIFY(s.win->bStartStop->isEnabled() && !s.win->bChange->isHidden());
    }
};

QTEST_MAIN(TestNumbersWindows)
#include "test_numbers_windows.moc"
