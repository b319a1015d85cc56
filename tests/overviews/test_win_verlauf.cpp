// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The history window as a user meets it: opened from the menu after some
// training, in either language, moved through by keyboard, and exported.
#include "app/main_win.h"
#include "app/startup.h"
#include "overviews/verlauf_marks.h"
#include "overviews/verlauf_regelwerke.h"
#include "overviews/win_csv_export.h"
#include "overviews/win_verlauf.h"
#include "tests/support/fakes.h"
#include "widgets/panel.h"
#include "widgets/rule_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

// A program after a little training: three picture runs (one broken off) and two
// memorisation attempts, a day apart, and a best time in the records table.
struct Program {
    explicit Program(int language)
    {
        QLocale::setDefault(language == 1 ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                          : QLocale(QLocale::German, QLocale::Germany));
        main->context().Language = language;
        main->ApplyInterfaceTexts();
        main->history().setClock([this] { return clock; });
        for (double seconds : {90.0, 5.5, 70.25}) {
            AttemptRecord run;
            run.discipline = 0;
            run.setting = {200, 2, {}, {}, {}};
            run.result.runSeconds = seconds;
            run.completed = seconds > 10;
            record(run);
        }
        for (int points : {100, 150}) {
            AttemptRecord memo;
            memo.discipline = 10;
            memo.setting = {400, {}, 5, 10, {}};
            memo.result = {{}, points, points, 0, 300.0, 600.0};
            record(memo);
        }
        main->context().DBDaten.StoreBestTime(0, 200, 2, 75);
    }
    void record(const AttemptRecord& attempt)
    {
        main->history().record(attempt);
        clock = clock.addDays(1);
    }
    QStringList column(int c) const
    {
        QStringList texts;
        const QAbstractItemModel* model = win->sgVerlauf->model();
        for (int r = 0; r < model->rowCount(); ++r)
            texts << model->index(r, c).data().toString();
        return texts;
    }
    // Answers the export's questions as `set` leaves them, once they are asked.
    void answerExport(std::function<void(TWinCsvExport*)> set, bool accept = true)
    {
        QTimer::singleShot(0, win->winExport, [this, set, accept] {
            TWinCsvExport* e = win->winExport;
            asked = e->isVisible();
            if (set)
                set(e);
            e->bbKnoepfe->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
    }
    // Shows the window as the one the user works in, the keyboard in its table.
    void showActive()
    {
        win->show();
        QApplication::setActiveWindow(win);
        win->sgVerlauf->setFocus();
    }
    // Selects rows of the table as a user does with Ctrl and the mouse.
    void select(QList<int> rows)
    {
        win->sgVerlauf->clearSelection();
        for (int r : rows)
            win->sgVerlauf->selectionModel()->select(win->sgVerlauf->model()->index(r, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (!rows.isEmpty())
            win->sgVerlauf->selectionModel()->setCurrentIndex(win->sgVerlauf->model()->index(rows.first(), 0),
                                                              QItemSelectionModel::NoUpdate);
    }
    // 80 digits memorised in five minutes, typed back on rows of 40 with a wrong
    // digit at each place in `wrong`, the answers ending before `end`.
    void recordDigits(QList<int> wrong, int end = 80)
    {
        AttemptRecord memo;
        memo.discipline = 10;
        memo.setting = {80, {}, 5, 15, {}};
        memo.result = {{}, 0, 0, 0, 300.0, 600.0};
        memo.itemsPerRow = 40;
        for (int i = 0; i < 80; ++i)
            memo.items.given += char('0' + i % 10);
        memo.items.answers = memo.items.given;
        for (int at : wrong)
            memo.items.answers[at] = char('0' + (at + 1) % 10);
        for (int i = end; i < 80; ++i)
            memo.items.answers[i] = 0;
        record(memo);
    }
    QStringList ruleRow(const TRuleTable* table, int r) const
    {
        QStringList texts;
        for (int c = 0; c < table->columnCount(); ++c)
            texts << (table->item(r, c) ? table->item(r, c)->text() : QString());
        return texts;
    }
    void chooseSetting(const QString& start)
    {
        for (int i = 0; i < win->cbEinstellung->count(); ++i) {
            if (win->cbEinstellung->itemText(i).startsWith(start))
                win->cbEinstellung->setCurrentIndex(i);
        }
    }
    QList<double> plotted() const
    {
        QList<double> values;
        for (const QPointF& p : win->resultSeries()->points())
            values << p.y();
        return values;
    }

    FakeServices services;
    TempProgramDir dir;
    std::unique_ptr<TMainWin> main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs,
                                                           services.random, dir.file("korvanis"));
    TWinVerlauf* win = qobject_cast<TWinVerlauf*>(main->windows().WinVerlauf);
    QDateTime clock = QDateTime(QDate(2024, 5, 1), QTime(18, 0), Qt::OffsetFromUTC, 7200);
    bool asked = false;
};

} // namespace

class TestWinVerlauf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void showsEachSettingsAttemptsAndHowTheyGo_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts");  // menu, caption, memorisation setting, run column, best run
        QTest::newRow("German") << 0
                                << QStringList{"&Verlauf", "Trainingsverlauf",
                                               "Anzahl 400, Memorieren 5 min, Wiedergabe 10 min (2)", "Zeit (s)",
                                               "70,25 s", "abgebrochen"};
        QTest::newRow("English") << 1
                                 << QStringList{"&History", "Training history",
                                                "Count 400, memorise 5 min, recall 10 min (2)", "Time (s)",
                                                "70.25 s", "stopped"};
    }

