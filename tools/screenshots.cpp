// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// Renders every window of the program, in German and in English, the numbers,
// binary and spoken-numbers windows in each phase of an attempt, the record
// overview with times and a projection, the cards window and all card pictures,
// the history window after a few weeks of training and the error analysis after
// a few months, into PNG files. Used for
// the README and to look over the layouts; run as
//   QT_QPA_PLATFORM=offscreen build/tools/korvanis_screenshots <folder>
#include "app/korvanis_application.h"
#include "app/main_win.h"
#include "app/startup.h"
#include "app/win_about.h"
#include "app/win_champ.h"
#include "app/win_sprache.h"
#include "app/win_standards.h"
#include "cards/playing_card.h"
#include "cards/card_memo_view.h"
#include "cards/card_places.h"
#include "cards/win_karten.h"
#include "cards/win_karten_memo.h"
#include "cards/win_meisterschaft.h"
#include "cards/win_learn_cards.h"
#include "widgets/win_wait.h"
#include "numbers/numbers_base.h"
#include "numbers/numbers_memo_page.h"
#include "numbers/sheet_view_choice.h"
#include "overviews/row_panel.h"
#include "overviews/win_quendor.h"
#include "numbers/win_spoken.h"
#include "overviews/verlauf_marks.h"
#include "overviews/verlauf_regelwerke.h"
#include "overviews/win_csv_export.h"
#include "overviews/win_analyse.h"
#include "overviews/win_verlauf.h"
#include "tests/support/fakes.h"
#include "training/scoring_rule.h"
#include "widgets/format_choice.h"
#include "widgets/panel.h"
#include "widgets/rule_table.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTest>
#include <cstdio>

namespace {

QString folder;

void save(QWidget* widget, const QString& name)
{
    QApplication::processEvents();
    widget->grab().save(folder + "/" + name + ".png");
    std::printf("%s/%s.png\n", qPrintable(folder), qPrintable(name));
}

// The picture page idle and running, and a memorisation attempt through each
// phase to its result view.
void shootNumbersWindow(TNumbersBase* z, FakeServices& services, const QString& prefix, const QString& suffix)
{
    services.dialogs.defaultAnswer = true;
    z->show();
    save(z, prefix + "_bilder_" + suffix);
    z->bStartStop->click();
    for (int i = 0; i < 7; ++i)
        QTest::mouseClick(z->pZahlen, Qt::LeftButton);
    services.tick.advance(2345);
    z->tZehntelTimer();
    save(z, prefix + "_bilder_running_" + suffix);
    z->bStartStop->click();

    z->pcTraining->setCurrentWidget(z->tsMemo);
    // A format from the drop-down fills the times.
    z->memo->cbFormat->setCurrentIndex(1);
    Q_EMIT z->memo->cbFormat->activated(1);
    save(z, prefix + "_memo_idle_" + suffix);
    z->rbLimit->click();
    z->udAnzahlM->setValue(95);
    z->bStartStop->click();
    services.tick.advance(83456);
    z->tZehntelTimer();
    save(z, prefix + "_memorising_" + suffix);
    z->bStartStop->click();
    for (int i = 0; i < 53; ++i) {
        const int width = z->constants().rowWidth;
        const QString digit = z->sgMemo->cell(i % width + 1, i / width);
        QTest::keyClick(z->sgReplay, (i == 45 ? (digit == "0" ? "1" : "0") : digit).at(0).toLatin1());
    }
    services.tick.advance(61000);
    z->tZehntelTimer();
    save(z, prefix + "_recalling_" + suffix);
    services.dialogs.defaultAnswer = false;
    z->bStartStop->click();
    save(z, prefix + "_result_" + suffix);
    save(z->memo->ruleTable, prefix + "_rule_table_" + suffix);
    z->bChange->click();
    save(z, prefix + "_given_" + suffix);
    z->bChange->click();
    z->hide();
}

// The memorisation and result sheets in a chosen digit size and grouping; the
// window goes back to the designed view afterwards.
void shootSheetView(TNumbersBase* z, FakeServices& services, const QString& prefix, int size, int grouping,
                    const QString& suffix)
{
    z->pcTraining->setCurrentWidget(z->tsBilder);
    z->memo->view->cbGroesse->setCurrentIndex(size);
    z->memo->view->cbGruppen->setCurrentIndex(grouping);
    shootNumbersWindow(z, services, prefix, suffix);
    z->memo->view->cbGroesse->setCurrentIndex(0);
    z->memo->view->cbGruppen->setCurrentIndex(0);
}

// The record overview as it first opens, and with times typed on three tabs and
// a level projected.
void shootQuendor(TWinQuendor* q, const QString& suffix)
{
    q->show();
    save(q, "WinQuendor_" + suffix);
    const auto type = [q](int discipline, int level, const char* keys) {
        q->pcRekorde->setCurrentIndex(discipline - 1);
        QLineEdit* edit = q->BestTimeEdits[discipline][level];
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, keys);
    };
    for (int level = 1; level <= 10; ++level)
        type(1, level, level < 6 ? "30" : "");
    type(5, 1, "12");
    type(5, 7, "95");
    type(3, 2, "30");
    type(3, 4, "70");
    QTest::mouseDClick(q->PacePanels[3][2], Qt::LeftButton);
    q->PacePanels[3][2]->setFocus();
    save(q, "WinQuendor_words_" + suffix);
    q->reject();
}

