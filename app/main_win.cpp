// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/main_win.h"

#include "app/korvanis_application.h"
#include "cards/card_picture_store.h"
#include "core/error_handler.h"
#include "core/ini_file.h"
#include "core/program_folders.h"
#include "core/program_info.h"
#include "history/history_messages.h"
#include "app/win_sprache.h"
#include "app/win_standards.h"
#include "widgets/window_helpers.h"

#include <QMenuBar>
#include <QWidget>

TMainWin::TMainWin(TickSource& tickSource, WavePlayer& wavePlayer, Dialogs& dialogs, Random& random,
                   const QString& programFile, DataFolderRule dataFolderRule)
    : ctx_(records_, tickSource, wavePlayer, dialogs, random)
{
    setObjectName(QStringLiteral("MainWin"));
    setWindowTitle(QStringLiteral("Korvanis - von den Korvanis-Entwicklern"));

    mDatei = menuBar()->addMenu(QStringLiteral("&Datei"));
    mBeenden = mDatei->addAction(QStringLiteral("&Beenden"), this, &QWidget::close);
    mBeenden->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    mTraining = menuBar()->addMenu(QStringLiteral("&Training"));
    mZahlen = mTraining->addAction(QStringLiteral("&Zahlen"), this, &TMainWin::mZahlenClick);
    mBinaer = mTraining->addAction(QStringLiteral("&Binärzahlen"), this, &TMainWin::mBinaerClick);
    mKarten = mTraining->addAction(QStringLiteral("&Spielkarten"), this, &TMainWin::mKartenClick);
    // The card image window had no command; learners need a way in.
    mKartenbilder = mTraining->addAction(QStringLiteral("Kartenbilder &lernen"), this, &TMainWin::mKartenbilderClick);
    mSpokenNo = mTraining->addAction(QStringLiteral("Spoken &Numbers"), this, &TMainWin::mSpokenNoClick);

    mOptionen = menuBar()->addMenu(QStringLiteral("&Optionen"));
    mStandard = mOptionen->addAction(QStringLiteral("&Standards"), this, &TMainWin::mStandardClick);
    mStandard->setVisible(false);
    mStandards = mOptionen->addAction(QStringLiteral("Meisterschafts&standards ..."), this,
                                      &TMainWin::mStandardsClick);
    mQuendor = mOptionen->addAction(QStringLiteral("Eigene &Quendor-Rekorde"), this, &TMainWin::mQuendorClick);
    mVerlauf = mOptionen->addAction(QStringLiteral("&Verlauf"), this, &TMainWin::mVerlaufClick);
    mSprache = mOptionen->addAction(QStringLiteral("Sprache/Language"), this, &TMainWin::mSpracheClick);

    mHilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    mAbout = mHilfe->addAction(QStringLiteral("Inf&o..."), this, &TMainWin::mAboutClick);

    SetObjectNames({{mDatei, "mDatei"}, {mBeenden, "mBeenden"}, {mTraining, "mTraining"}, {mZahlen, "mZahlen"},
                    {mBinaer, "mBinaer"}, {mKarten, "mKarten"}, {mKartenbilder, "mKartenbilder"},
                    {mSpokenNo, "mSpokenNo"}, {mOptionen, "mOptionen"}, {mStandard, "mStandard"},
                    {mStandards, "mStandards"}, {mQuendor, "mQuendor"}, {mVerlauf, "mVerlauf"},
                    {mSprache, "mSprache"}, {mHilfe, "mHilfe"}, {mAbout, "mAbout"}});

    auto* client = new QWidget(this);
    client->setFixedSize(526, 323);
    setCentralWidget(client);
    adjustSize();
    setFixedSize(sizeHint());

    RunGuarded(ctx_.dialogs, [&] { FormCreate(programFile, dataFolderRule); });
    CenterOnScreen(this);
}

TMainWin::~TMainWin()
{
    FormDestroy();
    // The other windows refer to the context; they go before it does.
    const auto children = findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow())
            delete child;
    }
}

