// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/sheet_navigation.h"

#include <Qt>

namespace {

NavigateResult consumedAt(CellPos target) { return {true, target}; }
NavigateResult stay(CellPos current) { return {true, current}; }
NavigateResult leftToGrid(CellPos current) { return {false, current}; }

// Ctrl+Left and Ctrl+Right treat the sheet as one long line of digits.
NavigateResult jumpLeft(CellPos cur, const SheetGeometry& g)
{
    const int j = g.jumpWidth;
    if (cur.col > j)
        return consumedAt({cur.col - j, cur.row});
    if (cur.row > 0)
        return consumedAt({cur.col + g.rowWidth - j, cur.row - 1});
    return consumedAt({1, cur.row});
}

NavigateResult jumpRight(CellPos cur, const SheetGeometry& g)
{
    const int j = g.jumpWidth;
    const int w = g.rowWidth;
    if (cur.row * w + cur.col + j > g.lastRow * w + g.lastRowDigits)
        return consumedAt({g.lastRowDigits, g.lastRow});
    if (cur.col < w - j + 1)
        return consumedAt({cur.col + j, cur.row});
    return consumedAt({cur.col - w + j, cur.row + 1});
}

NavigateResult pageDownNearEnd(CellPos cur, const SheetGeometry& g)
{
    const CellPos lastDigit{g.lastRowDigits, g.lastRow};
    if (cur.col > g.lastRowDigits && cur.row == g.lastRow - 1)
        return consumedAt(lastDigit);
    if (cur.row == g.lastRow && cur.col < g.lastRowDigits)
        return consumedAt(lastDigit);
    if (cur.col > g.lastRowDigits) {
        // In a one-row sheet there is no row above the last one to land in; the
        // nearest place that is still a digit is the last digit itself.
        if (g.lastRow == 0)
            return consumedAt(lastDigit);
        return consumedAt({cur.col, g.lastRow - 1});
    }
    return consumedAt({cur.col, g.lastRow});
}

} // namespace

NavigateResult NavigateSheet(int key, bool ctrl, CellPos cur, const SheetGeometry& g)
{
    const CellPos lastDigit{g.lastRowDigits, g.lastRow};
    switch (key) {
    case Qt::Key_Left:
        if (ctrl)
            return jumpLeft(cur, g);
        if (cur.col == 1)
            return cur.row > 0 ? consumedAt({g.rowWidth, cur.row - 1}) : stay(cur);
        return leftToGrid(cur);

    case Qt::Key_Right:
        if (ctrl)
            return jumpRight(cur, g);
        if (cur.col == g.rowWidth && cur.row < g.lastRow)
            return consumedAt({1, cur.row + 1});
        if (cur.row == g.lastRow && cur.col == g.lastRowDigits)
            return stay(cur);
        return leftToGrid(cur);

    case Qt::Key_Down:
        if (cur.row == g.lastRow - 1 && cur.col > g.lastRowDigits)
            return consumedAt(lastDigit);
        return leftToGrid(cur);

    case Qt::Key_End:
        if (ctrl)
            return consumedAt(lastDigit);
        if (cur.row == g.lastRow)
            return consumedAt({g.lastRowDigits, cur.row});
        return leftToGrid(cur);

    case Qt::Key_PageUp:
        if (cur.row == 0)
            return cur.col == 1 ? stay(cur) : consumedAt({1, 0});
        return ctrl ? consumedAt({cur.col, 0}) : leftToGrid(cur);

    case Qt::Key_PageDown:
        if (!ctrl && cur.row + g.pageRows < g.lastRow)
            return leftToGrid(cur);
        return pageDownNearEnd(cur, g);

    default:
        return leftToGrid(cur);
    }
}

CellPos RecallAdvance(CellPos cur, const SheetGeometry& g)
{
    if ((cur.col < g.rowWidth && cur.row < g.lastRow) || cur.col < g.lastRowDigits)
        return {cur.col + 1, cur.row};
    if (cur.row < g.lastRow)
        return {1, cur.row + 1};
    return cur;
}

CellPos RecallMoveBack(CellPos cur, const SheetGeometry& g)
{
    if (cur.col == 1 && cur.row > 0)
        return {g.rowWidth, cur.row - 1};
    if (cur.col > 1)
        return {cur.col - 1, cur.row};
    return cur;
}

CellPos KeepRowVisible(CellPos cur, int topRow, int pageRows)
{
    if (cur.row < topRow)
        return {cur.col, topRow};
    if (cur.row > topRow + pageRows)
        return {cur.col, topRow + pageRows};
    return cur;
}