// 45 digits at a pulse of 1000 ms, switched to English after the twentieth,
// recalled with one wrong digit.
void shootSpoken(TWinSpoken* s, FakeServices& services, const QString& suffix)
{
    s->show();
    save(s, "spoken_idle_" + suffix);
    s->udAnzahlM->setValue(45);
    s->udMemoZeit->setValue(1000);
    s->bStartStop->click();
    for (int k = 2; k <= 20; ++k) {
        services.tick.ticks = s->pulses.startTick() + (k - 1) * 1000;
        s->tSpracheTimer();
    }
    s->rbEnglisch->click();
    save(s, "spoken_speaking_" + suffix);
    for (int k = 21; s->phase() == TWinSpoken::Memorising; ++k) {
        services.tick.ticks = s->pulses.startTick() + (k - 1) * 1000;
        s->tSpracheTimer();
    }
    for (int i = 0; i < 38; ++i) {
        const QString digit = s->sgMemo->cell(i % 30 + 1, i / 30);
        QTest::keyClick(s->sgReplay, (i == 21 ? (digit == "0" ? "1" : "0") : digit).at(0).toLatin1());
    }
    services.tick.advance(61000);
    s->tZehntelTimer();
    save(s, "spoken_recalling_" + suffix);
    services.dialogs.defaultAnswer = false;
    s->bStartStop->click();
    save(s, "spoken_result_" + suffix);
    save(s->tbRegelwerke, "spoken_rule_table_" + suffix);
    s->bChange->click();
    save(s, "spoken_given_" + suffix);
    s->bChange->click();
    s->rbGerman->click();
    s->hide();
}

// Every card picture once, through the card control, on a green table: the
// faces in four rows of 13 (the jokers at the ends of the last), then the tool
// pictures and the backs, at one or two times their size.
void shootCardSheet(const CardPictureStore& pictures, int scale)
{
    constexpr int Columns = 14;
    const int w = 71 * scale, h = 96 * scale, gap = 6 * scale;
    QWidget table;
    table.resize(Columns * (w + gap) + gap, 6 * (h + gap) + gap);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0, 100, 40));
    table.setPalette(palette);
    table.setAutoFillBackground(true);
    const auto place = [&](int slot, TShowOption show, int index) {
        auto* card = new TPlayingCard(pictures, &table);
        card->setGeometry(gap + (slot % Columns) * (w + gap), gap + (slot / Columns) * (h + gap), w, h);
        if (show == soFace)
            card->setFaceIndex(index);
        else if (show == soTool)
            card->setToolIndex(index);
        else
            card->setBackIndex(index);
        card->setShow(show);
    };
    for (int face = 1; face <= 52; ++face)
        place((face - 1) / 13 * Columns + (face - 1) % 13, soFace, face);
    place(13, soFace, 0);
    place(Columns + 13, soFace, 53);
    for (int tool = 0; tool < 5; ++tool)
        place(4 * Columns + tool, soTool, tool);
    for (int back = 0; back < 11; ++back)
        place(5 * Columns + back, soBack, back);
    save(&table, QStringLiteral("card_sheet_%1x").arg(scale));
}

