// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/sheet_view.h"

#include <algorithm>

SheetView SheetView::fromChoices(int sizeIndex, int groupingIndex)
{
    SheetView view;
    if (sizeIndex >= 0 && sizeIndex < SizeCount)
        view.size = Size(sizeIndex);
    if (groupingIndex >= 0 && groupingIndex < GroupingCount)
        view.grouping = Grouping(groupingIndex);
    return view;
}

int SheetView::digitPx() const
{
    switch (size) {
    case Size::Large:
        return 24;
    case Size::Larger:
        return 32;
    default:
        return 16;
    }
}

int SheetView::columnWidth() const
{
    switch (size) {
    case Size::Large:
        return 19;
    case Size::Larger:
        return 25;
    default:
        return 13;
    }
}

int SheetView::rowHeight() const
{
    switch (size) {
    case Size::Large:
        return 30;
    case Size::Larger:
        return 40;
    default:
        return 22;
    }
}

int SheetView::groupOf(int col) const
{
    const int i = col - 1;
    switch (grouping) {
    case Grouping::Pairs:
        return i / 2;
    case Grouping::Triples:
        return i / 3;
    case Grouping::Split433: {
        // 4 + 3 + 3 digits in every ten.
        const int inTen = i % 10;
        return i / 10 * 3 + (inTen < 4 ? 0 : inTen < 7 ? 1 : 2);
    }
    default:
        return 0;
    }
}

bool SheetView::startsGroup(int col) const
{
    return col > 1 && groupOf(col) != groupOf(col - 1);
}

bool SheetView::shaded(int col) const
{
    return grouping != Grouping::None && groupOf(col) % 2 == 1;
}

int SheetView::rowsIn(int viewportHeight) const
{
    return std::max(1, viewportHeight / rowHeight());
}
