// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/main_win.h"
#include "app/startup.h"
#include "core/ini_file.h"
#include "overviews/quendor_pace.h"
#include "overviews/row_panel.h"
#include "overviews/win_quendor.h"
#include "tests/support/fakes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

namespace {

const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);
const QString Caption = QString::fromUtf8("Quendor - Rekordübersicht");

// A program started in a fresh program folder with fake services, and started
// again in the same folder on restart().
struct Session {
    FakeServices services;
    TempProgramDir dir;
    std::unique_ptr<TMainWin> main;
    TWinQuendor* win = nullptr;

    Session() { restart(); }
    void restart()
    {
        main.reset();
        main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                     dir.file("korvanis"));
        win = qobject_cast<TWinQuendor*>(main->windows().WinQuendor);
    }
    QLineEdit* edit(int d, int level) const { return win->BestTimeEdits[d][level]; }
    // Clears a best time with Backspace and types keys into it, on its tab.
    void type(int d, int level, const QString& keys)
    {
        win->pcRekorde->setCurrentIndex(d - 1);
        QLineEdit* e = edit(d, level);
        e->setFocus();
        e->end(false);
        while (!e->text().isEmpty())
            QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, keys);
    }
    QString stored(const QString& key) const
    {
        return IniFile(dir.file("BRAIN.INI")).ReadString("Stoppuhr", key, "missing");
    }
};

QColor fontColour(QWidget* w)
{
    return w->palette().color(QPalette::WindowText);
}

} // namespace

