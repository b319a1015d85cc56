// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "overviews/quendor_levels.h"

#include <QString>
#include <array>

class IniFile;

// What the overview keeps in its section of the settings file.
struct QuendorValues {
    // The best-time edits' texts, empty for no time.
    std::array<std::array<QString, QuendorLevelCount>, QuendorDisciplineCount> bestTimes;
    // The two hidden values of each discipline but Text.
    std::array<double, QuendorDisciplineCount> convert{};
    std::array<double, QuendorDisciplineCount> lastSeconds{};

    QString& bestTime(int discipline, int level) { return bestTimes.at(discipline - 1).at(level - 1); }
    const QString& bestTime(int discipline, int level) const
    {
        return bestTimes.at(discipline - 1).at(level - 1);
    }
};

// The stored values: a best time missing or not a whole number is 999, one below
// 1 an empty edit; a hidden value missing or not a number is 4.
QuendorValues ReadQuendorValues(const IniFile& ini);

// All 70 best times (0 for an empty edit) and the 12 hidden values in one write.
// A best time that is not a number leaves its key as the file has it. Raises
// KorvanisError when the file cannot be written; the file then stays as it was.
void WriteQuendorValues(IniFile& ini, const QuendorValues& values);

// A hidden value as its edit shows it, with two decimals.
QString HiddenValueText(double value);

// The value to store for a hidden edit: the value read, to its last digit, while
// the edit still shows it; otherwise what the edit holds, 0 when empty.
double HiddenValueToStore(const QString& editText, double stored);
