// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/string_align_grid.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

// A sheet laid out as the number windows lay theirs out: a label column of 32 px
// and 40 digit columns of 13 px, rows of 22 px, ten rows on screen.
void makeSheet(TStringAlignGrid& grid, int rows)
{
    grid.setColCount(41);
    grid.setFixedCols(1);
    grid.setDefaultColWidth(13);
    grid.setColWidth(0, 32);
    grid.setDefaultRowHeight(22);
    grid.setRowCount(rows);
    grid.setFixedColor(GridColor::Silver);
    grid.setSelectedColor(GridColor::LightBlue);
    grid.resize(grid.sizeForRows(10));
}

QPoint cellCentre(const TStringAlignGrid& grid, int col, int row)
{
    return grid.visualRect(grid.model()->index(row, col)).center();
}

// The colour painted near the top-left corner of a cell, clear of its text.
QColor paintedAt(TStringAlignGrid& grid, int col, int row)
{
    const QImage image = grid.viewport()->grab().toImage();
    const QRect r = grid.visualRect(grid.model()->index(row, col));
    return image.pixelColor(r.topLeft() + QPoint(1, 1));
}

} // namespace

class TestStringAlignGrid : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cellsAndColoursRoundTrip();
    void resizingKeepsCells();
    void batchSignalsOnceAtTheEnd();
    void paintsCellColours();
    void fixedColumnIsNeverEntered();
    void hooksComeFirstAndCanConsume();
    void unconsumedKeysMoveTheCursor_data();
    void unconsumedKeysMoveTheCursor();
    void typingDigitsDoesNotMoveTheCursor();
    void topLeftChangedFiresOnEveryScroll();
    void tenRowsFitExactly();
    void narrowColumnsStayNarrow();
    void positionsHoldOnAHiddenGrid();
    void shrinkingKeepsTheCursorInside();
    void pointsColumnFollowsWithoutScrollBar();
};

void TestStringAlignGrid::cellsAndColoursRoundTrip()
{
    TStringAlignGrid grid;
    makeSheet(grid, 3);

    grid.setCellChar(5, 1, '7');
    grid.setCell(0, 2, QStringLiteral("19960"));
    grid.setCell(3, 0, QStringLiteral("Memorierzeit"));
    grid.setCell(4, 0, QStringLiteral("4"));
    grid.setCellBackground(5, 1, GridColor::LightRed);
    grid.setCellFontColor(5, 1, GridColor::Green);

    QCOMPARE(grid.cell(5, 1), QStringLiteral("7"));
    QCOMPARE(grid.cellChar(5, 1), '7');
    QCOMPARE(grid.cell(0, 2), QStringLiteral("19960"));
    QCOMPARE(grid.cell(3, 0), QStringLiteral("Memorierzeit"));
    QCOMPARE(grid.cellChar(4, 0), '4');
    QCOMPARE(grid.cell(6, 1), QString());
    QCOMPARE(grid.cellBackground(5, 1), GridColor::LightRed);
    QCOMPARE(grid.cellFontColor(5, 1), GridColor::Green);
    QCOMPARE(grid.cellBackground(6, 1), GridColor::Default);

    // A one-character text replaces a long one and the other way round.
    grid.setCellChar(3, 0, '9');
    QCOMPARE(grid.cell(3, 0), QStringLiteral("9"));
    grid.setCell(5, 1, QStringLiteral("40"));
    QCOMPARE(grid.cell(5, 1), QStringLiteral("40"));
    QCOMPARE(grid.cellChar(5, 1), char(0));
    grid.setCellChar(5, 1, 0);
    QCOMPARE(grid.cell(5, 1), QString());

    grid.setCellCharColors(8, 2, '3', GridColor::ButtonFace, GridColor::Black);
    QCOMPARE(grid.cell(8, 2), QStringLiteral("3"));
    QCOMPARE(grid.cellBackground(8, 2), GridColor::ButtonFace);
    QCOMPARE(grid.cellFontColor(8, 2), GridColor::Black);

    // Outside the grid nothing is written and nothing is read.
    grid.setCell(41, 0, QStringLiteral("x"));
    grid.setCellChar(1, 3, '1');
    QCOMPARE(grid.cell(41, 0), QString());
    QCOMPARE(grid.cellChar(1, 3), char(0));

    // The model answers the standard roles from the same bytes.
    const QModelIndex label = grid.model()->index(2, 0);
    QCOMPARE(label.data().toString(), QStringLiteral("19960"));
    QCOMPARE(label.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(192, 192, 192));
    QCOMPARE(grid.model()->index(2, 8).data(Qt::BackgroundRole).value<QBrush>().color(),
             grid.palette().color(QPalette::Button));
    QCOMPARE(grid.model()->index(1, 9).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));
}

