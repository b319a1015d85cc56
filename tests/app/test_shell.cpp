// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/korvanis_application.h"
#include "app/main_win.h"
#include "app/qt_services.h"
#include "core/ini_file.h"
#include "core/program_info.h"
#include "app/startup.h"
#include "app/win_about.h"
#include "app/win_sprache.h"
#include "widgets/win_wait.h"
#include "tests/support/fakes.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

QStringList menuTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (QAction* action : actions)
        texts << action->text();
    return texts;
}

QStringList menuTexts(TMainWin& win)
{
    return menuTexts(win.menuBar()->actions());
}

// Answers the next modal dialog with the given action once it is shown; a dialog
// the action leaves open is cancelled, so a failed check never hangs the test.
void whenShown(QDialog* dialog, std::function<void()> action)
{
    QTimer::singleShot(0, dialog, [dialog, action] {
        if (dialog->isVisible())
            action();
        if (dialog->isVisible())
            dialog->reject();
    });
}

// The texts of the Yes and No buttons of the record question, as the real message
// box shows them; the box is answered No at once.
QStringList questionButtonTexts()
{
    QStringList texts;
    QTimer::singleShot(0, qApp, [&texts] {
        QWidget* shown = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(shown))
            texts << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text();
        if (shown)
            shown->close();
    });
    QtDialogs().askYesNo(QStringLiteral("Neuer Rekord! Wollen Sie ihn speichern?"));
    return texts;
}

const QStringList GermanButtons{"&Ja", "&Nein"};
const QStringList EnglishButtons{"&Yes", "&No"};

// Confirms a language in the language dialog.
void chooseLanguage(TMainWin& win, int language)
{
    TWinSprache* dialog = win.windows().WinSprache;
    whenShown(dialog, [dialog, language] {
        dialog->lbSprache->setCurrentRow(language);
        dialog->bOK->click();
    });
    win.mSprache->trigger();
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainWin> start(FakeServices& services, const TempProgramDir& dir)
    {
        return CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                     dir.file("korvanis"));
    }