void shootCards(TMainWin& main, FakeServices& services)
{
    auto* k = qobject_cast<TWinKarten*>(main.windows().WinKarten);
    k->show();
    save(k, "karten_idle");
    k->udZeile->setValue(3);
    k->udAnzahl->setValue(5);
    k->bStartStop->click();
    services.tick.advance(3456);
    k->tZehntelTimer();
    save(k, "karten_running");
    QTest::mouseClick(k->pcKarte1, Qt::LeftButton);
    save(k, "karten_last_line");
    services.dialogs.defaultAnswer = false;
    QTest::mouseClick(k->pcKarte1, Qt::LeftButton);
    save(k, "karten_finished");
    k->hide();
    shootCardSheet(main.cardPictures(), 1);
    shootCardSheet(main.cardPictures(), 2);
}

// A few weeks of training as a new user would have them: picture runs getting
// faster, memorisation attempts scoring more, one run broken off, and a record
// saved on the way; then the history window on both.
void shootHistory(TMainWin& main, const QString& suffix)
{
    HistoryStore& history = main.history();
    QDateTime day(QDate(2024, 4, 2), QTime(18, 5));
    history.setClock([&day] { return day; });
    const double runs[] = {92.4, 88.1, 90.3, 81.7, 84.0, 77.9, 79.5, 74.2, 76.8, 71.3, 73.0, 69.6, 70.4, 66.9, 68.2};
    const int points[] = {212, 230, 226, 251, 244, 268, 275, 262, 289, 301, 296, 318};
    for (int i = 0; i < 15; ++i) {
        AttemptRecord run;
        run.discipline = 0;
        run.setting = {200, 2, {}, {}, {}};
        run.result.runSeconds = runs[i];
        run.completed = i != 6;
        run.savedAsRecord = i == 13;
        history.record(run);
        if (i < 12) {
            AttemptRecord memo;
            memo.discipline = 10;
            memo.setting = {400, {}, 5, 10, {}};
            memo.result = {{}, points[i], points[i] + 7, 3, 300.0, 540.5 - i};
            memo.savedAsRecord = i == 9;
            day = day.addSecs(1200);
            history.record(memo);
        }
        day = day.addDays(2).addSecs(-1200);
    }
    main.context().DBDaten.StoreBestTime(0, 200, 2, 66.9);
    main.context().DBDaten.StorePointsRecord(10, 400, 300, 600, 301, 300, 531.5);

    auto* verlauf = qobject_cast<TWinVerlauf*>(main.windows().WinVerlauf);
    verlauf->show();
    for (int code : {0, 10}) {
        verlauf->cbDisziplin->setCurrentIndex(verlauf->cbDisziplin->findData(code));
        // The seeded weeks, not the single attempt of the numbers window's shots.
        QComboBox* settings = verlauf->cbEinstellung;
        for (int i = 0; i < settings->count(); ++i) {
            if (settings->itemText(i).contains(code == 0 ? "200" : "400"))
                settings->setCurrentIndex(i);
        }
        save(verlauf, QStringLiteral("verlauf_%1_").arg(code) + suffix);
    }
    // One lost attempt not counted, one deleted and shown struck through, and
    // the export's questions.
    QTableView* table = verlauf->sgVerlauf;
    table->selectRow(2);
    verlauf->pMarks->bMarkieren->click();
    table->selectRow(4);
    verlauf->pMarks->bLoeschen->click();
    verlauf->pMarks->cbGeloeschte->setChecked(true);
    table->selectRow(2);
    save(verlauf, QStringLiteral("verlauf_marks_") + suffix);
    verlauf->pMarks->bRueckgaengig->click();
    verlauf->pMarks->bRueckgaengig->click();
    verlauf->pMarks->cbGeloeschte->setChecked(false);
    QTimer::singleShot(0, verlauf->winExport, [verlauf, suffix] {
        save(verlauf->winExport, QStringLiteral("verlauf_export_") + suffix);
        verlauf->winExport->reject();
    });
    verlauf->bExport->click();
    verlauf->hide();
    // The clock above lives no longer than this function.
    history.setClock([] { return QDateTime::currentDateTime(); });
}

