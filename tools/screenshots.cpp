// Renders every window of the program, in German and in English, the numbers
// and binary windows in each phase of an attempt, and the history window after a
// few weeks of training, into PNG files. Used for the README and to
// look over the layouts; run as
//   QT_QPA_PLATFORM=offscreen build/tools/korvanis_screenshots <folder>
#include "app/korvanis_application.h"
#include "app/main_win.h"
#include "app/startup.h"
#include "app/win_about.h"
#include "app/win_champ.h"
#include "app/win_sprache.h"
#include "widgets/win_wait.h"
#include "numbers/numbers_base.h"
#include "overviews/win_verlauf.h"
#include "tests/support/fakes.h"
#include "widgets/panel.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
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
    z->bChange->click();
    save(z, prefix + "_given_" + suffix);
    z->bChange->click();
    z->hide();
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
    verlauf->hide();
    // The clock above lives no longer than this function.
    history.setClock([] { return QDateTime::currentDateTime(); });
}

void shootLanguage(int language, const QString& suffix)
{
    QLocale::setDefault(language == 1 ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                      : QLocale(QLocale::German, QLocale::Germany));
    FakeServices services;
    TempProgramDir dir;
    auto main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                      dir.file("korvanis"));
    main->context().Language = language;
    // The attempts of the windows shot below belong to the few weeks of training
    // that shootHistory lays out, not to the day the screenshots are made.
    main->history().setClock([] { return QDateTime(QDate(2024, 4, 30), QTime(17, 40)); });
    main->ApplyInterfaceTexts();
    main->show();
    save(main.get(), "main_" + suffix);
    for (QMenu* menu : {main->mTraining, main->mOptionen}) {
        menu->popup(main->mapToGlobal(QPoint(0, 0)));
        save(menu, "menu_" + menu->objectName() + QString::number(main->menuBar()->actions().indexOf(menu->menuAction())) + "_" + suffix);
        menu->hide();
    }
    const TMainWin::Windows& w = main->windows();
    for (QDialog* dialog : {w.WinAbout, static_cast<QDialog*>(w.WinSprache), w.WinChamp}) {
        dialog->show();
        save(dialog, dialog->objectName() + "_" + suffix);
        dialog->hide();
    }
    w.WinWait->lNachricht->setText(main->context().InterfaceText(161, "Zahlen werden vorbereitet ..."));
    w.WinWait->show();
    save(w.WinWait, "WinWait_" + suffix);
    w.WinWait->hide();

    shootNumbersWindow(qobject_cast<TNumbersBase*>(w.WinZahlen), services, "zahlen", suffix);
    shootNumbersWindow(qobject_cast<TNumbersBase*>(w.WinBinaer), services, "binaer", suffix);
    shootHistory(*main, suffix);
}

} // namespace

int main(int argc, char** argv)
{
    KorvanisApplication app(argc, argv);
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    shootLanguage(0, "de");
    shootLanguage(1, "en");
    return 0;
}
