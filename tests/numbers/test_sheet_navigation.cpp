// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/sheet_navigation.h"

#include <QTest>

Q_DECLARE_METATYPE(SheetGeometry)
Q_DECLARE_METATYPE(CellPos)

char* toString(const CellPos& p)
{
    return QTest::toString(QStringLiteral("(col %1, row %2)").arg(p.col).arg(p.row));
}

namespace {

//                                 W   L    R   V  J
const SheetGeometry Numbers400{40, 9, 40, 9, 10};
const SheetGeometry Numbers95{40, 2, 15, 9, 10};
const SheetGeometry Numbers40{40, 0, 40, 9, 10};
const SheetGeometry Numbers15{40, 0, 15, 9, 10};
const SheetGeometry Numbers20000{40, 499, 40, 9, 10};
const SheetGeometry Binary31{30, 1, 1, 9, 6};
const SheetGeometry Binary600{30, 19, 30, 9, 6};
const SheetGeometry Binary20000{30, 666, 20, 9, 6};

constexpr bool Ctrl = true;
constexpr bool Plain = false;
constexpr bool Consumed = true;
constexpr bool ToGrid = false;

void key(const char* name, const SheetGeometry& g, int k, bool ctrl, CellPos from, bool consumed, CellPos to)
{
    QTest::newRow(name) << g << k << ctrl << from << consumed << to;
}

void move(const char* name, const SheetGeometry& g, CellPos from, CellPos to)
{
    QTest::newRow(name) << g << from << to;
}

int digitCount(const SheetGeometry& g) { return g.lastRow * g.rowWidth + g.lastRowDigits; }
int indexOf(CellPos p, const SheetGeometry& g) { return p.row * g.rowWidth + p.col; }
CellPos cellOf(int index, const SheetGeometry& g) { return {(index - 1) % g.rowWidth + 1, (index - 1) / g.rowWidth}; }

bool isDigitCell(CellPos p, const SheetGeometry& g)
{
    if (p.row < 0 || p.row > g.lastRow || p.col < 1 || p.col > g.rowWidth)
        return false;
    return p.row < g.lastRow || p.col <= g.lastRowDigits;
}

const QList<SheetGeometry> AllSheets{Numbers400, Numbers95, Numbers40, Numbers15, Numbers20000,
                                     Binary31, Binary600, Binary20000, {40, 1, 1, 9, 10}, {40, 10, 40, 9, 10}};

} // namespace

class TestSheetNavigation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyTable_data();
    void keyTable();
    void nothingLandsOutsideTheDigits();
    void ctrlJumpsWalkTheDigitsAsOneLine();
    void recallAdvance_data();
    void recallAdvance();
    void recallMoveBack_data();
    void recallMoveBack();
    void typingFillsTheSheetInReadingOrder();
    void keepRowVisible_data();
    void keepRowVisible();
};

