// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The error analysis as a user meets it: opened from the history window after
// some training, in either language, filled while it stays usable, sorted and
// exported.
#include "app/main_win.h"
#include "app/startup.h"
#include "overviews/win_analyse.h"
#include "overviews/win_verlauf.h"
#include "tests/support/fakes.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

namespace {

// A program after a month of training: a memorisation a day in which 34 is
// written as 43 every other time and 12 always right, and one picture run.
struct Program {
    explicit Program(int language)
    {
        QLocale::setDefault(language == 1 ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                          : QLocale(QLocale::German, QLocale::Germany));
        main->context().Language = language;
        main->ApplyInterfaceTexts();
        main->history().setClock([this] { return clock; });
        for (int day = 0; day < 10; ++day) {
            AttemptRecord memo;
            memo.discipline = 10;
            memo.setting = {8, {}, 5, 10, {}};
            memo.result = {{}, 0, 0, 0, 60.0, 60.0};
            memo.items.given = "12341256";
            memo.items.answers = day % 2 ? "12431256" : "12341256";
            memo.items.answeredAtMs = QVector<qint32>(8, 500);
            memo.itemsPerRow = 4;
            record(memo);
        }
        AttemptRecord run;
        run.discipline = 0;
        run.setting = {4, 2, {}, {}, {}};
        run.result.runSeconds = 3.5;
        run.items.given = "7890";
        run.items.shownAtMs = {0, 0, 1250, 1250};
        record(run);
    }
    void record(const AttemptRecord& attempt)
    {
        main->history().record(attempt);
        clock = clock.addDays(1);
    }
    // Opens the analysis from the history window and waits until it is read.
    TWinAnalyse* open()
    {
        history->show();
        history->cbDisziplin->setCurrentIndex(history->cbDisziplin->findData(10));
        history->bAnalyse->click();
        TWinAnalyse* w = history->findChild<TWinAnalyse*>();
        if (w) {
            w->setToday([] { return QDate(2024, 5, 20); });
            (void)QTest::qWaitFor([w] { return w->readingDone(); }, 5000);
        }
        return w;
    }
    static QStringList column(QTableView* view, int c)
    {
        QStringList texts;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            texts << view->model()->index(r, c).data().toString();
        return texts;
    }

    FakeServices services;
    TempProgramDir dir;
    std::unique_ptr<TMainWin> main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs,
                                                           services.random, dir.file("korvanis"));
    TWinVerlauf* history = qobject_cast<TWinVerlauf*>(main->windows().WinVerlauf);
    QDateTime clock = QDateTime(QDate(2024, 5, 1), QTime(18, 0), Qt::OffsetFromUTC, 7200);
};

} // namespace

