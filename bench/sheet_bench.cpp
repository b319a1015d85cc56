// The sheets at their largest: 20000 digits in two grids of 41 columns. Prints
// one line per figure; where a figure has a target, its share of the target.

#include "numbers/scoring.h"
#include "numbers/sheet_navigation.h"
#include "widgets/string_align_grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int DigitCount = 20000;
constexpr int RowWidth = 40;
constexpr int Repeats = 25;

void setUpSheet(TStringAlignGrid& grid)
{
    QFont digits;
    digits.setStyleHint(QFont::SansSerif);
    digits.setPixelSize(16);
    digits.setBold(true);
    QFont labels;
    labels.setPixelSize(11);

    grid.setColCount(RowWidth + 1);
    grid.setFixedCols(1);
    grid.setDefaultColWidth(13);
    grid.setColWidth(0, 32);
    grid.setDefaultRowHeight(22);
    grid.setRowCount(10);
    grid.setFont(digits);
    grid.setColFont(0, labels);
    for (int col = 0; col <= RowWidth; ++col)
        grid.setColAlignment(col, Qt::AlignCenter);
    grid.setFixedColor(GridColor::Silver);
    grid.setSelectedColor(GridColor::LightBlue);
    grid.resize(grid.sizeForRows(10));
}

// What the START step does to the two sheets for one attempt.
void fillAttempt(TStringAlignGrid& memo, TStringAlignGrid& replay, int digitCount, std::minstd_rand& random)
{
    const int lastRow = (digitCount - 1) / RowWidth;
    memo.setRowCount(lastRow + 1);
    replay.setRowCount(lastRow + 1);
    memo.beginUpdate();
    replay.beginUpdate();
    for (int i = 1; i <= digitCount; ++i) {
        const int r = (i - 1) / RowWidth;
        const int c = (i - 1) % RowWidth + 1;
        if (c == 1) {
            const QString label = QString::number(r * RowWidth);
            memo.setCell(0, r, label);
            replay.setCell(0, r, label);
        }
        memo.setCellCharColors(c, r, char('0' + random() % 10), GridColor::Window, GridColor::Black);
        replay.setCellCharColors(c, r, 0, GridColor::Window, GridColor::Black);
    }
    for (int c = digitCount % RowWidth + 1; digitCount % RowWidth > 0 && c <= RowWidth; ++c) {
        memo.setCellCharColors(c, lastRow, 0, GridColor::ButtonFace, GridColor::Black);
        replay.setCellCharColors(c, lastRow, 0, GridColor::ButtonFace, GridColor::Black);
    }
    memo.endUpdate();
    replay.endUpdate();
    memo.setCurrentCell(1, 0);
    replay.setCurrentCell(1, 0);
    memo.setTopRow(0);
    replay.setTopRow(0);
}

// A user who gets most digits right, a few wrong, and stops short of the end.
void typeRecall(const TStringAlignGrid& memo, TStringAlignGrid& replay, int digitCount)
{
    replay.beginUpdate();
    for (int i = 1; i <= digitCount - 150; ++i) {
        const int r = (i - 1) / RowWidth;
        const int c = (i - 1) % RowWidth + 1;
        const char given = memo.cellChar(c, r);
        replay.setCellChar(c, r, i % 97 == 0 ? char('0' + (given - '0' + 1) % 10) : given);
    }
    replay.endUpdate();
}