void TestSheetNavigation::keyTable_data()
{
    QTest::addColumn<SheetGeometry>("geometry");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<CellPos>("from");
    QTest::addColumn<bool>("consumed");
    QTest::addColumn<CellPos>("to");

    // Left
    key("left from col 1 wraps to the row above", Numbers400, Qt::Key_Left, Plain, {1, 3}, Consumed, {40, 2});
    key("left on the first digit stays", Numbers400, Qt::Key_Left, Plain, {1, 0}, Consumed, {1, 0});
    key("left inside a row is the grid's", Numbers400, Qt::Key_Left, Plain, {5, 3}, ToGrid, {5, 3});

    // Ctrl+Left (the arithmetic of every jump is checked digit by digit below)
    key("ctrl-left jumps ten back", Numbers400, Qt::Key_Left, Ctrl, {35, 2}, Consumed, {25, 2});
    key("ctrl-left from col 5 returns to col 35 above", Numbers400, Qt::Key_Left, Ctrl, {5, 1}, Consumed, {35, 0});
    key("ctrl-left near the start goes to col 1", Numbers400, Qt::Key_Left, Ctrl, {7, 0}, Consumed, {1, 0});
    key("ctrl-left on the first digit stays", Numbers400, Qt::Key_Left, Ctrl, {1, 0}, Consumed, {1, 0});

    // Right
    key("right from col 40 wraps to the next row", Numbers400, Qt::Key_Right, Plain, {40, 2}, Consumed, {1, 3});
    key("right on the last digit of a partial row stays", Numbers95, Qt::Key_Right, Plain, {15, 2}, Consumed, {15, 2});
    key("right on the last digit of a full sheet stays", Numbers400, Qt::Key_Right, Plain, {40, 9}, Consumed, {40, 9});
    key("right on the last digit of one row stays", Numbers40, Qt::Key_Right, Plain, {40, 0}, Consumed, {40, 0});
    key("right inside a row is the grid's", Numbers400, Qt::Key_Right, Plain, {5, 0}, ToGrid, {5, 0});
    key("right before the last digit is the grid's", Numbers95, Qt::Key_Right, Plain, {14, 2}, ToGrid, {14, 2});
    key("right on col 40 of the row above the last", Numbers95, Qt::Key_Right, Plain, {40, 1}, Consumed, {1, 2});

    // Ctrl+Right
    key("ctrl-right from col 35 lands on col 5 below", Numbers400, Qt::Key_Right, Ctrl, {35, 0}, Consumed, {5, 1});
    key("ctrl-right within ten of the end lands on the last digit", Numbers95, Qt::Key_Right, Ctrl, {6, 2}, Consumed, {15, 2});
    key("ctrl-right wraps into a partial last row", Numbers95, Qt::Key_Right, Ctrl, {38, 1}, Consumed, {8, 2});
    key("ctrl-right near the end of one row", Numbers40, Qt::Key_Right, Ctrl, {35, 0}, Consumed, {40, 0});

    // Down
    key("down beyond the last digit lands on it", Numbers95, Qt::Key_Down, Plain, {20, 1}, Consumed, {15, 2});
    key("ctrl-down beyond the last digit lands on it", Numbers95, Qt::Key_Down, Ctrl, {40, 1}, Consumed, {15, 2});
    key("down above the last digit is the grid's", Numbers95, Qt::Key_Down, Plain, {15, 1}, ToGrid, {15, 1});
    key("down higher up is the grid's", Numbers95, Qt::Key_Down, Plain, {20, 0}, ToGrid, {20, 0});
    key("down in a full sheet is the grid's", Numbers400, Qt::Key_Down, Plain, {40, 8}, ToGrid, {40, 8});

    // End
    key("end in the last row goes to its last digit", Numbers95, Qt::Key_End, Plain, {3, 2}, Consumed, {15, 2});
    key("end in a button-face cell goes back to the last digit", Numbers95, Qt::Key_End, Plain, {30, 2}, Consumed, {15, 2});
    key("end above the last row is the grid's", Numbers95, Qt::Key_End, Plain, {3, 1}, ToGrid, {3, 1});
    key("ctrl-end goes to the last digit", Numbers95, Qt::Key_End, Ctrl, {3, 0}, Consumed, {15, 2});
    key("ctrl-end in a full sheet", Numbers400, Qt::Key_End, Ctrl, {17, 4}, Consumed, {40, 9});

    // Page Up
    key("page up on the first digit stays", Numbers400, Qt::Key_PageUp, Plain, {1, 0}, Consumed, {1, 0});
    key("ctrl-page up on the first digit stays", Numbers400, Qt::Key_PageUp, Ctrl, {1, 0}, Consumed, {1, 0});
    key("page up in row 0 goes to col 1", Numbers400, Qt::Key_PageUp, Plain, {17, 0}, Consumed, {1, 0});
    key("ctrl-page up in row 0 goes to col 1", Numbers400, Qt::Key_PageUp, Ctrl, {17, 0}, Consumed, {1, 0});
    key("page up below row 0 is the grid's", Numbers400, Qt::Key_PageUp, Plain, {17, 5}, ToGrid, {17, 5});
    key("ctrl-page up goes to row 0 in the same column", Numbers400, Qt::Key_PageUp, Ctrl, {17, 5}, Consumed, {17, 0});

    // Page Down
    key("page down far from the end is the grid's", Numbers20000, Qt::Key_PageDown, Plain, {5, 10}, ToGrid, {5, 10});
    key("page down one page short of the end is the grid's", Numbers20000, Qt::Key_PageDown, Plain, {5, 489}, ToGrid, {5, 489});
    key("page down within a page of the end goes to the last row", Numbers20000, Qt::Key_PageDown, Plain, {5, 490}, Consumed, {5, 499});
    key("ctrl-page down goes to the last row", Numbers20000, Qt::Key_PageDown, Ctrl, {5, 10}, Consumed, {5, 499});
    key("page down beyond the last digit lands on it", Numbers95, Qt::Key_PageDown, Plain, {20, 1}, Consumed, {15, 2});
    key("page down in the last row goes to its last digit", Numbers95, Qt::Key_PageDown, Plain, {3, 2}, Consumed, {15, 2});
    key("page down right of the last digit stops above it", Numbers95, Qt::Key_PageDown, Plain, {20, 0}, Consumed, {20, 1});
    key("page down from a button-face cell goes up a row", Numbers95, Qt::Key_PageDown, Plain, {20, 2}, Consumed, {20, 1});
    key("page down left of the last digit goes to the last row", Numbers95, Qt::Key_PageDown, Plain, {10, 0}, Consumed, {10, 2});
    key("page down on the last digit stays", Numbers95, Qt::Key_PageDown, Plain, {15, 2}, Consumed, {15, 2});
    key("ctrl-page down in a full sheet", Numbers400, Qt::Key_PageDown, Ctrl, {17, 0}, Consumed, {17, 9});
    key("page down in one full row goes to its last digit", Numbers40, Qt::Key_PageDown, Plain, {17, 0}, Consumed, {40, 0});
    key("page down on the last digit of one full row stays", Numbers40, Qt::Key_PageDown, Plain, {40, 0}, Consumed, {40, 0});
    // One row only: there is no row above the last to go to, so the cursor goes
    // to the last digit instead of leaving the sheet.
    key("page down beyond the digits of one row lands on the last digit", Numbers15, Qt::Key_PageDown, Plain, {20, 0}, Consumed, {15, 0});
    key("ctrl-page down beyond the digits of one row", Numbers15, Qt::Key_PageDown, Ctrl, {40, 0}, Consumed, {15, 0});
    key("page down before the last digit of one row", Numbers15, Qt::Key_PageDown, Plain, {3, 0}, Consumed, {15, 0});

    // Keys the rules leave alone
    key("up is the grid's", Numbers400, Qt::Key_Up, Plain, {5, 3}, ToGrid, {5, 3});
    key("home is the grid's", Numbers95, Qt::Key_Home, Plain, {5, 2}, ToGrid, {5, 2});
    key("ctrl-home is the grid's", Numbers95, Qt::Key_Home, Ctrl, {5, 2}, ToGrid, {5, 2});
    key("tab is the grid's", Numbers400, Qt::Key_Tab, Plain, {40, 3}, ToGrid, {40, 3});
    key("a digit is not a cursor key", Numbers400, Qt::Key_5, Plain, {1, 0}, ToGrid, {1, 0});

    // Binary sheet: rows of 30, jumps of 6
    key("binary ctrl-right from col 27 lands on col 3 below", Binary600, Qt::Key_Right, Ctrl, {27, 0}, Consumed, {3, 1});
    key("binary ctrl-left returns to col 27 above", Binary600, Qt::Key_Left, Ctrl, {3, 1}, Consumed, {27, 0});
    key("binary ctrl-left near the start goes to col 1", Binary600, Qt::Key_Left, Ctrl, {4, 0}, Consumed, {1, 0});
    key("binary left from col 1 wraps to col 30", Binary31, Qt::Key_Left, Plain, {1, 1}, Consumed, {30, 0});
    key("binary right from col 30 wraps", Binary31, Qt::Key_Right, Plain, {30, 0}, Consumed, {1, 1});
    key("binary right on the single last digit stays", Binary31, Qt::Key_Right, Plain, {1, 1}, Consumed, {1, 1});
    key("binary ctrl-right near the end lands on the last digit", Binary31, Qt::Key_Right, Ctrl, {27, 0}, Consumed, {1, 1});
    key("binary down beyond the last digit lands on it", Binary31, Qt::Key_Down, Plain, {5, 0}, Consumed, {1, 1});
    key("binary end in the last row", Binary20000, Qt::Key_End, Plain, {2, 666}, Consumed, {20, 666});
    key("binary end above the last row is the grid's", Binary20000, Qt::Key_End, Plain, {2, 665}, ToGrid, {2, 665});
    key("binary page down beyond the last digit", Binary31, Qt::Key_PageDown, Plain, {30, 0}, Consumed, {1, 1});
    key("binary page down within a page of the end", Binary20000, Qt::Key_PageDown, Plain, {25, 660}, Consumed, {25, 665});
}