    void showsEachSettingsAttemptsAndHowTheyGo()
    {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        Program p(language);
        TWinVerlauf* w = p.win;
        QCOMPARE(p.main->mVerlauf->text(), texts[0]);
        QVERIFY(p.main->mOptionen->actions().contains(p.main->mVerlauf));
        w->show();
        QCOMPARE(w->windowTitle(), texts[1]);
        QCOMPARE(w->sgVerlauf->accessibleName(), texts[1]);
        QCOMPARE(w->bExport->accessibleName(), w->bExport->text().remove('&'));
        QCOMPARE(w->size(), QSize(913, 498));
        // It opens on what was trained last.
        QCOMPARE(w->cbDisziplin->currentData().toInt(), 10);
        QCOMPARE(w->cbEinstellung->currentText(), texts[2]);
        QCOMPARE(p.column(1), QStringList({"150", "100"}));
        QCOMPARE(p.plotted(), QList<double>({100, 150}));
        QCOMPARE(w->pBeste->text(), QString("150"));
        QCOMPARE(w->pMedian->text(), QString("125"));
        QCOMPARE(w->pAenderung->text(), QString());
        // No points record is stored for these times: no record line.
        QVERIFY(w->recordSeries()->points().isEmpty());

        // The keyboard reaches the other disciplines.
        QCOMPARE(w->focusWidget(), w->cbDisziplin);
        QTest::keyClick(w->cbDisziplin, Qt::Key_Home);
        QCOMPARE(w->cbDisziplin->currentData().toInt(), 0);
        QCOMPARE(w->sgVerlauf->model()->headerData(1, Qt::Horizontal).toString(), texts[3]);
        QCOMPARE(p.column(0).first(), QString("03.05.24 17:58"));
        QCOMPARE(p.column(2)[1], texts[5]);
        QCOMPARE(w->pAnzahl->text(), QString("3"));
        QCOMPARE(w->pBeste->text(), texts[4]);
        // The broken-off run is in the table but not in the plot; oldest first there.
        QCOMPARE(p.plotted(), QList<double>({90, 70.25}));
        QCOMPARE(w->record(), std::optional<double>(75));
        const QList<QPointF> line = w->recordSeries()->points();
        QCOMPARE(line.size(), 2);
        QVERIFY(line[0].y() == 75 && line[1].y() == 75);
        QVERIFY(line[0].x() < w->resultSeries()->points().first().x());

        // A discipline not trained yet says so; the export offers the whole
        // history then, and neither the setting nor a selection.
        QTest::keyClick(w->cbDisziplin, Qt::Key_End);
        QVERIFY(!w->cbEinstellung->isEnabled());
        QCOMPARE(w->sgVerlauf->model()->rowCount(), 0);
        p.answerExport([](TWinCsvExport* e) {
            QVERIFY(e->rbAlles->isChecked());
            QVERIFY(!e->rbEinstellung->isEnabled());
            QVERIFY(!e->rbAuswahl->isEnabled());
        }, false);
        w->bExport->click();
        QVERIFY(p.asked);
        QCOMPARE(w->pAnzahl->text(), QString("0"));
    }

