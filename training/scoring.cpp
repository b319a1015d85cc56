// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/scoring.h"

#include <QStringView>

namespace {

// Blank as the trimming of the row texts has always understood it: a space or any
// control character, so a cell that yielded a null character counts as empty too.
bool isBlank(QChar c) { return c.unicode() <= u' '; }

bool isBlankRow(QStringView text)
{
    for (QChar c : text) {
        if (!isBlank(c))
            return false;
    }
    return true;
}

QStringView withoutTrailingBlanks(QStringView text)
{
    qsizetype n = text.size();
    while (n > 0 && isBlank(text[n - 1]))
        --n;
    return text.first(n);
}

struct RowCount {
    int correct = 0;
    int errors = 0;
};

// A recalled cell past the end of the given digits cannot be right.
RowCount compareRow(QStringView given, QStringView recalled)
{
    RowCount count;
    for (qsizetype i = 0; i < recalled.size(); ++i) {
        if (i < given.size() && recalled[i] == given[i])
            ++count.correct;
        else
            ++count.errors;
    }
    return count;
}

using RowPoints = int (*)(const RowCount&);

int championshipPoints(const RowCount& count)
{
    if (count.errors == 0)
        return count.correct;
    // (correct + 0.5) / 2 to the nearest integer can never be a tie, so it is
    // exactly half the correct digits rounded up.
    if (count.errors == 1)
        return (count.correct + 1) / 2;
    return 0;
}

int wholeRowPoints(const RowCount& count)
{
    return count.errors == 0 ? count.correct : 0;
}

ScoreResult scoreRows(const QVector<RowTexts>& rows, RowPoints rowPoints)
{
    ScoreResult result;
    result.rowPoints.resize(rows.size());
    // Walking up from the bottom, the first row with an entry is the one where the
    // user stopped: the cells left open after the last entry are no errors there.
    bool lastWrittenRowPending = true;
    for (qsizetype r = rows.size() - 1; r >= 0; --r) {
        QStringView recalled = rows[r].recalled;
        if (isBlankRow(recalled))
            continue;
        if (lastWrittenRowPending) {
            lastWrittenRowPending = false;
            recalled = withoutTrailingBlanks(recalled);
        }
        const RowCount count = compareRow(rows[r].given, recalled);
        const int points = rowPoints(count);
        result.rowPoints[r] = points;
        result.totalPoints += points;
        result.correctDigits += count.correct;
        result.errors += count.errors;
    }
    return result;
}

} // namespace

ScoreResult ScoreChampionship(const QVector<RowTexts>& rows)
{
    return scoreRows(rows, championshipPoints);
}

ScoreResult ScoreWholeRows(const QVector<RowTexts>& rows)
{
    return scoreRows(rows, wholeRowPoints);
}

ScoreResult ScoreFirstError(const QVector<RowTexts>& rows)
{
    ScoreResult result;
    // The errors are counted as the row rule counts them, so both rules tell
    // the user of the same cells.
    result.errors = ScoreChampionship(rows).errors;
    result.rowPoints.resize(rows.size());
    bool errorSeen = false;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QStringView recalled = rows[r].recalled;
        const QStringView given = rows[r].given;
        if (isBlankRow(recalled)) {
            errorSeen = true;
            continue;
        }
        int points = 0;
        for (qsizetype i = 0; i < recalled.size(); ++i) {
            if (i < given.size() && recalled[i] == given[i]) {
                ++result.correctDigits;
                if (!errorSeen)
                    ++points;
            } else {
                errorSeen = true;
            }
        }
        result.rowPoints[r] = points;
        result.totalPoints += points;
    }
    return result;
}

CellMark MarkCell(QChar given, QChar recalled)
{
    if (recalled == given)
        return CellMark::Right;
    if (isBlank(recalled))
        return CellMark::Missing;
    return CellMark::Wrong;
}