void TMainWin::FormCreate(const QString& programFile, DataFolderRule dataFolderRule)
{
    // Dates reach the records table as dates, never as text in the system's
    // format, so there is no date format to fix here.
    ctx_.random.Randomize();
    ctx_.VersionText = ReadVersionText();
    ctx_.ProgramDir = ShippedFilesDir(programFile);
    ctx_.DataDir = ChooseDataDir(ProgramDirFromPath(programFile), UserDataDir(), dataFolderRule);

    IniFile ini(ctx_.settingsFile());
    ctx_.Language = ini.ReadInteger(QStringLiteral("Korvanis"), QStringLiteral("Sprache"), 0);
    UseQtTextsOfLanguage(ctx_.Language);
    // The history is armed before anything here can fail: a settings file that
    // cannot be written ends this handler, and must not take the training
    // history with it unseen. Its messages already speak the user's language.
    openHistory();
    ini.WriteInteger(QStringLiteral("Korvanis"), QStringLiteral("Sprache"), ctx_.Language);

    ApplyInterfaceTexts();
    loadStandards();
    ctx_.DBDaten.OpenRecordsTable(ctx_.DataDir);
}

void TMainWin::loadStandards()
{
    const StandardsLoad load = LoadChampionshipStandards(ctx_.DataDir);
    ctx_.standards = load.standards;
    if (load.badLine) {
        ctx_.dialogs.showError(ctx_.InterfaceText(460, QStringLiteral("Die Standards in %1 sind beschädigt (Zeile "
                                                                      "%2). Es gelten die mitgelieferten Werte; die "
                                                                      "Datei bleibt unverändert."))
                                   .arg(load.file)
                                   .arg(load.badLine));
    }
}

void TMainWin::openHistory()
{
    history_.setReporter([this](const HistoryProblem& problem) {
        ctx_.dialogs.showError(HistoryProblemText(ctx_, problem));
    });
    history_.open(ctx_.DataDir);
    ctx_.attemptLog = &history_;
}

void TMainWin::FormDestroy()
{
    RunGuarded(ctx_.dialogs, [&] { ctx_.DBDaten.CloseRecordsTable(); });
    ctx_.attemptLog = nullptr;
    history_.close();
}

void TMainWin::setWindows(const Windows& windows)
{
    windows_ = windows;
}

void TMainWin::adoptCardPictures(std::unique_ptr<CardPictureStore> pictures)
{
    cardPictures_ = std::move(pictures);
}

void TMainWin::ApplyInterfaceTexts()
{
    const auto apply = [this](auto* item, int id) {
        item->setText(ctx_.InterfaceText(id, item->text()));
    };
    apply(mDatei->menuAction(), 100);
    apply(mTraining->menuAction(), 101);
    apply(mOptionen->menuAction(), 102);
    apply(mHilfe->menuAction(), 103);
    apply(mBeenden, 104);
    apply(mZahlen, 105);
    apply(mBinaer, 106);
    apply(mKarten, 107);
    apply(mKartenbilder, 113);
    apply(mSpokenNo, 108);
    apply(mStandard, 109);
    apply(mStandards, 475);
    apply(mQuendor, 110);
    apply(mVerlauf, 114);
    apply(mSprache, 111);
    apply(mAbout, 112);
    setWindowTitle(ctx_.InterfaceText(120, windowTitle()));
}

void TMainWin::showModal(QDialog* window)
{
    if (window)
        window->exec();
}

void TMainWin::mZahlenClick()
{
    showModal(windows_.WinZahlen);
}

void TMainWin::mBinaerClick()
{
    showModal(windows_.WinBinaer);
}

void TMainWin::mSpokenNoClick()
{
    showModal(windows_.WinSpoken);
}

void TMainWin::mKartenClick()
{
    showModal(windows_.WinKarten);
}

void TMainWin::mKartenbilderClick()
{
    showModal(windows_.WinLearnCards);
}

void TMainWin::mStandardClick()
{
    showModal(windows_.WinChamp);
}

void TMainWin::mStandardsClick()
{
    showModal(windows_.WinStandards);
}

void TMainWin::mQuendorClick()
{
    showModal(windows_.WinQuendor);
}

void TMainWin::mVerlaufClick()
{
    showModal(windows_.WinVerlauf);
}

void TMainWin::mAboutClick()
{
    showModal(windows_.WinAbout);
}

void TMainWin::mSpracheClick()
{
    TWinSprache* dialog = windows_.WinSprache;
    if (!dialog || dialog->exec() != QDialog::Accepted)
        return;
    ctx_.Language = dialog->selectedLanguage();
    ApplyInterfaceTexts();
    UseQtTextsOfLanguage(ctx_.Language);
    IniFile(ctx_.settingsFile()).WriteInteger(QStringLiteral("Korvanis"), QStringLiteral("Sprache"), ctx_.Language);
}
