// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/startup.h"

#include "app/main_win.h"
#include "app/win_about.h"
#include "app/win_champ.h"
#include "app/win_sprache.h"
#include "app/win_standards.h"
#include "cards/card_picture_store.h"
#include "cards/win_karten.h"
#include "cards/win_learn_cards.h"
#include "widgets/win_wait.h"
#include "numbers/win_binaer.h"
#include "numbers/win_spoken.h"
#include "numbers/win_zahlen.h"
#include "overviews/win_quendor.h"
#include "overviews/win_verlauf.h"

std::unique_ptr<TMainWin> CreateKorvanisWindows(TickSource& tickSource, WavePlayer& wavePlayer, Dialogs& dialogs,
                                                Random& random, const QString& programFile,
                                                DataFolderRule dataFolderRule)
{
    // The card pictures are decoded before any window exists, once for the run.
    auto pictures = std::make_unique<CardPictureStore>();
    pictures->load();

    auto main = std::make_unique<TMainWin>(tickSource, wavePlayer, dialogs, random, programFile, dataFolderRule);
    main->adoptCardPictures(std::move(pictures));
    AppContext& ctx = main->context();

    // The order of creation is the order in which the windows read their settings.
    TMainWin::Windows windows;
    windows.WinQuendor = new TWinQuendor(ctx, main.get());
    windows.WinLearnCards = new TWinLearnCards(ctx, main->cardPictures(), main.get());
    auto* winZahlen = new TWinZahlen(ctx, main.get());
    windows.WinZahlen = winZahlen;
    auto* winBinaer = new TWinBinaer(ctx, main.get());
    windows.WinBinaer = winBinaer;
    windows.WinKarten = new TWinKarten(ctx, main->cardPictures(), main.get());
    windows.WinWait = new TWinWait(main.get());
    winZahlen->setWaitWindow(windows.WinWait);
    winBinaer->setWaitWindow(windows.WinWait);
    windows.WinAbout = new TWinAbout(ctx, main.get());
    windows.WinSpoken = new TWinSpoken(ctx, main.get());
    windows.WinChamp = new TWinChamp(main.get());
    windows.WinSprache = new TWinSprache(ctx, main.get());
    windows.WinVerlauf = new TWinVerlauf(ctx, main->history(), main.get());
    windows.WinStandards = new TWinStandards(ctx, main.get());
    main->setWindows(windows);
    return main;
}