void TestSheetNavigation::keyTable()
{
    QFETCH(SheetGeometry, geometry);
    QFETCH(int, key);
    QFETCH(bool, ctrl);
    QFETCH(CellPos, from);
    QFETCH(bool, consumed);
    QFETCH(CellPos, to);

    const NavigateResult result = NavigateSheet(key, ctrl, from, geometry);
    QCOMPARE(result.consumed, consumed);
    QCOMPARE(result.target, to);
}

// Whatever key is pressed on whatever digit, a consumed key never aims at a cell
// that holds no digit; from a button-face cell it never leaves the sheet.
void TestSheetNavigation::nothingLandsOutsideTheDigits()
{
    const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home,
                        Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
    for (const SheetGeometry& g : AllSheets) {
        for (int row = 0; row <= g.lastRow; ++row) {
            for (int col = 1; col <= g.rowWidth; ++col) {
                const CellPos from{col, row};
                for (int k : keys) {
                    for (bool ctrl : {false, true}) {
                        const NavigateResult r = NavigateSheet(k, ctrl, from, g);
                        if (!r.consumed) {
                            QCOMPARE(r.target, from);
                            continue;
                        }
                        if (isDigitCell(from, g)) {
                            QVERIFY2(isDigitCell(r.target, g), qPrintable(QStringLiteral("key %1 ctrl %2 from %3 row %4 of W%5 L%6 R%7")
                                .arg(k).arg(ctrl).arg(col).arg(row).arg(g.rowWidth).arg(g.lastRow).arg(g.lastRowDigits)));
                        } else {
                            QVERIFY(r.target.row >= 0 && r.target.row <= g.lastRow);
                            QVERIFY(r.target.col >= 1 && r.target.col <= g.rowWidth);
                        }
                    }
                }
            }
        }
    }
}

