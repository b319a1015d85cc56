// The history window as a user meets it: opened from the menu after some
// training, in either language, moved through by keyboard, and exported.
#include "app/main_win.h"
#include "app/startup.h"
#include "overviews/win_verlauf.h"
#include "tests/support/fakes.h"
#include "widgets/panel.h"

#include <QComboBox>
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
        QCOMPARE(w->size(), QSize(913, 358));
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

        // A discipline not trained yet says so and offers nothing to export.
        QTest::keyClick(w->cbDisziplin, Qt::Key_End);
        QVERIFY(!w->cbEinstellung->isEnabled());
        QCOMPARE(w->sgVerlauf->model()->rowCount(), 0);
        QVERIFY(!w->bExport->isEnabled());
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
        p.win->bExport->click();
        QCOMPARE(p.services.dialogs.saveQuestions.value(0), QString("Verlauf als CSV exportieren"));
        QCOMPARE(p.services.dialogs.saveQuestions.value(2), QString("CSV-Dateien (*.csv)"));
        QCOMPARE(QFile::exists(file), lines > 0);
        if (lines > 0)
            QCOMPARE(ReadBytes(file).count("\r\n"), lines);
        QCOMPARE(p.services.dialogs.errors.size(), errors);
        if (errors)
            QVERIFY(p.services.dialogs.errors[0].startsWith("Die Datei " + file + " konnte nicht geschrieben"));
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
