// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <QVector>

// Scoring of a recalled sheet, one pair of texts per sheet row. Both texts of a row
// are as long as the row has digits (the row width, or the digits of the last row).
struct RowTexts {
    QString given;     // the digits of the memorisation sheet
    QString recalled;  // per cell the recalled digit, or ' ' where the cell was left empty
};

struct ScoreResult {
    QVector<int> rowPoints;  // one entry per row, in row order
    int totalPoints = 0;
    int correctDigits = 0;   // right digits of every row that holds any entry
    // Wrong digits and empty cells of every row that holds any entry, the cells
    // after the last entry of the last such row excepted: what the rules count
    // as errors, and what the user is told of as errors.
    int errors = 0;
};

// Championship rule: a row without error scores its correct digits, a row with one
// error half of them rounded up, a row with more errors nothing. Only in the last
// row that holds an entry do the empty cells after that entry not count as errors.
ScoreResult ScoreChampionship(const QVector<RowTexts>& rows);

// Rows without half credit: a row without error scores its correct digits, a row
// with any error nothing. Errors are counted as the championship rule counts them.
ScoreResult ScoreWholeRows(const QVector<RowTexts>& rows);

// Spoken-numbers rule: points for every digit right before the first error (a wrong
// digit, an empty cell or an empty row), counted across rows.
ScoreResult ScoreFirstError(const QVector<RowTexts>& rows);

enum class CellMark { Right, Wrong, Missing };

// How a recall cell is marked: Right (green text), Wrong (red text) or Missing
// (light-red background). recalled ' ' or a null character means the cell is empty.
CellMark MarkCell(QChar given, QChar recalled);