// Four months of memorising 400 digits a day and a picture run of 100, with a
// few pairs that keep failing (34 written as 43, 69 as 96, 15 as 51) less as the
// months go by, and some that are slow to come; then each page of the analysis.
void shootAnalysis(TMainWin& main, const QString& suffix)
{
    HistoryStore& history = main.history();
    QDateTime day(QDate(2024, 4, 1), QTime(7, 30));
    history.setClock([&day] { return day; });
    SeededRandom random(2024);
    const QByteArray swapped[] = {"3443", "6996", "1551", "7887", "2002"};
    for (int i = 0; i < 120; ++i) {
        AttemptRecord memo;
        memo.discipline = NumbersMemo;
        memo.setting = {400, {}, 5, 10, {}};
        QByteArray given(400, '0');
        for (char& c : given)
            c = char('0' + random.next(10));
        // The user got to the end of the sheet in most attempts, to row 8 in others.
        const int reached = random.next(4) == 0 ? 320 : 400;
        QByteArray answers = given.left(reached) + QByteArray(400 - reached, '\0');
        for (int at = 0; at + 1 < reached; at += 2) {
            const QByteArray pair = given.mid(at, 2);
            for (std::size_t k = 0; k < std::size(swapped); ++k) {
                // Each of them fails less each month, and the first most.
                if (pair == swapped[k].left(2) && random.next(100) < int(60 - 10 * k) - i / 3)
                    answers.replace(at, 2, swapped[k].mid(2));
            }
            // And now and then a digit at the end of a row slips.
            if (at % 40 == 38 && random.next(40) == 0)
                answers[at + 1] = char('0' + (answers[at + 1] - '0' + 1) % 10);
        }
        memo.items.given = given;
        memo.items.answers = answers;
        memo.items.answeredAtMs = QVector<qint32>(400, -1);
        memo.itemsPerRow = 40;
        // Scored as the window scores it, so the history's rule sets agree with it.
        const ScoreResult score = ScoringRuleOf(ScoringKind::Championship).score(memo.items, 40);
        memo.result = {{}, score.totalPoints, score.correctDigits, score.errors, 300.0, 540.0};
        history.record(memo);

        AttemptRecord run;
        run.discipline = NumbersPicture;
        run.setting = {100, 2, {}, {}, {}};
        run.items.given = QByteArray(100, '0');
        run.items.shownAtMs = QVector<qint32>(100, 0);
        qint32 at = 0;
        for (int k = 0; k < 100; k += 2) {
            run.items.given[k] = char('0' + random.next(10));
            run.items.given[k + 1] = char('0' + random.next(10));
            run.items.shownAtMs[k] = run.items.shownAtMs[k + 1] = at;
            const int value = (run.items.given[k] - '0') * 10 + run.items.given[k + 1] - '0';
            // The pairs of the 80s and 90s take longest to come.
            at += 500 + random.next(400) + (value >= 80 ? 900 : 0);
        }
        run.result.runSeconds = at / 1000.0 + 0.6;
        day = day.addSecs(600);
        history.record(run);
        day = day.addDays(1).addSecs(-600);
    }
    TWinAnalyse analysis(main.context(), history);
    analysis.setToday([] { return QDate(2024, 7, 30); });
    analysis.setDiscipline(NumbersMemo);
    analysis.show();
    (void)QTest::qWaitFor([&analysis] { return analysis.readingDone(); }, 10000);
    for (QWidget* page : {static_cast<QWidget*>(analysis.sgSpalten), static_cast<QWidget*>(analysis.sgZeilen),
                          static_cast<QWidget*>(analysis.sgBilder), static_cast<QWidget*>(analysis.sgVerwechslungen),
                          static_cast<QWidget*>(analysis.chFehlerquote)}) {
        analysis.pcAnalyse->setCurrentWidget(page);
        save(&analysis, QStringLiteral("analyse_%1_").arg(page->objectName()) + suffix);
    }
    analysis.cbDisziplin->setCurrentIndex(analysis.cbDisziplin->findData(int(NumbersPicture)));
    (void)QTest::qWaitFor([&analysis] { return analysis.readingDone(); }, 10000);
    analysis.pcAnalyse->setCurrentWidget(analysis.sgZeiten);
    save(&analysis, QStringLiteral("analyse_sgZeiten_") + suffix);
    analysis.hide();
    history.setClock([] { return QDateTime::currentDateTime(); });
}