void TestStringAlignGrid::resizingKeepsCells()
{
    TStringAlignGrid grid;
    makeSheet(grid, 3);
    grid.setCell(0, 2, QStringLiteral("80"));
    grid.setCellCharColors(40, 2, '5', GridColor::Window, GridColor::Red);
    grid.setCell(12, 1, QStringLiteral("long text"));

    grid.setRowCount(500);
    QCOMPARE(grid.cell(0, 2), QStringLiteral("80"));
    QCOMPARE(grid.cell(40, 2), QStringLiteral("5"));
    QCOMPARE(grid.cellBackground(40, 499), GridColor::Default);
    grid.setCell(3, 400, QStringLiteral("16000"));

    grid.setRowCount(2);
    QCOMPARE(grid.cell(12, 1), QStringLiteral("long text"));
    grid.setRowCount(500);
    QCOMPARE(grid.cell(3, 400), QString());
    QCOMPARE(grid.cell(40, 2), QString());

    grid.setColCount(31);
    QCOMPARE(grid.cell(12, 1), QStringLiteral("long text"));
    QCOMPARE(grid.colWidth(0), 32);
    QCOMPARE(grid.columnWidth(30), 13);
}

void TestStringAlignGrid::batchSignalsOnceAtTheEnd()
{
    TStringAlignGrid grid;
    makeSheet(grid, 500);
    QSignalSpy changes(grid.model(), &QAbstractItemModel::dataChanged);

    grid.setCellChar(1, 0, '1');
    QCOMPARE(changes.count(), 1);

    changes.clear();
    grid.beginUpdate();
    grid.beginUpdate();
    for (int row = 0; row < 500; ++row) {
        grid.setCell(0, row, QString::number(row * 40));
        for (int col = 1; col <= 40; ++col)
            grid.setCellCharColors(col, row, '0' + col % 10, GridColor::Window, GridColor::Black);
    }
    grid.endUpdate();
    QCOMPARE(changes.count(), 0);
    grid.endUpdate();
    QCOMPARE(changes.count(), 1);
    QCOMPARE(grid.cell(0, 499), QStringLiteral("19960"));

    changes.clear();
    grid.beginUpdate();
    grid.endUpdate();
    QCOMPARE(changes.count(), 0);
}

void TestStringAlignGrid::paintsCellColours()
{
    TStringAlignGrid grid;
    makeSheet(grid, 3);
    grid.setCellBackground(3, 1, GridColor::LightRed);
    grid.setCellBackground(20, 2, GridColor::ButtonFace);
    grid.setCurrentCell(5, 1);

    QCOMPARE(paintedAt(grid, 0, 1), QColor(192, 192, 192));
    QCOMPARE(paintedAt(grid, 4, 1), QColor(Qt::white));
    QCOMPARE(paintedAt(grid, 3, 1), QColor(255, 192, 192));
    QCOMPARE(paintedAt(grid, 20, 2), grid.palette().color(QPalette::Button));
    QCOMPARE(paintedAt(grid, 5, 1), QColor(192, 192, 255));

    grid.setShowSelection(false);
    QCOMPARE(paintedAt(grid, 5, 1), QColor(Qt::white));
}

void TestStringAlignGrid::fixedColumnIsNeverEntered()
{
    TStringAlignGrid grid;
    makeSheet(grid, 10);
    QCOMPARE(grid.currentCol(), 1);

    grid.setCurrentCell(1, 4);
    QTest::keyClick(&grid, Qt::Key_Left);
    QCOMPARE(grid.currentCol(), 1);
    QTest::keyClick(&grid, Qt::Key_Backtab);
    QVERIFY(grid.currentCol() >= 1);

    grid.setCurrentCell(20, 4);
    QTest::keyClick(&grid, Qt::Key_Home);
    QCOMPARE(grid.currentCol(), 1);

    grid.setCurrentCell(0, 6);
    QCOMPARE(grid.currentCol(), 1);
    QCOMPARE(grid.currentRow(), 6);

    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(grid, 0, 2));
    QCOMPARE(grid.currentCol(), 1);
    QCOMPARE(grid.currentRow(), 6);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(grid, 9, 2));
    QCOMPARE(grid.currentCol(), 9);
    QCOMPARE(grid.currentRow(), 2);
}