    void theRecordLineIsTheRecordOfTheShownSetting_data()
    {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QList<int>>("setting");  // count, pulse (0: none), recall minutes
        QTest::addColumn<QList<double>>("stored"); // memorisation time or pulse, recall time, points
        QTest::addColumn<QString>("timeBeforeRecall");
        QTest::newRow("numbers") << 10 << QList<int>{400, 0, 10} << QList<double>{300, 600, 120} << "Memorieren (s)";
        QTest::newRow("binary") << 11 << QList<int>{400, 0, 10} << QList<double>{300, 600, 90} << "Memorieren (s)";
        // Spoken numbers are keyed by their pulse, not by memorisation minutes,
        // and the time before recall was spent listening.
        QTest::newRow("spoken") << 13 << QList<int>{100, 3000, 5} << QList<double>{3000, 300, 42} << "Zuhören (s)";
    }

    void theRecordLineIsTheRecordOfTheShownSetting()
    {
        QFETCH(int, discipline);
        QFETCH(QList<int>, setting);
        QFETCH(QList<double>, stored);
        QFETCH(QString, timeBeforeRecall);
        Program p(0);
        AttemptRecord attempt;
        attempt.discipline = discipline;
        attempt.setting.count = setting[0];
        if (setting[1])
            attempt.setting.pulseMs = setting[1];
        else
            attempt.setting.memoMinutes = 5;
        attempt.setting.recallMinutes = setting[2];
        attempt.result = {{}, 30, 30, 0, 12.5, 60.0};
        p.record(attempt);
        p.main->context().DBDaten.StorePointsRecord(discipline, setting[0], stored[0], stored[1], int(stored[2]), 0, 1);
        p.win->show();
        p.win->cbDisziplin->setCurrentIndex(p.win->cbDisziplin->findData(discipline));
        QCOMPARE(p.win->record(), std::optional<double>(stored[2]));
        QCOMPARE(p.win->recordSeries()->points().size(), 2);
        QCOMPARE(p.win->sgVerlauf->model()->headerData(4, Qt::Horizontal).toString(), timeBeforeRecall);
    }

    void anAttemptMadeMeanwhileShowsAtTheNextOpening()
    {
        Program p(0);
        p.win->show();
        p.win->cbDisziplin->setCurrentIndex(p.win->cbDisziplin->findData(0));
        p.win->hide();
        AttemptRecord run;
        run.discipline = 0;
        run.setting = {200, 2, {}, {}, {}};
        run.result.runSeconds = 60;
        p.record(run);
        p.win->show();
        // The choice stays, and the new run leads.
        QCOMPARE(p.win->cbDisziplin->currentData().toInt(), 0);
        QCOMPARE(p.column(1).first(), QString("60,00"));
        QCOMPARE(p.plotted(), QList<double>({90, 70.25, 60}));
    }

    void exportWritesWhatIsShownOrTellsWhyNot_data()
    {
        QTest::addColumn<QString>("answer");  // the file the user chose; empty: cancelled
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("errors");
        QTest::newRow("saved") << "verlauf.csv" << 3 << 0;
        QTest::newRow("cancelled") << "" << -1 << 0;
        QTest::newRow("folder missing") << "gone/verlauf.csv" << -1 << 1;
    }

    void exportWritesWhatIsShownOrTellsWhyNot()
    {
        QFETCH(QString, answer);
        QFETCH(int, lines);
        QFETCH(int, errors);
        Program p(0);
        p.win->show();
        const QString file = answer.isEmpty() ? QString() : p.dir.file(answer);
        p.services.dialogs.saveFileNames = {file};
        p.answerExport({});
        p.win->bExport->click();
        QVERIFY(p.asked);
        QCOMPARE(p.services.dialogs.saveQuestions.value(0), QString("Verlauf als CSV exportieren"));
        QCOMPARE(p.services.dialogs.saveQuestions.value(2), QString("CSV-Dateien (*.csv)"));
        QCOMPARE(QFile::exists(file), lines > 0);
        if (lines > 0)
            QCOMPARE(ReadBytes(file).count("\r\n"), lines);
        QCOMPARE(p.services.dialogs.errors.size(), errors);
        if (errors)
            QVERIFY(p.services.dialogs.errors[0].startsWith("Die Datei " + file + " konnte nicht geschrieben"));
    }