// The history after the weeks of both functions above: the newest numbers
// attempt under every rule set beside the setting's best under each, and an
// attempt of the weeks before the items were kept.
void shootHistoryRules(TMainWin& main, const QString& suffix)
{
    auto* verlauf = qobject_cast<TWinVerlauf*>(main.windows().WinVerlauf);
    verlauf->show();
    verlauf->cbDisziplin->setCurrentIndex(verlauf->cbDisziplin->findData(int(NumbersMemo)));
    QComboBox* settings = verlauf->cbEinstellung;
    for (int i = 0; i < settings->count(); ++i) {
        if (settings->itemText(i).contains("400"))
            settings->setCurrentIndex(i);
    }
    verlauf->sgVerlauf->selectRow(0);
    (void)QTest::qWaitFor([verlauf] { return !verlauf->pRegelwerke->reading(); }, 20000);
    save(verlauf, QStringLiteral("verlauf_regelwerke_") + suffix);
    // The attempts of shootHistory were written without their items.
    const std::vector<StoredAttempt>& shown = verlauf->shown();
    for (std::size_t r = 0; r < shown.size(); ++r) {
        AttemptRecord items;
        if (main.history().readItems(shown[r].id, items) && items.items.given.isEmpty()) {
            verlauf->sgVerlauf->selectRow(int(r));
            break;
        }
    }
    save(verlauf, QStringLiteral("verlauf_regelwerke_alt_") + suffix);
    verlauf->hide();
}

// The card image window as it opens, with the word and reason revealed, and
// with the name shown after a right click; its texts are German in both languages.
void shootLearnCards(TWinLearnCards* l, const QString& suffix)
{
    l->show();
    save(l, "learn_cards_" + suffix);
    l->rbSortiert->click();
    l->chbKreuz->click();
    l->pcTraining->setFaceIndex(33);
    QTest::mouseClick(l->pcTraining, Qt::LeftButton);
    QTest::mouseClick(l->pBedeutung, Qt::LeftButton);
    QTest::mouseClick(l->pGrund, Qt::LeftButton);
    save(l, "learn_cards_revealed_" + suffix);
    QTest::mouseClick(l->pcTraining, Qt::RightButton);
    save(l, "learn_cards_name_" + suffix);
    l->hide();
}

// The keys that type a face index back: value letter, then suit letter.
QString cardKeys(int face)
{
    return QString(QLatin1Char("A23456789TJQK"[(face - 1) % 13])) + QLatin1Char("CDHS"[(face - 1) / 13]);
}

// The championship of the card image window: its settings, a speed-cards attempt
// memorised two cards at a time, recalled with a wrong card, a card used twice
// and a value waiting for its suit, and its result; then a longer trial of two
// decks and a short third one, scored deck by deck.
void shootCardChampionship(TWinLearnCards* l, FakeServices& services)
{
    l->show();
    l->WinMeisterschaft->showSettings();
    l->WinMeisterschaft->udZeile->setValue(2);
    save(l->WinMeisterschaft, "meisterschaft_settings");
    l->WinMeisterschaft->bOK->click();
    save(l, "learn_cards_field");
    TWinKartenMemo* m = l->WinKartenMemo;
    l->bStart->click();
    for (int i = 0; i < 5; ++i) {
        services.tick.advance(1800);
        QTest::keyClick(m->memoView, Qt::Key_Right);
    }
    services.tick.advance(3456);
    m->tZehntelTimer();
    save(m, "meisterschaft_memorising");
    m->bStartStop->click();
    const QByteArray given = m->attempt().attempt().given;
    for (int i = 0; i < 30; ++i) {
        int face = quint8(given.at(i));
        if (i == 12)
            face = face % 52 + 1;
        if (i == 20)
            face = quint8(given.at(3));
        QTest::keyClicks(m->cpWiedergabe, cardKeys(face));
    }
    QTest::keyClick(m->cpWiedergabe, 'K');
    services.tick.advance(41234);
    m->tZehntelTimer();
    save(m, "meisterschaft_recall");
    services.dialogs.defaultAnswer = false;
    m->bStartStop->click();
    save(m, "meisterschaft_result");
    save(m->tbRegelwerke, "meisterschaft_rule_table");
    m->bChange->click();
    save(m, "meisterschaft_given");
    m->close();

    l->WinMeisterschaft->udAnzahl->setValue(120);
    l->WinMeisterschaft->udMemoZeit->setValue(10);
    l->WinMeisterschaft->udZeile->setValue(3);
    l->refreshChampionshipField();
    l->bStart->click();
    services.tick.advance(400000);
    m->tZehntelTimer();
    m->bStartStop->click();
    const QByteArray decks = m->attempt().attempt().given;
    for (int i = 0; i < 112; ++i) {
        const int face = i == 60 ? quint8(decks.at(61)) : quint8(decks.at(i));
        if (i != 30)
            QTest::keyClicks(m->cpWiedergabe, cardKeys(face));
        else
            QTest::keyClick(m->cpWiedergabe, Qt::Key_Space);
    }
    services.tick.advance(200000);
    m->tZehntelTimer();
    m->bStartStop->click();
    save(m, "meisterschaft_decks_result");
    m->close();
    l->hide();
}