void TestStringAlignGrid::hooksComeFirstAndCanConsume()
{
    TStringAlignGrid grid;
    makeSheet(grid, 10);
    grid.setCurrentCell(5, 5);

    QList<int> keysDown;
    QString typed;
    grid.setKeyDownHook([&](int key, Qt::KeyboardModifiers) {
        keysDown << key;
        return key == Qt::Key_Right || key == Qt::Key_4;
    });
    grid.setKeyPressHook([&](QChar ch) { typed.append(ch); });

    QTest::keyClick(&grid, Qt::Key_Right);
    QCOMPARE(grid.currentCol(), 5);
    QTest::keyClick(&grid, Qt::Key_Left);
    QCOMPARE(grid.currentCol(), 4);

    QTest::keyClick(&grid, '7');
    QTest::keyClick(&grid, '4');
    QTest::keyClick(&grid, ' ');
    QTest::keyClick(&grid, Qt::Key_Backspace);
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClick(&grid, 'a');
    QTest::keyClick(&grid, '7', Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_Delete);

    QCOMPARE(typed, QStringLiteral("7 \b\ra"));
    QCOMPARE(keysDown, (QList<int>{Qt::Key_Right, Qt::Key_Left, Qt::Key_7, Qt::Key_4, Qt::Key_Space, Qt::Key_Backspace,
                                   Qt::Key_Return, Qt::Key_A, Qt::Key_Control, Qt::Key_7, Qt::Key_Delete}));
    QCOMPARE(grid.currentCol(), 4);
    QCOMPARE(grid.currentRow(), 5);
}

void TestStringAlignGrid::unconsumedKeysMoveTheCursor_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");

    // From column 10 of row 50 in a sheet of 100 rows.
    QTest::newRow("right") << int(Qt::Key_Right) << 0 << 11 << 50;
    QTest::newRow("left") << int(Qt::Key_Left) << 0 << 9 << 50;
    QTest::newRow("down") << int(Qt::Key_Down) << 0 << 10 << 51;
    QTest::newRow("up") << int(Qt::Key_Up) << 0 << 10 << 49;
    QTest::newRow("home") << int(Qt::Key_Home) << 0 << 1 << 50;
    QTest::newRow("end") << int(Qt::Key_End) << 0 << 40 << 50;
    QTest::newRow("ctrl-home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << 1 << 0;
    QTest::newRow("ctrl-end") << int(Qt::Key_End) << int(Qt::ControlModifier) << 40 << 99;
    QTest::newRow("tab leaves the cells alone") << int(Qt::Key_Tab) << 0 << 10 << 50;
    QTest::newRow("shift-tab too") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << 10 << 50;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 0 << 10 << 60;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 0 << 10 << 40;
}

void TestStringAlignGrid::unconsumedKeysMoveTheCursor()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, col);
    QFETCH(int, row);

    TStringAlignGrid grid;
    makeSheet(grid, 100);
    grid.setKeyDownHook([](int, Qt::KeyboardModifiers) { return false; });
    grid.setCurrentCell(10, 50);
    QTest::keyClick(&grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(grid.currentCol(), col);
    QCOMPARE(grid.currentRow(), row);
}

void TestStringAlignGrid::typingDigitsDoesNotMoveTheCursor()
{
    TStringAlignGrid grid;
    makeSheet(grid, 10);
    for (int row = 0; row < 10; ++row) {
        for (int col = 1; col <= 40; ++col)
            grid.setCellChar(col, row, char('0' + (col + row) % 10));
    }
    grid.setCurrentCell(1, 0);
    for (char ch : {'7', '3', '9', '0', 'x'})
        QTest::keyClick(&grid, ch);
    QCOMPARE(grid.currentCol(), 1);
    QCOMPARE(grid.currentRow(), 0);
    QCOMPARE(grid.cell(1, 0), QStringLiteral("1"));
}

void TestStringAlignGrid::topLeftChangedFiresOnEveryScroll()
{
    TStringAlignGrid grid;
    makeSheet(grid, 500);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy spy(&grid, &TStringAlignGrid::topLeftChanged);

    grid.setTopRow(100);
    QCOMPARE(grid.topRow(), 100);
    QCOMPARE(spy.count(), 1);

    grid.verticalScrollBar()->setValue(250);
    QCOMPARE(grid.topRow(), 250);
    QCOMPARE(spy.count(), 2);

    grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(grid.topRow(), 251);
    QCOMPARE(spy.count(), 3);

    // Walking down past the last visible row scrolls one row.
    grid.setCurrentCell(5, 260);
    QCOMPARE(spy.count(), 3);
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.currentRow(), 261);
    QCOMPARE(grid.topRow(), 252);
    QCOMPARE(spy.count(), 4);

    grid.setTopRow(252);
    QCOMPARE(spy.count(), 4);
    grid.setTopRow(10000);
    QCOMPARE(grid.topRow(), 490);
}