    // What goes into the file: "whole", "setting" (the memorisation setting on
    // show) or "selection" (its newer attempt); the attempt of 100 points deleted
    // before, and the comma or semicolon layout.
    void exportWritesTheChosenAttempts_data()
    {
        QTest::addColumn<QString>("range");
        QTest::addColumn<bool>("withDeleted");
        QTest::addColumn<bool>("semicolon");
        QTest::addColumn<QStringList>("column");  // each data row's first fields after the id
        QTest::newRow("whole history")
            << "whole" << false << false
            << QStringList{"2024-05-05 17:45:00,10", "2024-05-03 17:58:49,0", "2024-05-02 17:59:54,0",
                           "2024-05-01 17:58:30,0"};
        QTest::newRow("whole history with the deleted one")
            << "whole" << true << false
            << QStringList{"2024-05-05 17:45:00,10", "2024-05-04 17:45:00,10", "2024-05-03 17:58:49,0",
                           "2024-05-02 17:59:54,0", "2024-05-01 17:58:30,0"};
        QTest::newRow("the setting") << "setting" << false << true << QStringList{"2024-05-05 17:45:00;10"};
        QTest::newRow("the setting with the deleted one")
            << "setting" << true << true << QStringList{"2024-05-05 17:45:00;10", "2024-05-04 17:45:00;10"};
        QTest::newRow("the selection") << "selection" << false << false << QStringList{"2024-05-05 17:45:00,10"};
    }

    void exportWritesTheChosenAttempts()
    {
        QFETCH(QString, range);
        QFETCH(bool, withDeleted);
        QFETCH(bool, semicolon);
        QFETCH(QStringList, column);
        Program p(0);
        TWinVerlauf* w = p.win;
        p.showActive();
        p.select({1});
        QCOMPARE(p.column(1), QStringList({"150", "100"}));
        QTest::keyClick(w->sgVerlauf, Qt::Key_Delete);
        QCOMPARE(p.column(1), QStringList({"150"}));
        p.select({0});
        const QString file = p.dir.file("out.csv");
        p.services.dialogs.saveFileNames = {file};
        p.answerExport([&](TWinCsvExport* e) {
            QVERIFY(e->rbAuswahl->isEnabled());
            QCOMPARE(e->rbAuswahl->text(), QString("&Auswahl (1)"));
            // The German locale of the test makes semicolons the first choice.
            QCOMPARE(e->cbTrennzeichen->currentIndex(), 1);
            QCOMPARE(e->cbTrennzeichen->currentText(), QString("Semikolon, Dezimalzeichen \",\""));
            QVERIFY(!e->cbGeloeschte->isChecked());
            (range == "whole" ? e->rbAlles : range == "setting" ? e->rbEinstellung : e->rbAuswahl)->setChecked(true);
            e->cbTrennzeichen->setCurrentIndex(semicolon ? 1 : 0);
            e->cbGeloeschte->setChecked(withDeleted);
        });
        w->bExport->click();
        QVERIFY(p.asked);
        QStringList lines = QString::fromUtf8(ReadBytes(file)).split("\r\n", Qt::SkipEmptyParts);
        QVERIFY(lines.takeFirst().startsWith(QString::fromUtf8("\xEF\xBB\xBF") + (semicolon ? "id;" : "id,")));
        QStringList starts;
        for (const QString& line : std::as_const(lines))
            starts << line.section(semicolon ? ';' : ',', 1, 2);
        QCOMPARE(starts, column);
        QVERIFY(p.services.dialogs.errors.isEmpty());

        // A cancelled question writes nothing and asks for no file.
        QVERIFY(QFile::remove(file));
        p.answerExport({}, false);
        w->bExport->click();
        QVERIFY(!QFile::exists(file));
        QVERIFY(p.services.dialogs.saveFileNames.empty() == true);
    }

