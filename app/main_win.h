// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/app_context.h"
#include "core/program_folders.h"
#include "history/history_store.h"
#include "records/records_table.h"
#include "widgets/held_keys.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class CardPictureStore;
class QAction;
class QMenu;
class QDialog;
class TWinSprache;
class TWinStandards;
class TWinWait;

// The main window: a bare menu bar whose commands open the training windows. It
// owns what all windows share (the application context).
class TMainWin : public QMainWindow {
    Q_OBJECT

public:
    TMainWin(TickSource& tickSource, WavePlayer& wavePlayer, Dialogs& dialogs, Random& random,
             const QString& programFile, DataFolderRule dataFolderRule = DataFolderRule::ProgramFolderFirst);
    ~TMainWin() override;

    AppContext& context() { return ctx_; }
    // The training history the context's attempt log writes to, for the history
    // window to read.
    HistoryStore& history() { return history_; }
    // The program's watch over held keys, for the questions asked over a window.
    HeldKeys& heldKeys() { return heldKeys_; }

    // The windows the menu shows, created after the main window.
    struct Windows {
        QDialog* WinQuendor = nullptr;
        QDialog* WinLearnCards = nullptr;
        QDialog* WinZahlen = nullptr;
        QDialog* WinBinaer = nullptr;
        QDialog* WinKarten = nullptr;
        TWinWait* WinWait = nullptr;
        QDialog* WinAbout = nullptr;
        QDialog* WinSpoken = nullptr;
        QDialog* WinChamp = nullptr;
        QDialog* WinVerlauf = nullptr;
        TWinStandards* WinStandards = nullptr;
        TWinSprache* WinSprache = nullptr;
    };
    void setWindows(const Windows& windows);
    const Windows& windows() const { return windows_; }

    // The card pictures are filled before the main window exists; it keeps them
    // with the other shared things, for as long as any card can be shown.
    void adoptCardPictures(std::unique_ptr<CardPictureStore> pictures);
    const CardPictureStore& cardPictures() const { return *cardPictures_; }

    void ApplyInterfaceTexts();

    QMenu* mDatei = nullptr;
    QAction* mBeenden = nullptr;
    QMenu* mTraining = nullptr;
    QAction* mZahlen = nullptr;
    QAction* mBinaer = nullptr;
    QAction* mKarten = nullptr;
    QAction* mKartenbilder = nullptr;
    QAction* mSpokenNo = nullptr;
    QMenu* mOptionen = nullptr;
    QAction* mStandard = nullptr;
    QAction* mStandards = nullptr;
    QAction* mQuendor = nullptr;
    QAction* mVerlauf = nullptr;
    QAction* mSprache = nullptr;
    QMenu* mHilfe = nullptr;
    QAction* mAbout = nullptr;

public Q_SLOTS:
    void mZahlenClick();
    void mBinaerClick();
    void mSpokenNoClick();
    void mKartenClick();
    void mKartenbilderClick();
    void mStandardClick();
    void mStandardsClick();
    void mQuendorClick();
    void mVerlaufClick();
    void mSpracheClick();
    void mAboutClick();

private:
    void FormCreate(const QString& programFile, DataFolderRule dataFolderRule);
    void FormDestroy();
    void openHistory();
    void loadStandards();
    void showModal(QDialog* window);

    RecordsTable records_;
    HistoryStore history_;
    HeldKeys heldKeys_;
    AppContext ctx_;
    std::unique_ptr<CardPictureStore> cardPictures_;
    Windows windows_;
};
