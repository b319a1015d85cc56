// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <array>

// The seven disciplines of the Quendor ranking and their ten levels, as the
// ranking-level overview lays them out. Disciplines and levels are counted from
// 1, as the tabs and the settings keys count them.

inline constexpr int QuendorDisciplineCount = 7;
inline constexpr int QuendorLevelCount = 10;
// Text keeps no hidden values: it has neither edits for them nor keys.
inline constexpr int TextDiscipline = 4;

struct QuendorDiscipline {
    const char* tabSheet;       // object name of the tab sheet
    const char* caption;        // tab caption; "&&" shows one ampersand
    const char* amountHeading;
    const char* paceHeading;
    int unitsPerPace;           // items one pace stands for
    // Amount of material per level; 0 where the ranking has no such level.
    std::array<int, QuendorLevelCount> amounts;
};

// Discipline 1 to 7.
const QuendorDiscipline& QuendorDisciplineOf(int discipline);

// 0 for a level the discipline does not have.
int LevelAmount(int discipline, int level);

bool HasHiddenValues(int discipline);

// The section of the settings file the overview owns, and its keys:
// "Zeiten_1_10", "Wandeln_3", "LastSeconds_7".
inline const QString QuendorSection = QStringLiteral("Stoppuhr");
QString LevelTimeKey(int discipline, int level);
QString ConvertKey(int discipline);
QString LastSecondsKey(int discipline);
