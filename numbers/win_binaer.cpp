// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/win_binaer.h"

const NumbersWindowConstants TWinBinaer::Constants = {
    .objectName = "WinBinaer",
    .captionTextId = 140,
    .caption = "Binärzahlentraining",
    .countLabelTextId = 143,
    .countLabel = "Anzahl Ziffern",
    .pictureCode = BinaryPicture,
    .memoCode = BinaryMemo,
    .settingsWord = "Binaer",
    .anzahl = {1, 10000, 10, 600},
    .zeile = {1, 30, 6, 6},
    .anzahlM = {1, 20000, 100, 600},
    .memoZeit = {1, 10000, 5, 5},
    .replay = {1, 10000, 5, 10},
    .rowWidth = 30,
    .jumpWidth = 6,
    .pictureFontPx = 19,
    .speedPanelAdvances = true,
    .NoLimitCount = 20000,
};
