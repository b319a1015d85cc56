// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

// Cursor rules of the memorisation and recall sheets. Pure logic over column and
// row numbers, so the same rules serve every number window and can be checked
// without a screen. Columns count from 1 (column 0 is the row-label column), rows
// from 0.

// The attempt's layout as the rules see it.
struct SheetGeometry {
    int rowWidth;       // W: digits per row (40; binary and spoken 30)
    int lastRow;        // L: index of the last row of the attempt
    int lastRowDigits;  // R: digits in the last row, 1..W
    int pageRows;       // V: rows visible at once less one (9)
    int jumpWidth;      // J: columns moved by Ctrl+Left / Ctrl+Right (10; binary 6)
};

struct CellPos {
    int col;
    int row;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

struct NavigateResult {
    bool consumed;   // false: the key is left to the grid's own cursor handling
    CellPos target;  // where the cursor goes; the current cell when nothing moves
};

// The sheets' key table for one key press. key is a Qt::Key value; keys the table
// does not list (Up, Home, Tab, ...) are never consumed. The window sets the
// target's column first, then its row.
NavigateResult NavigateSheet(int key, bool ctrl, CellPos current, const SheetGeometry& g);

// Where the cursor goes after a digit or space was written at current: the next
// digit cell, or nowhere past the last digit.
CellPos RecallAdvance(CellPos current, const SheetGeometry& g);

// Where Backspace goes before emptying the cell: one digit back, wrapping to the
// end of the previous row, and nowhere before the first digit.
CellPos RecallMoveBack(CellPos current, const SheetGeometry& g);

// The cursor after the sheet scrolled to topRow: pulled into the rows topRow to
// topRow + pageRows, column unchanged.
CellPos KeepRowVisible(CellPos current, int topRow, int pageRows);