// Counting digits 1..N through the sheet, Ctrl+Right goes J digits on (but not
// past the last) and Ctrl+Left J digits back (but not before the first).
void TestSheetNavigation::ctrlJumpsWalkTheDigitsAsOneLine()
{
    for (const SheetGeometry& g : AllSheets) {
        const int n = digitCount(g);
        for (int i = 1; i <= n; ++i) {
            const CellPos from = cellOf(i, g);
            const NavigateResult right = NavigateSheet(Qt::Key_Right, true, from, g);
            const NavigateResult left = NavigateSheet(Qt::Key_Left, true, from, g);
            QVERIFY(right.consumed && left.consumed);
            QCOMPARE(indexOf(right.target, g), qMin(i + g.jumpWidth, n));
            QCOMPARE(indexOf(left.target, g), qMax(i - g.jumpWidth, 1));
        }
    }
}

void TestSheetNavigation::recallAdvance_data()
{
    QTest::addColumn<SheetGeometry>("geometry");
    QTest::addColumn<CellPos>("from");
    QTest::addColumn<CellPos>("to");

    move("next column", Numbers400, {5, 0}, {6, 0});
    move("end of a row goes to col 1 of the next", Numbers400, {40, 0}, {1, 1});
    move("last digit of a full sheet stays", Numbers400, {40, 9}, {40, 9});
    move("before the last digit of a partial row", Numbers95, {14, 2}, {15, 2});
    move("last digit of a partial row stays", Numbers95, {15, 2}, {15, 2});
    move("col 39 of the row above the last", Numbers95, {39, 1}, {40, 1});
    move("end of the row above the last", Numbers95, {40, 1}, {1, 2});
    move("button-face cell stays", Numbers95, {20, 2}, {20, 2});
    move("one row, col 39", Numbers40, {39, 0}, {40, 0});
    move("one row, last digit stays", Numbers40, {40, 0}, {40, 0});
    move("binary end of a row", Binary31, {30, 0}, {1, 1});
    move("binary single last digit stays", Binary31, {1, 1}, {1, 1});
    move("binary col 19 of the last row", Binary20000, {19, 666}, {20, 666});
    move("binary last digit stays", Binary20000, {20, 666}, {20, 666});
}