class TestQuendor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // What the window's edits never hold, the summary still counts right.
    void captionSummaryBeyondTheEdits()
    {
        QCOMPARE(CaptionSummary({"30", "99999999999"}, 7).value(), QString("15,00 0,29"));
        QCOMPARE(CaptionSummary(QStringList(70, "999999999"), 7).value(), QString("999999999,00 10,00"));
    }

    // ---- The window

    void eachTabAsItOpens_data()
    {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QString>("amounts");
        QTest::newRow("1") << 1 << "tsBinary" << "Binary Numbers" << QStringList{"Ziffern", "Zeit / Route"}
                           << "12 24 36 72 96 144 192 240 360 600";
        QTest::newRow("2") << 2 << "tsNumbers" << "Speed Numbers" << QStringList{"Zahlen", "Zeit / Route"}
                           << "10 20 30 40 60 80 120 170  ";
        QTest::newRow("3") << 3 << "tsWords" << "Words" << QStringList{QString::fromUtf8("Wörter"), "Zeit / Route"}
                           << "4 7 10 15 20 25 30 40 50 70";
        QTest::newRow("4") << 4 << "tsText" << "Text" << QStringList{"Textzeilen", "Zeit / Zeile"}
                           << "1 2 3 4 5 6 7 8 10 12";
        QTest::newRow("5") << 5 << "tsCards" << "Speed Cards" << QStringList{"Karten", "Zeit / Route"}
                           << "5 8 10 15 20 32 52 52 52 52";
        QTest::newRow("6") << 6 << "tsNames" << "Names && Faces" << QStringList{"Namen", "Zeit / Name"}
                           << "3 4 5 6 7 8 10 15  ";
        QTest::newRow("7") << 7 << "tsDates" << "Historical Dates" << QStringList{"Hist. Daten", "Zeit / Datum"}
                           << "2 4 6 6 8 10 15 20 30 ";
    }

    // The first start has no section: every level shows 999 and its pace for it.
    void eachTabAsItOpens()
    {
        QFETCH(int, discipline);
        QFETCH(QString, sheet);
        QFETCH(QString, caption);
        QFETCH(QStringList, headings);
        QFETCH(QString, amounts);
        Session s;
        TWinQuendor* w = s.win;
        w->show();
        const int d = discipline;
        QCOMPARE(w->pcRekorde->widget(d - 1)->objectName(), sheet);
        QCOMPARE(w->pcRekorde->tabText(d - 1), caption);
        QStringList shown;
        for (const char* name : {"labAnzahl", "labBestzeit", "labZeit", "labMoeglich"})
            shown << w->findChild<QLabel*>(name + QString::number(d))->text();
        QCOMPARE(shown, QStringList({headings[0], "Bestzeit", headings[1], QString::fromUtf8("möglich ...")}));
        QStringList levels;
        for (int level = 1; level <= 10; ++level) {
            const QString row = QString("%1_%2").arg(d).arg(level);
            for (const QString& prefix : {"p", "e", "pD", "pP"}) {
                auto* control = w->findChild<QWidget*>(prefix + row);
                QVERIFY2(control, qPrintable(prefix + row));
                QCOMPARE(control->property("Tag").toInt(), level);
            }
            const QString amount = w->LevelPanels[d][level]->text();
            levels << amount;
            QCOMPARE(s.edit(d, level)->text(), QString("999"));
            QCOMPARE(w->PacePanels[d][level]->text(),
                     PaceText("999", amount.toInt(), QuendorDisciplineOf(d).unitsPerPace).value());
            QCOMPARE(w->PossiblePanels[d][level]->text(), QString("0"));
        }
        QCOMPARE(levels.join(' '), amounts);
        // Text keeps no hidden values; every other discipline keeps two.
        QCOMPARE(bool(w->findChild<QLineEdit*>(QString("eW%1").arg(d))), d != 4);
        QCOMPARE(bool(w->findChild<QLineEdit*>(QString("eL%1").arg(d))), d != 4);
        if (d != 4)
            QCOMPARE(w->ConvertEdits[d]->text() + w->LastSecondsEdits[d]->text(), QString("4,004,00"));
    }

    void firstStartAndTheMenu()
    {
        Session s;
        TWinQuendor* w = s.win;
        QCOMPARE(w->windowTitle(), Caption + " - 999,00 10,00");
        QCOMPARE(w->pcRekorde->currentWidget(), w->tsBinary);
        // Assistive technology reads each row control by its level and column.
        QCOMPARE(QStringList({w->LevelPanels[6][3]->accessibleName(), s.edit(6, 3)->accessibleName(),
                              w->PacePanels[6][3]->accessibleName(), w->PossiblePanels[6][3]->accessibleName()}),
                 QStringList({"Level 3 Namen", "Level 3 Bestzeit", "Level 3 Zeit / Name",
                              QString::fromUtf8("Level 3 möglich ...")}));
        // Created right after the main window; creation only reads the settings.
        const QObjectList windows = s.main->children();
        QVERIFY(windows.indexOf(w) >= 0 && windows.indexOf(w) < windows.indexOf(s.main->windows().WinZahlen));
        QVERIFY(!ReadBytes(s.dir.file("BRAIN.INI")).contains("Stoppuhr"));
        bool shownModally = false;
        QTimer::singleShot(0, w, [&] {
            shownModally = w->isModal() && w->isVisible();
            QCOMPARE(w->Button1->text(), QString("Schliessen"));
            QVERIFY(w->Button1->isDefault());
            w->Button1->click();
        });
        s.main->mQuendor->trigger();
        QVERIFY(shownModally);
        QCOMPARE(w->result(), int(QDialog::Accepted));
    }

    void typingUpdatesPaceAndCaption_data()
    {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pace");
        QTest::newRow("binary") << 1 << 1 << "30" << false << "30" << "15,00";
        QTest::newRow("numbers") << 2 << 1 << "30" << false << "30" << "6,00";
        QTest::newRow("words, only digits pass") << 3 << 1 << "3a -,0." << false << "30" << "7,50";
        QTest::newRow("half a hundredth rounds up") << 5 << 2 << "1" << false << "1" << "0,13";
        QTest::newRow("cleared") << 3 << 1 << "" << false << "" << "-";
        QTest::newRow("no amount") << 2 << 9 << "30" << false << "30" << "-";
        QTest::newRow("pasted") << 3 << 2 << "45" << true << "45" << "6,43";
        QTest::newRow("pasted letters refused") << 3 << 2 << "4a" << true << "" << "-";
        QTest::newRow("pasted decimal refused") << 3 << 2 << "4,5" << true << "" << "-";
        QTest::newRow("pasted ten digits refused") << 3 << 2 << "1234567890" << true << "" << "-";
    }

    void typingUpdatesPaceAndCaption()
    {
        QFETCH(int, discipline);
        QFETCH(int, level);
        QFETCH(QString, keys);
        QFETCH(bool, pasted);
        QFETCH(QString, text);
        QFETCH(QString, pace);
        Session s;
        s.win->show();
        s.type(discipline, level, pasted ? QString() : keys);
        if (pasted) {
            QApplication::clipboard()->setText(keys);
            s.edit(discipline, level)->paste();
        }
        QCOMPARE(s.edit(discipline, level)->text(), text);
        QCOMPARE(s.win->PacePanels[discipline][level]->text(), pace);
        const int filled = text.isEmpty() ? 69 : 70;
        const double mean = (999.0 * 69 + text.toInt()) / filled;
        QCOMPARE(s.win->windowTitle(), Caption + " - " + QLocale().toString(mean, 'f', 2) + " "
                     + QLocale().toString(filled / 7.0, 'f', 2));
    }

    void summaryOfTheFilledLevels()
    {
        Session s;
        for (int d = 1; d <= 7; ++d) {
            for (int level = 1; level <= 10; ++level)
                s.edit(d, level)->clear();
        }
        s.type(1, 1, "30");
        s.type(6, 8, "45");
        QCOMPARE(s.win->windowTitle(), Caption + " - 37,50 0,29");
        // With every time cleared, the caption no longer shows a mean of nothing.
        s.type(1, 1, "");
        s.type(6, 8, "");
        QCOMPARE(s.win->windowTitle(), Caption);
    }

    void projection_data()
    {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("time");
        QTest::addColumn<bool>("onProjectionPanel");
        QTest::addColumn<QString>("pace");
        QTest::addColumn<QString>("projection");
        QTest::addColumn<QString>("colour");  // of the chosen level: green, red or normal
        QTest::addColumn<QList<int>>("alike");  // levels of one amount, projected alike
        QTest::newRow("words level 2") << 3 << 2 << "30" << false << "4,29" << "30,03" << "red" << QList<int>{};
        QTest::newRow("words level 2, projection panel") << 3 << 2 << "30" << true
            << "4,29" << "30,03" << "red" << QList<int>{};
        QTest::newRow("words level 2, rounded down") << 3 << 2 << "32" << false
            << "4,57" << "31,99" << "green" << QList<int>{};
        QTest::newRow("binary level 1") << 1 << 1 << "30" << false << "15,00" << "30,00" << "normal" << QList<int>{};
        QTest::newRow("numbers level 8") << 2 << 8 << "85" << true << "1,00" << "85,00" << "normal" << QList<int>{};
        QTest::newRow("speed cards level 1") << 5 << 1 << "12" << false
            << "2,40" << "12,00" << "normal" << QList<int>{7, 8, 9, 10};
    }

    void projection()
    {
        QFETCH(int, discipline);
        QFETCH(int, level);
        QFETCH(QString, time);
        QFETCH(bool, onProjectionPanel);
        QFETCH(QString, pace);
        QFETCH(QString, projection);
        QFETCH(QString, colour);
        QFETCH(QList<int>, alike);
        Session s;
        TWinQuendor* w = s.win;
        w->show();
        const int d = discipline;
        const int untimed = level % 10 + 1;
        s.type(d, level, time);
        s.type(d, untimed, "");
        QTest::mouseDClick(onProjectionPanel ? w->PossiblePanels[d][level] : w->PacePanels[d][level], Qt::LeftButton);
        QCOMPARE(w->PacePanels[d][level]->text(), pace);
        QCOMPARE(w->PossiblePanels[d][level]->text(), projection);
        const QColor normal = w->palette().color(QPalette::WindowText);
        const QColor expected = colour == "red" ? Red : colour == "green" ? Green : normal;
        QCOMPARE(fontColour(w->PossiblePanels[d][level]), expected);
        // Every level is projected: one without amount gets nothing, one
        // without a time keeps its colour.
        for (int n = 1; n <= 10; ++n) {
            const Projection p = ProjectLevel(PaceCents(pace).value(), LevelAmount(d, n),
                                              QuendorDisciplineOf(d).unitsPerPace, s.edit(d, n)->text());
            QCOMPARE(w->PossiblePanels[d][n]->text(), p.text);
            QCOMPARE(fontColour(w->PossiblePanels[d][n]),
                     p.mark == ProjectionMark::Faster ? Green : p.mark == ProjectionMark::Slower ? Red : normal);
        }
        QCOMPARE(fontColour(w->PossiblePanels[d][untimed]), normal);
        for (int n : alike)
            QCOMPARE(w->PossiblePanels[d][n]->text(), w->PossiblePanels[d][alike.first()]->text());
        // A row without pace changes nothing; projected from another row, the
        // level now without a time keeps its colour.
        s.type(d, level, "");
        QTest::mouseDClick(w->PacePanels[d][level], Qt::LeftButton);
        QCOMPARE(w->PossiblePanels[d][level]->text(), projection);
        QTest::mouseDClick(w->PacePanels[d][level == 1 ? 3 : 1], Qt::LeftButton);
        QVERIFY(w->PossiblePanels[d][level]->text() != projection);
        QCOMPARE(fontColour(w->PossiblePanels[d][level]), expected);
    }

    void theKeyboardReachesEveryRowControl()
    {
        Session s;
        TWinQuendor* w = s.win;
        w->show();
        QApplication::setActiveWindow(w);
        s.type(3, 2, "30");
        QTest::keyClick(s.edit(3, 2), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->PacePanels[3][2]);
        QTest::keyClick(w->PacePanels[3][2], Qt::Key_Space);
        QCOMPARE(w->PossiblePanels[3][2]->text(), QString("30,03"));
        QTest::keyClick(w->PacePanels[3][2], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->PossiblePanels[3][2]);
        QTest::keyClick(w->PossiblePanels[3][2], Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w->PossiblePanels[3][3]);
        QTest::keyClick(w->PossiblePanels[3][3], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s.edit(3, 4));
        QTest::keyClick(s.edit(3, 4), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), s.edit(3, 3));
        // The next tab's first best time takes the focus and is typed over.
        QTest::keyClick(s.edit(3, 3), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), s.edit(4, 1));
        QTest::keyClicks(s.edit(4, 1), "7");
        QCOMPARE(s.edit(4, 1)->text(), QString("7"));
        QTest::keyClick(s.edit(4, 1), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), s.edit(4, 1));
        // Enter closes the window through its default button, from a panel too.
        QTest::keyClick(s.edit(4, 1), Qt::Key_Tab);
        QTest::keyClick(w->PacePanels[4][1], Qt::Key_Return);
        QVERIFY(!w->isVisible());
        QCOMPARE(s.stored("Zeiten_3_2"), QString("30"));
    }

    void valuesSurviveARestart()
    {
        Session s;
        QVERIFY(WriteBytes(s.dir.file("BRAIN.INI"), "[Stoppuhr]\nWandeln_1=4,567\nLastSeconds_7=2.5\n"));
        s.restart();
        s.win->show();
        s.type(1, 3, "45");
        s.type(3, 10, "120");
        s.type(5, 7, "");
        s.win->Button1->click();
        const QHash<QString, QString> typed{{"Zeiten_1_3", "45"}, {"Zeiten_3_10", "120"}, {"Zeiten_5_7", "0"},
                                            {"Wandeln_1", "4,567"}, {"LastSeconds_7", "2,5"}};
        for (int d = 1; d <= 7; ++d) {
            for (int level = 1; level <= 10; ++level) {
                const QString key = LevelTimeKey(d, level);
                QCOMPARE(s.stored(key), typed.value(key, "999"));
            }
            // Text has no hidden values; the others keep theirs to the last digit.
            for (const QString& key : {ConvertKey(d), LastSecondsKey(d)})
                QCOMPARE(s.stored(key), d == 4 ? "missing" : typed.value(key, "4"));
        }
        s.restart();
        QCOMPARE(s.edit(1, 3)->text() + "|" + s.edit(3, 10)->text() + "|" + s.edit(5, 7)->text(),
                 QString("45|120|"));
        QCOMPARE(s.win->ConvertEdits[1]->text(), QString("4,57"));
        QVERIFY(s.services.dialogs.errors.isEmpty());
    }

    void strangeStoredValuesGiveTheDefaults_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("text");
        QTest::newRow("not a number") << QByteArray("abc") << "999";
        QTest::newRow("a fraction") << QByteArray("12,5") << "999";
        QTest::newRow("zero") << QByteArray("0") << "";
        QTest::newRow("negative") << QByteArray("-5") << "";
        QTest::newRow("blanks around") << QByteArray("  42 ") << "42";
        QTest::newRow("beyond an integer") << QByteArray("99999999999") << "999";
    }

    void strangeStoredValuesGiveTheDefaults()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, text);
        Session s;
        QVERIFY(WriteBytes(s.dir.file("BRAIN.INI"), "[Stoppuhr]\nZeiten_2_4=" + stored + "\nLastSeconds_2=x\n"));
        s.restart();
        QCOMPARE(s.edit(2, 4)->text(), text);
        QCOMPARE(s.win->LastSecondsEdits[2]->text(), QString("4,00"));
    }

    void aFailedWriteIsReportedAndWritesNothing()
    {
        Session s;
        s.win->show();
        s.type(1, 1, "30");
        const QString file = s.dir.file("BRAIN.INI");
        const QByteArray before = ReadBytes(file);
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser));
        s.win->Button1->click();
        QCOMPARE(s.services.dialogs.errors, QStringList("nach " + file + " kann nicht geschrieben werden"));
        QCOMPARE(ReadBytes(file), before);
        // The values stay in the window, and the next close stores them.
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        s.win->show();
        s.win->reject();
        QCOMPARE(s.stored("Zeiten_1_1"), QString("30"));
    }
};

QTEST_MAIN(TestQuendor)
#include "test_quendor.moc"