// What the end of recall does: row texts, marks, points column, totals.
ScoreResult scoreAttempt(const TStringAlignGrid& memo, TStringAlignGrid& replay, TStringAlignGrid& points, int digitCount)
{
    QVector<RowTexts> rows((digitCount - 1) / RowWidth + 1);
    replay.beginUpdate();
    for (int i = 1; i <= digitCount; ++i) {
        const int r = (i - 1) / RowWidth;
        const int c = (i - 1) % RowWidth + 1;
        const QChar given = QLatin1Char(memo.cellChar(c, r));
        const char typed = replay.cellChar(c, r);
        const QChar recalled = typed ? QLatin1Char(typed) : QLatin1Char(' ');
        rows[r].given.append(given);
        rows[r].recalled.append(recalled);
        switch (MarkCell(given, recalled)) {
        case CellMark::Right:
            replay.setCellFontColor(c, r, GridColor::Green);
            break;
        case CellMark::Wrong:
            replay.setCellFontColor(c, r, GridColor::Red);
            break;
        case CellMark::Missing:
            replay.setCellBackground(c, r, GridColor::LightRed);
            break;
        }
    }
    replay.endUpdate();
    const ScoreResult result = ScoreChampionship(rows);
    points.beginUpdate();
    for (int r = 0; r < result.rowPoints.size(); ++r)
        points.setCell(0, r, QString::number(result.rowPoints[r]));
    points.endUpdate();
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msSince(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

size_t heapBytes() { return mallinfo2().uordblks; }

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::minstd_rand random(20000);

    const size_t heapBeforeSheets = heapBytes();
    TStringAlignGrid memo;
    TStringAlignGrid replay;
    setUpSheet(memo);
    setUpSheet(replay);
    TStringAlignGrid points;
    points.setColCount(1);
    points.setDefaultColWidth(16);
    points.setDefaultRowHeight(22);
    points.setVerticalScrollBarShown(false);
    points.setShowSelection(false);

    const size_t heapBeforeAttempt = heapBytes();
    fillAttempt(memo, replay, DigitCount, random);
    points.setRowCount(DigitCount / RowWidth);
    const size_t heapAfterAttempt = heapBytes();

    std::vector<double> fills;
    for (int i = 0; i < Repeats; ++i) {
        memo.setRowCount(10);
        replay.setRowCount(10);
        QElapsedTimer timer;
        timer.start();
        fillAttempt(memo, replay, DigitCount, random);
        fills.push_back(msSince(timer));
    }

    std::vector<double> scores;
    ScoreResult result;
    for (int i = 0; i < Repeats; ++i) {
        fillAttempt(memo, replay, DigitCount, random);
        typeRecall(memo, replay, DigitCount);
        QElapsedTimer timer;
        timer.start();
        result = scoreAttempt(memo, replay, points, DigitCount);
        scores.push_back(msSince(timer));
    }

    // A digit typed near the end of the recall sheet, as the window's hooks do it.
    const SheetGeometry geometry{RowWidth, DigitCount / RowWidth - 1, RowWidth, 9, 10};
    replay.setKeyPressHook([&](QChar ch) {
        replay.setCellChar(replay.currentCol(), replay.currentRow(), char(ch.unicode()));
        const CellPos next = RecallAdvance({replay.currentCol(), replay.currentRow()}, geometry);
        replay.setCurrentCell(next.col, next.row);
    });
    replay.show();
    QCoreApplication::processEvents();
    constexpr int Presses = 2000;
    replay.setCurrentCell(1, geometry.lastRow - 60);
    QElapsedTimer keyTimer;
    keyTimer.start();
    for (int i = 0; i < Presses; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
        QCoreApplication::sendEvent(&replay, &press);
    }
    const double keypressUs = keyTimer.nsecsElapsed() / 1e3 / Presses;

    std::vector<double> paints;
    QImage canvas(replay.size(), QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < Repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        replay.render(&canvas);
        paints.push_back(msSince(timer));
    }

    const double fillMs = median(fills);
    const double scoreMs = median(scores);
    const double attemptKb = (double(heapAfterAttempt) - double(heapBeforeAttempt)) / 1024;
    const double sheetsKb = (double(heapAfterAttempt) - double(heapBeforeSheets)) / 1024;
    const double cellsKb = double(memo.cellMemoryBytes() + replay.cellMemoryBytes()) / 1024;
    std::printf("fill_20000_ms: %.3f ms (%.3f of the 5 ms target)\n", fillMs, fillMs / 5);
    std::printf("score_20000_ms: %.3f ms (%.3f of the 5 ms target; %d points, %d correct)\n", scoreMs, scoreMs / 5,
                result.totalPoints, result.correctDigits);
    std::printf("attempt_20000_kb: %.0f kB (%.3f of the 2048 kB target)\n", attemptKb, attemptKb / 2048);
    std::printf("sheets_20000_kb: %.0f kB\n", sheetsKb);
    std::printf("cells_20000_kb: %.0f kB\n", cellsKb);
    std::printf("keypress_us: %.1f us (%.3f of the 1000 us target)\n", keypressUs, keypressUs / 1000);
    std::printf("paint_sheet_ms: %.3f ms\n", median(paints));
    return 0;
}