private Q_SLOTS:
    void programFolderAlwaysEndsInOneSeparator_data()
    {
        QTest::addColumn<QString>("programFile");
        QTest::addColumn<QString>("folder");
        QTest::newRow("root") << "/korvanis" << "/";
        QTest::newRow("nested") << "/opt/korvanis/korvanis" << "/opt/korvanis/";
        QTest::newRow("none") << "" << "";
    }

    void programFolderAlwaysEndsInOneSeparator()
    {
        QFETCH(QString, programFile);
        QFETCH(QString, folder);
        QCOMPARE(ProgramDirFromPath(programFile), folder);
    }

    void versionTextHasFourNumbers()
    {
        QVERIFY(QRegularExpression("^V\\d+\\.\\d+\\.\\d+\\.\\d+$").match(ReadVersionText()).hasMatch());
    }

    void firstStartInAnEmptyFolder()
    {
        FakeServices services;
        TempProgramDir dir;
        auto win = start(services, dir);
        QCOMPARE(win->context().ProgramDir, dir.path());
        QCOMPARE(ReadBytes(dir.file("BRAIN.INI")),
                 QByteArray("[Korvanis]\r\nSprache=0\r\nTraining Zahlen Anzahl=200\r\nTraining Zahlen Zeile=2\r\n"
                            "Training Binaer Anzahl=600\r\nTraining Binaer Zeile=6\r\n"
                            "Training Karten Anzahl=600\r\nTraining Karten Zeile=1\r\n"));
        QCOMPARE(menuTexts(*win), QStringList({"&Datei", "&Training", "&Optionen", "&Hilfe"}));
        QCOMPARE(menuTexts(win->mTraining->actions()),
                 QStringList({"&Zahlen", "&Binärzahlen", "&Spielkarten", "Kartenbilder &lernen", "&Gesprochene Zahlen"}));
        QCOMPARE(win->windowTitle(), QString("Korvanis - von den Korvanis-Entwicklern"));
        QCOMPARE(win->centralWidget()->size(), QSize(526, 323));
        QVERIFY(!win->mStandard->isVisible());
        QVERIFY(services.dialogs.errors.isEmpty());
        // The about window knows the version from its creation on.
        auto* about = qobject_cast<TWinAbout*>(win->windows().WinAbout);
        QCOMPARE(about->lab2->text(), "Korvanis - Version " + ReadVersionText());
        // Automation finds every window's controls by their names.
        for (const char* name : {"mZahlen", "mBinaer", "mSprache", "mAbout", "WinBinaer", "Button1", "Label4",
                                 "lbSprache", "bOK", "bAbort", "cbDisziplin", "ePoints4WC", "lNachricht",
                                 "WinQuendor", "pcRekorde", "pP7_10", "mKartenbilder", "WinLearnCards", "pBedeutung"})
            QVERIFY2(win->findChild<QObject*>(name), name);
        QVERIFY(win->mBinaer->isEnabled());
        QCOMPARE(win->findChild<QWidget*>("ePoints4WC")->accessibleName(), QString("Punkte für Weltrekord"));
    }

    void storedLanguageIsAppliedAndKept_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("fileMenu");
        QTest::addColumn<QByteArray>("afterwards");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("English") << QByteArray("1") << 1 << "&File" << QByteArray("1") << EnglishButtons;
        QTest::newRow("German") << QByteArray("0") << 0 << "&Datei" << QByteArray("0") << GermanButtons;
        QTest::newRow("other number acts as German")
            << QByteArray("5") << 5 << "&Datei" << QByteArray("5") << GermanButtons;
        QTest::newRow("no number") << QByteArray("englisch") << 0 << "&Datei" << QByteArray("0") << GermanButtons;
    }

    void storedLanguageIsAppliedAndKept()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, language);
        QFETCH(QString, fileMenu);
        QFETCH(QByteArray, afterwards);
        QFETCH(QStringList, buttons);
        FakeServices services;
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("BRAIN.INI"), "\xEF\xBB\xBF[Korvanis]\r\nSprache=" + stored + "\r\n"));
        auto win = start(services, dir);
        QCOMPARE(win->context().Language, language);
        QCOMPARE(menuTexts(*win).first(), fileMenu);
        QCOMPARE(ReadBytes(dir.file("BRAIN.INI")), "\xEF\xBB\xBF[Korvanis]\r\nSprache=" + afterwards
                     + "\r\nTraining Zahlen Anzahl=200\r\nTraining Zahlen Zeile=2\r\n"
                       "Training Binaer Anzahl=600\r\nTraining Binaer Zeile=6\r\n"
                       "Training Karten Anzahl=600\r\nTraining Karten Zeile=1\r\n");
        // Qt's standard buttons follow the program's language, not the system's.
        QCOMPARE(questionButtonTexts(), buttons);
    }

    void unwritableSettingsStopTheMainWindowsCreation()
    {
        FakeServices services;
        TempProgramDir dir;
        QVERIFY(QDir().mkdir(dir.file("BRAIN.INI")));
        auto win = start(services, dir);
        // The main window and each training window report their failed write.
        const QString message = "nach " + dir.file("BRAIN.INI") + " kann nicht geschrieben werden";
        QCOMPARE(services.dialogs.errors, QStringList({message, message, message, message}));
        // The program goes on, with its built-in German texts.
        QCOMPARE(menuTexts(*win).first(), QString("&Datei"));
        QVERIFY(win->windows().WinSprache);
    }

    void confirmingALanguageRenamesTheMenuAndStoresIt()
    {
        FakeServices services;
        TempProgramDir dir;
        auto win = start(services, dir);
        TWinSprache* dialog = win->windows().WinSprache;
        whenShown(dialog, [dialog] {
            QCOMPARE(dialog->lbSprache->currentRow(), 0);
            dialog->lbSprache->setCurrentRow(1);
            QCOMPARE(dialog->windowTitle(), QString("Choose language"));
            QCOMPARE(dialog->bAbort->text(), QString("Abort"));
            dialog->bOK->click();
        });
        win->mSprache->trigger();
        QCOMPARE(win->context().Language, 1);
        QCOMPARE(menuTexts(*win), QStringList({"&File", "&Training", "&Options", "&Help"}));
        QCOMPARE(win->mAbout->text(), QString("About..."));
        QCOMPARE(menuTexts(win->mTraining->actions()),
                 QStringList({"&Numbers", "&Binary Numbers", "&Playing Cards", "Learn card &images", "&Spoken Numbers"}));
        QCOMPARE(win->windowTitle(), QString("Korvanis - from the Korvanis developers"));
        QCOMPARE(IniFile(dir.file("BRAIN.INI")).ReadInteger("Korvanis", "Sprache", -9), 1);

        // The about window follows the next time it is shown.
        auto* about = qobject_cast<TWinAbout*>(win->windows().WinAbout);
        whenShown(about, [about] { about->Button1->click(); });
        win->mAbout->trigger();
        QCOMPARE(about->windowTitle(), QString("About"));
        QCOMPARE(about->lab2->text(), "Korvanis - Version " + ReadVersionText());
        QCOMPARE(about->lab3->text(), QString("A trainer for memory sports"));
    }

    void qtStandardButtonsFollowTheConfirmedLanguage()
    {
        FakeServices services;
        TempProgramDir dir;
        auto win = start(services, dir);
        QCOMPARE(questionButtonTexts(), GermanButtons);
        chooseLanguage(*win, 1);
        QCOMPARE(win->context().Language, 1);
        QCOMPARE(questionButtonTexts(), EnglishButtons);
        chooseLanguage(*win, 0);
        QCOMPARE(win->context().Language, 0);
        QCOMPARE(questionButtonTexts(), GermanButtons);

        // A preview in the dialog that is then cancelled changes nothing.
        TWinSprache* dialog = win->windows().WinSprache;
        whenShown(dialog, [dialog] {
            dialog->lbSprache->setCurrentRow(1);
            dialog->bAbort->click();
        });
        win->mSprache->trigger();
        QCOMPARE(questionButtonTexts(), GermanButtons);
    }

    void cancellingKeepsEverythingAndTheNextShowingIsGermanAgain()
    {
        FakeServices services;
        TempProgramDir dir;
        auto win = start(services, dir);
        TWinSprache* dialog = win->windows().WinSprache;
        whenShown(dialog, [dialog] {
            dialog->lbSprache->setCurrentRow(1);
            QCOMPARE(dialog->bOK->text(), QString("OK"));
            QCOMPARE(dialog->lab1->text(), QString("Sprache wählen / Choose language"));
            dialog->bAbort->click();
        });
        win->mSprache->trigger();
        QCOMPARE(win->context().Language, 0);
        QCOMPARE(menuTexts(*win).first(), QString("&Datei"));
        whenShown(dialog, [dialog] {
            QCOMPARE(dialog->windowTitle(), QString("Sprache wählen"));
            QCOMPARE(dialog->bAbort->text(), QString("Abbrechen"));
            dialog->reject();
        });
        win->mSprache->trigger();
        QCOMPARE(IniFile(dir.file("BRAIN.INI")).ReadInteger("Korvanis", "Sprache", -9), 0);
    }

    void confirmingWithNothingSelectedStoresMinusOne()
    {
        FakeServices services;
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("BRAIN.INI"), "[Korvanis]\nSprache=3\n"));
        auto win = start(services, dir);
        TWinSprache* dialog = win->windows().WinSprache;
        whenShown(dialog, [dialog] {
            QVERIFY(dialog->lbSprache->selectedItems().isEmpty());
            dialog->bOK->click();
        });
        win->mSprache->trigger();
        QCOMPARE(win->context().Language, -1);
        QCOMPARE(menuTexts(*win).first(), QString("&Datei"));
        QCOMPARE(IniFile(dir.file("BRAIN.INI")).ReadInteger("Korvanis", "Sprache", -9), -1);
    }

    void aboutAddressOpensThroughTheShell()
    {
        FakeServices services;
        TempProgramDir dir;
        auto win = start(services, dir);
        auto* about = qobject_cast<TWinAbout*>(win->windows().WinAbout);
        about->Label4Click();
        QCOMPARE(services.dialogs.urls, QStringList(QString::fromLatin1(AboutWebAddress)));
        QVERIFY(QUrl::fromUserInput(services.dialogs.urls.first()).isValid());
    }

    void waitWindowStaysOnTopAndTakesNoInput()
    {
        FakeServices services;
        TempProgramDir dir;
        auto win = start(services, dir);
        TWinWait* wait = win->windows().WinWait;
        QVERIFY(wait->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(wait->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        QCOMPARE(wait->windowTitle(), QString("Einen Moment"));
        QCOMPARE(wait->size(), QSize(193, 49));
    }
};

// The program's own application object, so that what it sets up at start-up is
// tested too; ctest runs this on an English and on a German system. An exception
// escaping a handler is counted rather than shown in a box nobody closes.
int main(int argc, char** argv)
{
    KorvanisApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    ScriptedDialogs escaped;
    app.setErrorDialogs(&escaped);
    TestShell test;
    QTEST_SET_MAIN_SOURCE_PATH
    const int failed = QTest::qExec(&test, argc, argv);
    for (const QString& error : std::as_const(escaped.errors))
        qWarning("escaped a handler: %s", qPrintable(error));
    return failed + int(escaped.errors.size());
}
#include "test_shell.moc"
