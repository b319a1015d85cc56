// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/quendor_levels.h"

namespace {

const std::array<QuendorDiscipline, QuendorDisciplineCount> Disciplines{{
    {"tsBinary", "Binary Numbers", "Ziffern", "Zeit / Route", 6, {12, 24, 36, 72, 96, 144, 192, 240, 360, 600}},
    {"tsNumbers", "Speed Numbers", "Zahlen", "Zeit / Route", 2, {10, 20, 30, 40, 60, 80, 120, 170, 0, 0}},
    {"tsWords", "Words", "Wörter", "Zeit / Route", 1, {4, 7, 10, 15, 20, 25, 30, 40, 50, 70}},
    {"tsText", "Text", "Textzeilen", "Zeit / Zeile", 1, {1, 2, 3, 4, 5, 6, 7, 8, 10, 12}},
    {"tsCards", "Speed Cards", "Karten", "Zeit / Route", 1, {5, 8, 10, 15, 20, 32, 52, 52, 52, 52}},
    {"tsNames", "Names && Faces", "Namen", "Zeit / Name", 1, {3, 4, 5, 6, 7, 8, 10, 15, 0, 0}},
    {"tsDates", "Historical Dates", "Hist. Daten", "Zeit / Datum", 1, {2, 4, 6, 6, 8, 10, 15, 20, 30, 0}},
}};

} // namespace

const QuendorDiscipline& QuendorDisciplineOf(int discipline)
{
    return Disciplines.at(discipline - 1);
}

int LevelAmount(int discipline, int level)
{
    return QuendorDisciplineOf(discipline).amounts.at(level - 1);
}

bool HasHiddenValues(int discipline)
{
    return discipline != TextDiscipline;
}

QString LevelTimeKey(int discipline, int level)
{
    return QStringLiteral("Zeiten_%1_%2").arg(discipline).arg(level);
}

QString ConvertKey(int discipline)
{
    return QStringLiteral("Wandeln_%1").arg(discipline);
}

QString LastSecondsKey(int discipline)
{
    return QStringLiteral("LastSeconds_%1").arg(discipline);
}
