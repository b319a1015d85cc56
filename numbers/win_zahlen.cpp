// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/win_zahlen.h"

const NumbersWindowConstants TWinZahlen::Constants = {
    .objectName = "WinZahlen",
    .captionTextId = 169,
    .caption = "Zahlentraining",
    .countLabelTextId = 154,
    .countLabel = "Anzahl Zahlen",
    .pictureCode = NumbersPicture,
    .memoCode = NumbersMemo,
    .settingsWord = "Zahlen",
    .anzahl = {1, 10000, 10, 200},
    .zeile = {1, 10, 1, 2},
    .anzahlM = {1, 20000, 100, 400},
    .memoZeit = {1, 10000, 5, 5},
    .replay = {1, 10000, 5, 10},
    .rowWidth = 40,
    .jumpWidth = 10,
    .pictureFontPx = 24,
    .speedPanelAdvances = false,
    .NoLimitCount = 20000,
};
