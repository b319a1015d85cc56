// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/disciplines.h"
#include "widgets/picture_page.h"

// What a number window is made of besides what every number window shares:
// its disciplines, settings word, spin ranges, sheet geometry and texts.
struct NumbersWindowConstants {
    using Spin = TPicturePage::Spin;

    const char* objectName;
    int captionTextId;
    const char* caption;
    int countLabelTextId;   // the labels over both counts
    const char* countLabel;
    DisciplineCode pictureCode;  // the picture page's discipline
    DisciplineCode memoCode;     // the memorisation page's discipline
    const char* settingsWord;
    Spin anzahl;            // picture page: count
    Spin zeile;             // picture page: digits per line
    Spin anzahlM;           // memorisation page: count when limited
    Spin memoZeit;          // minutes
    Spin replay;            // minutes
    int rowWidth;           // digits per sheet row
    int jumpWidth;          // columns of Ctrl+Left / Ctrl+Right
    int pictureFontPx;      // font of the flashed group
    bool speedPanelAdvances;  // the time-per-line panel advances a run too
    int NoLimitCount;       // digits of an attempt "without limit"

    // The digits drawn: '0' up to '0' + alphabetSize() - 1.
    int alphabetSize() const { return DisciplineOf(memoCode).alphabetSize; }
};