void TestStringAlignGrid::tenRowsFitExactly()
{
    TStringAlignGrid grid;
    makeSheet(grid, 500);
    const QSize size = grid.sizeForRows(10);
    QCOMPARE(size.width(), 552 + 2 * grid.frameWidth() + grid.verticalScrollBar()->sizeHint().width());
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    QCOMPARE(grid.viewport()->height(), 220);
    QCOMPARE(grid.viewport()->width(), 552);
    QCOMPARE(grid.visibleRowCount(), 10);
    QCOMPARE(grid.verticalScrollBar()->maximum(), 490);
    QVERIFY(grid.verticalScrollBar()->isVisible());

    grid.setCurrentCell(1, 9);
    QCOMPARE(grid.topRow(), 0);
    grid.setCurrentCell(1, 10);
    QCOMPARE(grid.topRow(), 1);

    grid.setRowCount(10);
    QCOMPARE(grid.topRow(), 0);
    QCOMPARE(grid.visibleRowCount(), 10);
    QCOMPARE(grid.verticalScrollBar()->maximum(), 0);
}

void TestStringAlignGrid::narrowColumnsStayNarrow()
{
    TStringAlignGrid grid;
    makeSheet(grid, 10);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.columnWidth(0), 32);
    for (int col = 1; col <= 40; ++col)
        QCOMPARE(grid.columnWidth(col), 13);
    QCOMPARE(grid.rowHeight(9), 22);

    grid.setRowCount(500);
    grid.setColCount(31);
    QCOMPARE(grid.columnWidth(30), 13);
    QCOMPARE(grid.rowHeight(499), 22);

    // The standards table: five columns, two rows of 18 px and a header row.
    TStringAlignGrid table;
    table.setColCount(5);
    table.setRowCount(2);
    table.setFixedRows(1);
    table.setDefaultRowHeight(18);
    const int widths[] = {75, 80, 80, 80, 64};
    for (int col = 0; col < 5; ++col)
        table.setColWidth(col, widths[col]);
    table.setCell(2, 0, QStringLiteral("Memorierzeit"));
    table.setVerticalScrollBarShown(false);
    QCOMPARE(table.sizeForRows(2), QSize(379 + 2 * table.frameWidth(), 36 + 2 * table.frameWidth()));
    QCOMPARE(table.currentRow(), 1);
    QCOMPARE(table.cell(2, 0), QStringLiteral("Memorierzeit"));
    QCOMPARE(table.model()->index(0, 2).flags(), Qt::NoItemFlags);
}

// The window hands top row and cursor to the sheet that is about to be shown.
void TestStringAlignGrid::positionsHoldOnAHiddenGrid()
{
    TStringAlignGrid grid;
    makeSheet(grid, 10);
    grid.setRowCount(500);
    QVERIFY(!grid.isVisible());

    grid.setTopRow(300);
    QCOMPARE(grid.topRow(), 300);
    grid.setCurrentCell(7, 305);
    QCOMPARE(grid.topRow(), 300);
    grid.setCurrentCell(7, 450);
    QCOMPARE(grid.topRow(), 441);
    QCOMPARE(grid.visibleRowCount(), 10);

    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.topRow(), 441);
    QCOMPARE(grid.currentCol(), 7);
    QCOMPARE(grid.currentRow(), 450);
}

void TestStringAlignGrid::shrinkingKeepsTheCursorInside()
{
    TStringAlignGrid grid;
    makeSheet(grid, 500);
    grid.setCurrentCell(30, 400);
    grid.setRowCount(3);
    QCOMPARE(grid.currentRow(), 2);
    QCOMPARE(grid.currentCol(), 30);
    grid.setColCount(31);
    QCOMPARE(grid.currentCol(), 30);
    grid.setColCount(21);
    QCOMPARE(grid.currentCol(), 20);
}

// The points column: one column, no scroll bar, disabled, moved only by the window.
void TestStringAlignGrid::pointsColumnFollowsWithoutScrollBar()
{
    TStringAlignGrid points;
    points.setColCount(1);
    points.setDefaultColWidth(16);
    points.setDefaultRowHeight(22);
    points.setVerticalScrollBarShown(false);
    points.setShowSelection(false);
    points.setRowCount(500);
    points.resize(points.sizeForRows(10));
    QCOMPARE(points.sizeForRows(10), QSize(16 + 2 * points.frameWidth(), 220 + 2 * points.frameWidth()));
    points.setEnabled(false);
    points.show();
    QVERIFY(QTest::qWaitForWindowExposed(&points));

    QVERIFY(!points.verticalScrollBar()->isVisible());
    QCOMPARE(points.viewport()->width(), 16);
    points.setTopRow(200);
    QCOMPARE(points.topRow(), 200);
    points.setCurrentCell(0, 205);
    QCOMPARE(points.currentRow(), 205);
    QCOMPARE(points.topRow(), 200);
    points.setCell(0, 205, QStringLiteral("40"));
    QCOMPARE(paintedAt(points, 0, 205), QColor(Qt::white));
}

QTEST_MAIN(TestStringAlignGrid)
#include "test_string_align_grid.moc"