void TestSheetNavigation::recallAdvance()
{
    QFETCH(SheetGeometry, geometry);
    QFETCH(CellPos, from);
    QFETCH(CellPos, to);
    QCOMPARE(RecallAdvance(from, geometry), to);
}

void TestSheetNavigation::recallMoveBack_data()
{
    QTest::addColumn<SheetGeometry>("geometry");
    QTest::addColumn<CellPos>("from");
    QTest::addColumn<CellPos>("to");

    move("previous column", Numbers400, {5, 0}, {4, 0});
    move("col 2 to col 1", Numbers400, {2, 3}, {1, 3});
    move("col 1 goes to col 40 above", Numbers95, {1, 2}, {40, 1});
    move("first cell stays", Numbers400, {1, 0}, {1, 0});
    move("binary col 1 goes to col 30 above", Binary31, {1, 1}, {30, 0});
}

void TestSheetNavigation::recallMoveBack()
{
    QFETCH(SheetGeometry, geometry);
    QFETCH(CellPos, from);
    QFETCH(CellPos, to);
    QCOMPARE(RecallMoveBack(from, geometry), to);
}

// Advancing from the first digit visits every digit once, in reading order, and
// moving back retraces the same path.
void TestSheetNavigation::typingFillsTheSheetInReadingOrder()
{
    for (const SheetGeometry& g : AllSheets) {
        const int n = digitCount(g);
        CellPos p{1, 0};
        for (int i = 1; i < n; ++i) {
            p = RecallAdvance(p, g);
            QCOMPARE(indexOf(p, g), i + 1);
        }
        QCOMPARE(RecallAdvance(p, g), p);
        for (int i = n; i > 1; --i) {
            p = RecallMoveBack(p, g);
            QCOMPARE(indexOf(p, g), i - 1);
        }
        QCOMPARE(RecallMoveBack(p, g), p);
    }
}

void TestSheetNavigation::keepRowVisible_data()
{
    QTest::addColumn<CellPos>("cursor");
    QTest::addColumn<int>("topRow");
    QTest::addColumn<CellPos>("kept");

    QTest::newRow("above the top row") << CellPos{5, 3} << 10 << CellPos{5, 10};
    QTest::newRow("below the last visible row") << CellPos{7, 25} << 10 << CellPos{7, 19};
    QTest::newRow("inside stays") << CellPos{5, 15} << 10 << CellPos{5, 15};
    QTest::newRow("on the top row stays") << CellPos{5, 10} << 10 << CellPos{5, 10};
    QTest::newRow("on the last visible row stays") << CellPos{40, 19} << 10 << CellPos{40, 19};
    QTest::newRow("one below the last visible row") << CellPos{40, 20} << 10 << CellPos{40, 19};
}

void TestSheetNavigation::keepRowVisible()
{
    QFETCH(CellPos, cursor);
    QFETCH(int, topRow);
    QFETCH(CellPos, kept);
    QCOMPARE(KeepRowVisible(cursor, topRow, 9), kept);
}

QTEST_APPLESS_MAIN(TestSheetNavigation)
#include "test_sheet_navigation.moc"