class TestWinAnalyse : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void showsTheErrorsOfTheDisciplineShownInTheHistory_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts");  // button, caption, tab, header, rate, confusion, done, rate
        QTest::newRow("German") << 0
                                << QStringList{"Fehleranalyse ...", "Fehleranalyse", "Fehler nach Spalte",
                                               "Fehlerquote %", "50,0", "34 geschrieben als 43: 5-mal",
                                               "Alles gelesen", "25,0"};
        QTest::newRow("English") << 1
                                 << QStringList{"Error analysis ...", "Error analysis", "Errors by column",
                                                "Error rate %", "50.0", "34 written as 43: 5 times", "All read", "25.0"};
    }

    void showsTheErrorsOfTheDisciplineShownInTheHistory()
    {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        Program p(language);
        TWinAnalyse* w = p.open();
        QVERIFY(w);
        QCOMPARE(p.history->bAnalyse->text(), texts[0]);
        QVERIFY(w->isVisible());
        QVERIFY(w->readingDone());
        QCOMPARE(w->windowTitle(), texts[1]);
        QCOMPARE(w->pcAnalyse->tabText(0), texts[2]);
        QCOMPARE(w->sgSpalten->accessibleName(), texts[2]);
        QCOMPARE(w->labStand->text(), texts[6]);
        QCOMPARE(w->cbDisziplin->currentData().toInt(), 10);
        // Columns 3 and 4 (shown from 1) failed in the first row of five of ten
        // attempts, which have two rows.
        QCOMPARE(w->sgSpalten->model()->headerData(3, Qt::Horizontal).toString(), texts[3]);
        QCOMPARE(Program::column(w->sgSpalten, 0), QStringList({"1", "2", "3", "4"}));
        QCOMPARE(Program::column(w->sgSpalten, 2), QStringList({"0", "0", "5", "5"}));
        QCOMPARE(Program::column(w->sgSpalten, 3)[2], texts[7]);
        QCOMPARE(Program::column(w->sgZeilen, 2), QStringList({"10", "0"}));
        QCOMPARE(Program::column(w->sgBilder, 0), QStringList({"34", "12", "56"}));
        QCOMPARE(Program::column(w->sgBilder, 3)[0], texts[4]);
        QCOMPARE(Program::column(w->sgBilder, 4)[0], QString("43 (5)"));
        QCOMPARE(Program::column(w->sgVerwechslungen, 3), QStringList(texts[5]));
        // The memorisation has no show times; the picture run's are in its own.
        QCOMPARE(w->sgZeiten->model()->rowCount(), 0);
        // The worst image over time: a point for the month it was trained in.
        const QList<QAbstractSeries*> series = w->chart()->series();
        QCOMPARE(series.size(), 1);
        QCOMPARE(series[0]->name(), QString("34"));
        QCOMPARE(qobject_cast<QLineSeries*>(series[0])->points().size(), 1);
        QCOMPARE(qobject_cast<QLineSeries*>(series[0])->points()[0].y(), 50.0);
    }

    void anotherChoiceIsReadAfresh()
    {
        Program p(0);
        TWinAnalyse* w = p.open();
        QVERIFY(w);
        // Triples: a row of four holds one, 123 and 125.
        w->cbBilder->setCurrentIndex(w->cbBilder->findData(3));
        QTRY_VERIFY(w->readingDone());
        QCOMPARE(w->request().imageSize, 3);
        QCOMPARE(Program::column(w->sgBilder, 0), QStringList({"123", "125"}));
        // A choice made while the last one is still read: only the newest shows.
        w->cbBilder->setCurrentIndex(w->cbBilder->findData(2));
        w->cbBilder->setCurrentIndex(w->cbBilder->findData(3));
        QTRY_VERIFY(w->readingDone());
        QCOMPARE(Program::column(w->sgBilder, 0), QStringList({"123", "125"}));
        // Cards are counted by their place in the deck, and named.
        w->cbDisziplin->setCurrentIndex(w->cbDisziplin->findData(12));
        QTRY_VERIFY(w->readingDone());
        QCOMPARE(w->sgSpalten->model()->headerData(0, Qt::Horizontal).toString(), QString("Platz im Stapel"));
        QCOMPARE(w->cbBilder->currentText(), QString("Karten"));
        // The picture run: the slowest pair first, its mean in seconds.
        w->cbDisziplin->setCurrentIndex(w->cbDisziplin->findData(0));
        QTRY_VERIFY(w->readingDone());
        // Pairs again, the cards' choice not being one of its own.
        QCOMPARE(w->cbBilder->currentData().toInt(), 2);
        QCOMPARE(Program::column(w->sgZeiten, 0), QStringList({"90", "78"}));
        QCOMPARE(Program::column(w->sgZeiten, 2), QStringList({"2,25", "1,25"}));
        // In triples 7 and 8 had the first line's 1250 ms, 9 half of the second
        // line's 2250 ms: 2375 ms.
        w->cbBilder->setCurrentIndex(w->cbBilder->findData(3));
        QTRY_VERIFY(w->readingDone());
        QCOMPARE(Program::column(w->sgZeiten, 0), QStringList({"789"}));
        QCOMPARE(Program::column(w->sgZeiten, 2), QStringList({"2,38"}));
        QCOMPARE(w->sgSpalten->model()->rowCount(), 0);
        // A period without training shows nothing.
        w->setToday([] { return QDate(2025, 1, 10); });
        w->cbZeitraum->setCurrentIndex(w->cbZeitraum->findData(3));
        QTRY_VERIFY(w->readingDone());
        QCOMPARE(w->request().period, (AnalysisPeriod{202411, 202501}));
        QCOMPARE(w->sgZeiten->model()->rowCount(), 0);
        QVERIFY(w->chart()->series().isEmpty());
    }

    void aTableSortsByTheNumbersBehindItsTexts()
    {
        Program p(0);
        TWinAnalyse* w = p.open();
        QVERIFY(w);
        w->sgBilder->sortByColumn(1, Qt::DescendingOrder);
        QCOMPARE(Program::column(w->sgBilder, 0), QStringList({"12", "34", "56"}));
        QCOMPARE(Program::column(w->sgBilder, 1), QStringList({"20", "10", "10"}));
        w->sgSpalten->sortByColumn(3, Qt::DescendingOrder);
        QCOMPARE(Program::column(w->sgSpalten, 0), QStringList({"3", "4", "1", "2"}));
        w->sgSpalten->sortByColumn(0, Qt::DescendingOrder);
        QCOMPARE(Program::column(w->sgSpalten, 0), QStringList({"4", "3", "2", "1"}));
    }

    void exportWritesTheTableAsShownOrTellsWhyNot_data()
    {
        QTest::addColumn<QString>("answer");  // the file the user chose; empty: cancelled
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("errors");
        QTest::newRow("saved, sorted as shown, with '.'")
            << "bilder.csv"
            << QByteArray("\xEF\xBB\xBF" "Bild,Gegeben,Falsch,Fehlerquote %,Stattdessen geschrieben\r\n"
                          "56,10,0,0.0,\r\n34,10,5,50.0,43 (5)\r\n12,20,0,0.0,\r\n")
            << 0;
        QTest::newRow("cancelled") << "" << QByteArray() << 0;
        QTest::newRow("folder missing") << "gone/bilder.csv" << QByteArray() << 1;
    }

    void exportWritesTheTableAsShownOrTellsWhyNot()
    {
        QFETCH(QString, answer);
        QFETCH(QByteArray, text);
        QFETCH(int, errors);
        Program p(0);
        TWinAnalyse* w = p.open();
        QVERIFY(w);
        w->pcAnalyse->setCurrentWidget(w->sgBilder);
        w->sgBilder->sortByColumn(0, Qt::DescendingOrder);
        const QString file = answer.isEmpty() ? QString() : p.dir.file(answer);
        p.services.dialogs.saveFileNames = {file};
        QVERIFY(w->bExport->isEnabled());
        w->bExport->click();
        QCOMPARE(p.services.dialogs.saveQuestions.value(0), QString("Tabelle als CSV exportieren"));
        QCOMPARE(QFile::exists(file), !text.isEmpty());
        if (!text.isEmpty())
            QCOMPARE(ReadBytes(file), text);
        QCOMPARE(p.services.dialogs.errors.size(), errors);
        // The plot is no table.
        w->pcAnalyse->setCurrentWidget(w->chFehlerquote);
        QVERIFY(!w->bExport->isEnabled());
    }

    // A history marked read-only is analysed as it lies: nothing appears beside it.
    void aReadOnlyHistoryIsReadAsItLies()
    {
        Program p(0);
        p.main->history().close();
        const QString file = p.dir.file("KORVANIS.SQLITE");
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        p.main->history().open(p.dir.path());
        QCOMPARE(p.main->history().state(), HistoryStore::State::ReadOnly);
        const QStringList before = QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden);
        TWinAnalyse* w = p.open();
        QVERIFY(w && w->readingDone());
        QCOMPARE(w->result().error, QString());
        QCOMPARE(Program::column(w->sgBilder, 0), QStringList({"34", "12", "56"}));
        QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden), before);
    }

    void aFileThatCannotBeReadIsToldInTheWindow()
    {
        Program p(0);
        p.main->history().close();
        QFile::remove(p.dir.file("KORVANIS.SQLITE"));
        QVERIFY(WriteBytes(p.dir.file("KORVANIS.SQLITE"), QByteArray(4096, 'x')));
        TWinAnalyse w(p.main->context(), p.main->history());
        w.show();
        QTRY_VERIFY(w.readingDone());
        QVERIFY(w.labStand->text().startsWith("Die Analyse konnte nicht gelesen werden ("));
        QCOMPARE(w.sgSpalten->model()->rowCount(), 0);
        QVERIFY(p.services.dialogs.errors.isEmpty());
    }
};

QTEST_MAIN(TestWinAnalyse)
#include "test_win_analyse.moc"