    void aLostAttemptIsSetAsideAndTakenBack_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("captions");  // mark, unmark, delete, restore
        QTest::newRow("German") << 0 << QStringList{"&Nicht zählen", "Wieder &zählen", "&Löschen", "Wieder&herstellen"};
        QTest::newRow("English") << 1 << QStringList{"&Don't count", "&Count again", "Dele&te", "&Restore"};
    }

    void aLostAttemptIsSetAsideAndTakenBack()
    {
        QFETCH(int, language);
        QFETCH(QStringList, captions);
        Program p(language);
        TWinVerlauf* w = p.win;
        TVerlaufMarks* m = w->pMarks;
        p.showActive();
        QCOMPARE(w->cbDisziplin->currentData().toInt(), 10);
        // Nothing chosen: nothing to mark, nothing to undo.
        QVERIFY(!m->bMarkieren->isEnabled());
        QVERIFY(!m->bRueckgaengig->isEnabled());
        QCOMPARE(w->pMedian->text(), QString("125"));

        // The attempt of 100 points was lost: marked, it leaves median and plot
        // and stays in the table.
        p.select({1});
        QCOMPARE(m->bMarkieren->text(), captions[0]);
        QVERIFY(m->bMarkieren->isEnabled());
        m->bMarkieren->click();
        QCOMPARE(p.column(1), QStringList({"150", "100"}));
        QCOMPARE(w->pMedian->text(), QString("150"));
        QCOMPARE(w->pAnzahl->text(), QString("1"));
        QCOMPARE(p.plotted(), QList<double>({150}));
        QCOMPARE(w->sgVerlauf->model()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(0x90, 0x90, 0x90));
        QVERIFY(!w->sgVerlauf->model()->index(0, 1).data(Qt::ForegroundRole).isValid());
        // Still selected, and the button now offers to count it again.
        QCOMPARE(m->bMarkieren->text(), captions[1]);

        // Delete by key: hidden, until the filter shows it struck through.
        QTest::keyClick(w->sgVerlauf, Qt::Key_Delete);
        QCOMPARE(p.column(1), QStringList({"150"}));
        QVERIFY(w->cbEinstellung->currentText().endsWith("min (1)"));
        QCOMPARE(w->cbDisziplin->currentData().toInt(), 10);
        m->cbGeloeschte->setChecked(true);
        QCOMPARE(p.column(1), QStringList({"150", "100"}));
        QVERIFY(w->sgVerlauf->model()->index(1, 0).data(Qt::FontRole).value<QFont>().strikeOut());
        p.select({1});
        QCOMPARE(m->bLoeschen->text(), captions[3]);
        p.select({0});
        QCOMPARE(m->bLoeschen->text(), captions[2]);
        m->cbGeloeschte->setChecked(false);

        // Tab leaves the table for the marking buttons instead of walking cells.
        w->sgVerlauf->setFocus();
        QTest::keyClick(w->sgVerlauf, Qt::Key_Tab);
        QVERIFY(!w->sgVerlauf->hasFocus());

        // Undo by key, command by command: first the deletion, then the mark.
        QVERIFY(m->bRueckgaengig->isEnabled());
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(p.column(1), QStringList({"150", "100"}));
        QCOMPARE(w->pMedian->text(), QString("150"));
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->pMedian->text(), QString("125"));
        QCOMPARE(w->pAnzahl->text(), QString("2"));
        QVERIFY(!m->bRueckgaengig->isEnabled());
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->pMedian->text(), QString("125"));

        // The marks are in the file: the window of a new start shows them.
        p.select({0});
        m->bMarkieren->click();
        w->hide();
        p.showActive();
        QCOMPARE(w->pMedian->text(), QString("100"));
    }

    void showsAnAttemptAndTheBestUnderEveryRuleSet_data()
    {
        QTest::addColumn<int>("language");
        // the two titles, the first rule set, its championship points, the notes:
        // nothing chosen, no items, the bests' source (twice), a picture run, no
        // attempt with items
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("German") << 0
                                << QStringList{"Gewählter Versuch unter jedem Regelwerk",
                                               "Bestes unter jedem Regelwerk",
                                               "Weltverband WMSC",
                                               "118,83 (2021)",
                                               "Einen Versuch wählen, um ihn unter jedem Regelwerk zu sehen",
                                               "Ohne gespeicherte Elemente (ältere Version): nicht unter anderen "
                                               "Regelwerken darstellbar",
                                               "Versuche mit Elementen: 2",
                                               "Versuche mit Elementen: 1",
                                               "Diese Disziplin hat keine Regelwerke",
                                               "Keine gezählten Versuche mit gespeicherten Elementen"};
        QTest::newRow("English") << 1
                                 << QStringList{"Selected attempt under each rule set", "Best under each rule set",
                                                "World council WMSC", "118.83 (2021)",
                                                "Select one attempt to see it under each rule set",
                                                "No items stored (older version): cannot be shown under other rule sets",
                                                "Attempts with items: 2", "Attempts with items: 1",
                                                "This discipline has no rule sets",
                                                "No counted attempts with stored items"};
    }

    void showsAnAttemptAndTheBestUnderEveryRuleSet()
    {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        Program p(language);
        // One error in row 1 against a recall that stopped at 65 digits.
        p.recordDigits({5});
        p.recordDigits({}, 65);
        TWinVerlauf* w = p.win;
        TVerlaufRegelwerke* r = w->pRegelwerke;
        p.showActive();
        QCOMPARE(r->labVersuch->text(), texts[0]);
        QCOMPARE(r->labBeste->text(), texts[1]);
        QCOMPARE(w->cbEinstellung->currentText().left(9), language == 1 ? QString("Count 80,") : QString("Anzahl 80"));
        QVERIFY(r->labVersuchHinweis->isVisible());
        QCOMPARE(r->labVersuchHinweis->text(), texts[4]);

        // The newest attempt under WMSC, IAM, rows of 20 and Memory League.
        p.select({0});
        QVERIFY(r->tbVersuch->isVisible());
        QCOMPARE(r->tbVersuch->rowCount(), 4);
        QVERIFY(p.ruleRow(r->tbVersuch, 0)[0].startsWith(texts[2]));
        QCOMPARE(p.ruleRow(r->tbVersuch, 0).mid(1), QStringList({"65", texts[3]}));
        QCOMPARE(p.ruleRow(r->tbVersuch, 3)[1], QString("65"));
        p.select({1});
        QCOMPARE(p.ruleRow(r->tbVersuch, 0)[1], QString("60"));
        QCOMPARE(p.ruleRow(r->tbVersuch, 3)[1], QString("79"));
        // Two chosen are not one attempt.
        p.select({0, 1});
        QCOMPARE(r->labVersuchHinweis->text(), texts[4]);

        // Each rule set's best, read meanwhile: Memory League's from the older one.
        QTRY_VERIFY(!r->reading());
        QCOMPARE(r->tbBeste->rowCount(), 4);
        QCOMPARE(p.ruleRow(r->tbBeste, 0).mid(1), QStringList({"65", texts[3]}));
        QCOMPARE(p.ruleRow(r->tbBeste, 3)[1], QString("79"));
        QCOMPARE(r->labBesteStand->text(), texts[6]);

        // Set aside, the older one leaves the best.
        p.select({1});
        w->pMarks->bMarkieren->click();
        QTRY_VERIFY(!r->reading());
        QCOMPARE(p.ruleRow(r->tbBeste, 3)[1], QString("65"));
        QCOMPARE(r->labBesteStand->text(), texts[7]);

        // In the other language both tables name their rule sets anew.
        const QString otherName = language == 1 ? "Weltverband WMSC" : "World council WMSC";
        p.main->context().Language = 1 - language;
        w->ApplyInterfaceTexts();
        QTRY_VERIFY(!r->reading());
        QVERIFY(p.ruleRow(r->tbBeste, 0)[0].startsWith(otherName));
        QVERIFY(p.ruleRow(r->tbVersuch, 0)[0].startsWith(otherName));
        p.main->context().Language = language;
        w->ApplyInterfaceTexts();
        QTRY_VERIFY(!r->reading());

        // An attempt an older version wrote has no items to score.
        p.chooseSetting(language == 1 ? "Count 400" : "Anzahl 400");
        QTRY_VERIFY(!r->reading());
        p.select({0});
        QCOMPARE(r->labVersuchHinweis->text(), texts[5]);
        QVERIFY(!r->tbVersuch->isVisible());
        QCOMPARE(r->tbBeste->rowCount(), 0);
        QCOMPARE(r->labBesteStand->text(), texts[9]);

        // A picture run has no rule sets, chosen or not.
        w->cbDisziplin->setCurrentIndex(w->cbDisziplin->findData(0));
        QCOMPARE(r->labVersuchHinweis->text(), texts[8]);
        p.select({0});
        QCOMPARE(r->labVersuchHinweis->text(), texts[8]);
        QCOMPARE(r->labBesteStand->text(), texts[8]);
    }

    void aFileThatCannotBeWrittenOffersNoMarks()
    {
        Program p(0);
        const QString file = p.main->history().fileName();
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
        p.main->history().open(QFileInfo(file).path() + '/');
        p.services.dialogs.errors.clear();
        p.win->show();
        p.select({0});
        QVERIFY(!p.win->pMarks->bMarkieren->isEnabled());
        QVERIFY(!p.win->pMarks->bLoeschen->isEnabled());
        QTest::keyClick(p.win->sgVerlauf, Qt::Key_Delete);
        QCOMPARE(p.column(1).size(), 2);
    }

    void theMenuCommandOpensTheWindow()
    {
        Program p(1);
        bool shown = false;
        QTimer::singleShot(0, p.win, [&] {
            shown = p.win->isVisible();
            p.win->bClose->click();
        });
        p.main->mVerlauf->trigger();
        QVERIFY(shown);
        QVERIFY(!p.win->isVisible());
    }
};

QTEST_MAIN(TestWinVerlauf)
#include "test_win_verlauf.moc"
