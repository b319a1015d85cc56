// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QtGlobal>

// How the digits of the memorisation and recall sheets are shown: their size,
// and the groups an athlete reads them in (pairs, triples, or the 4-3-3 split
// of binary digits), set off by a shade on every other group and a line where
// a group begins. Pure geometry, so it is checked without a screen. The
// designed view (the designed 13 x 22 pixel cells, no groups) is the default.
struct SheetView {
    enum class Size : quint8 { Designed = 0, Large = 1, Larger = 2 };
    enum class Grouping : quint8 { None = 0, Pairs = 1, Triples = 2, Split433 = 3 };
    static constexpr int SizeCount = 3;
    static constexpr int GroupingCount = 4;

    Size size = Size::Designed;
    Grouping grouping = Grouping::None;

    // A view from the indexes of its two choices; an index out of range is the
    // designed choice.
    static SheetView fromChoices(int sizeIndex, int groupingIndex);

    int digitPx() const;
    int columnWidth() const;
    int rowHeight() const;

    // The group of digit column col (from 1) within its row, counted from 0.
    int groupOf(int col) const;
    // Whether col begins a group other than the row's first.
    bool startsGroup(int col) const;
    // Every other group is shaded, beginning with the second.
    bool shaded(int col) const;

    // Rows that fit a viewport of the given height.
    int rowsIn(int viewportHeight) const;
};