void shootLanguage(int language, const QString& suffix, bool sheetsOnly)
{
    QLocale::setDefault(language == 1 ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                      : QLocale(QLocale::German, QLocale::Germany));
    FakeServices services;
    TempProgramDir dir;
    auto main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                      dir.file("korvanis"));
    main->context().Language = language;
    // The about window shows the data folder; a temporary folder's name would
    // change the picture at every run.
    main->context().DataDir = QStringLiteral("/home/anna/.local/share/Korvanis/");
    // The attempts of the windows shot below belong to the few weeks of training
    // that shootHistory lays out, not to the day the screenshots are made.
    main->history().setClock([] { return QDateTime(QDate(2024, 4, 30), QTime(17, 40)); });
    main->ApplyInterfaceTexts();
    if (sheetsOnly) {
        const TMainWin::Windows& w = main->windows();
        shootSheetView(qobject_cast<TNumbersBase*>(w.WinZahlen), services, "zahlen_gross_paare", 1, 1, suffix);
        shootSheetView(qobject_cast<TNumbersBase*>(w.WinZahlen), services, "zahlen_sehr_gross_dreier", 2, 2, suffix);
        shootSheetView(qobject_cast<TNumbersBase*>(w.WinBinaer), services, "binaer_gross_433", 1, 3, suffix);
        return;
    }
    main->show();
    save(main.get(), "main_" + suffix);
    for (QMenu* menu : {main->mTraining, main->mOptionen}) {
        menu->popup(main->mapToGlobal(QPoint(0, 0)));
        save(menu, "menu_" + menu->objectName() + QString::number(main->menuBar()->actions().indexOf(menu->menuAction())) + "_" + suffix);
        menu->hide();
    }
    const TMainWin::Windows& w = main->windows();
    for (QDialog* dialog : {w.WinAbout, static_cast<QDialog*>(w.WinSprache), w.WinChamp,
                            static_cast<QDialog*>(w.WinStandards)}) {
        dialog->show();
        save(dialog, dialog->objectName() + "_" + suffix);
        dialog->hide();
    }
    w.WinWait->lNachricht->setText(main->context().InterfaceText(161, "Zahlen werden vorbereitet ..."));
    w.WinWait->show();
    save(w.WinWait, "WinWait_" + suffix);
    w.WinWait->hide();

    shootQuendor(qobject_cast<TWinQuendor*>(w.WinQuendor), suffix);
    shootLearnCards(qobject_cast<TWinLearnCards*>(w.WinLearnCards), suffix);
    shootNumbersWindow(qobject_cast<TNumbersBase*>(w.WinZahlen), services, "zahlen", suffix);
    shootNumbersWindow(qobject_cast<TNumbersBase*>(w.WinBinaer), services, "binaer", suffix);

    shootSpoken(qobject_cast<TWinSpoken*>(w.WinSpoken), services, suffix);
    // The cards window has German texts only.
    if (language == 0) {
        shootCards(*main, services);
        shootCardChampionship(qobject_cast<TWinLearnCards*>(w.WinLearnCards), services);
    }
    shootHistory(*main, suffix);
    shootAnalysis(*main, suffix);
    shootHistoryRules(*main, suffix);
}

} // namespace

int main(int argc, char** argv)
{
    KorvanisApplication app(argc, argv);
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    // "sheets" after the folder: only the sheets in their larger, grouped views.
    const bool sheetsOnly = argc > 2 && QString::fromLocal8Bit(argv[2]) == QLatin1String("sheets");
    shootLanguage(0, "de", sheetsOnly);
    shootLanguage(1, "en", sheetsOnly);
    return 0;
}
