// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/memo_sheets.h"

#include "core/app_context.h"
#include "core/attempt.h"
#include "core/formats.h"
#include "training/clock_text.h"
#include "training/digit_pace.h"
#include "widgets/string_align_grid.h"
#include "widgets/window_helpers.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>

namespace {

constexpr int LabelColumnWidth = 32;
constexpr int DigitColumnWidth = 13;
constexpr int SheetRowHeight = 22;
constexpr int PointsColumnWidth = 16;
constexpr int SheetsTop = 34;

} // namespace

TMemoSheets::TMemoSheets(QWidget* page, const QRect& groupBox, const QFont& windowFont, int rowWidth, int jumpWidth,
                         int widestCount)
    : QObject(page)
{
    geometry_ = SheetGeometry{rowWidth, SheetRows - 1, rowWidth, SheetRows - 1, jumpWidth};
    gbMemorieren = new QGroupBox(QStringLiteral("Memorieren"), page);
    gbMemorieren->setGeometry(groupBox);
    sgMemo = new TStringAlignGrid(gbMemorieren);
    sgReplay = new TStringAlignGrid(gbMemorieren);
    sgPoints = new TStringAlignGrid(gbMemorieren);
    setUpSheets(windowFont, widestCount);
}

void TMemoSheets::setUpSheets(const QFont& windowFont, int widestCount)
{
    const int rowWidth = geometry_.rowWidth;
    // The labels use the window's font, narrowed where the widest of them (19960)
    // would not fit its column in this font.
    QFont labels = windowFont;
    const QString widestLabel = QString::number((widestCount - 1) / rowWidth * rowWidth);
    while (labels.pixelSize() > 7 && QFontMetrics(labels).horizontalAdvance(widestLabel) > LabelColumnWidth - 3)
        labels.setPixelSize(labels.pixelSize() - 1);

    for (TStringAlignGrid* sheet : {sgMemo, sgReplay}) {
        sheet->setColCount(rowWidth + 1);
        sheet->setFixedCols(1);
        sheet->setRowCount(SheetRows);
        sheet->setDefaultRowHeight(SheetRowHeight);
        sheet->setDefaultColWidth(DigitColumnWidth);
        sheet->setColWidth(0, LabelColumnWidth);
        sheet->setColAlignment(0, Qt::AlignCenter);
        sheet->setColFont(0, labels);
        const QFont digits = PixelFont(16, true);
        for (int c = 1; c <= rowWidth; ++c) {
            sheet->setColAlignment(c, Qt::AlignCenter);
            sheet->setColFont(c, digits);
        }
        sheet->setColor(GridColor::White);
        sheet->setFontColor(GridColor::Black);
        sheet->setFixedColor(GridColor::Silver);
        sheet->setSelectedColor(GridColor::LightBlue);
        sheet->setVerticalScrollBarShown(true);
    }
    for (int r = 0; r < SheetRows; ++r)
        sgMemo->setCell(0, r, QString::number(r * rowWidth));

    sgPoints->setColCount(1);
    sgPoints->setRowCount(SheetRows);
    sgPoints->setDefaultRowHeight(SheetRowHeight);
    sgPoints->setColWidth(0, PointsColumnWidth);
    sgPoints->setColAlignment(0, Qt::AlignCenter);
    sgPoints->setColFont(0, windowFont);
    sgPoints->setVerticalScrollBarShown(false);
    sgPoints->setShowSelection(false);
    sgPoints->setFontColor(GridColor::Black);
    sgPoints->setEnabled(false);
    // Only shown beside the rows: the keys never go there.
    sgPoints->setFocusPolicy(Qt::NoFocus);

    // The sheets lie on top of each other under their column headings, the points
    // column to their right.
    const QSize sheetSize = sgMemo->sizeForRows(SheetRows);
    designedWidth_ = sheetSize.width();
    sgMemo->setGeometry(10, SheetsTop, sheetSize.width(), sheetSize.height());
    sgReplay->setGeometry(sgMemo->geometry());
    sgReplay->hide();
    sgPoints->setGeometry(sgMemo->geometry().right() + 8, SheetsTop, sgPoints->sizeForRows(SheetRows).width(),
                          sheetSize.height());
    placeHeadings(SheetsTop, (sheetSize.height() - SheetRows * SheetRowHeight) / 2);
}

void TMemoSheets::placeHeadings(int top, int frame)
{
    for (int column : {1, 10, 20, 30, 40}) {
        if (column > geometry_.rowWidth)
            break;
        auto* heading = new QLabel(QString::number(column), gbMemorieren);
        const int x = 10 + frame + LabelColumnWidth + (column - 1) * DigitColumnWidth;
        heading->setGeometry(x - 6, top - 15, DigitColumnWidth + 12, 14);
        heading->setAlignment(Qt::AlignCenter);
        columnHeadings << heading;
    }
    // Under the sheets, once an attempt is scored: how fast it was memorised.
    labPace = new QLabel(gbMemorieren);
    labPace->setObjectName(QStringLiteral("labPace"));
    labPace->setGeometry(10, sgMemo->geometry().bottom() + 2, sgMemo->width(), 15);
    labPoints = new QLabel(QStringLiteral("Punkte"), gbMemorieren);
    labPoints->setGeometry(sgPoints->x() - 14, top - 15, sgPoints->width() + 28, 14);
    labPoints->setAlignment(Qt::AlignCenter);
}

void TMemoSheets::applyView(const SheetView& view)
{
    view_ = view;
    const int rowWidth = geometry_.rowWidth;
    const QFont digits = PixelFont(view.digitPx(), true);
    const bool wide = view.columnWidth() > DigitColumnWidth;
    for (TStringAlignGrid* sheet : {sgMemo, sgReplay}) {
        sheet->setDefaultRowHeight(view.rowHeight());
        sheet->setDefaultColWidth(view.columnWidth());
        sheet->setColWidth(0, LabelColumnWidth);
        sheet->setHorizontalScrollBarShown(wide);
        for (int c = 1; c <= rowWidth; ++c) {
            sheet->setColFont(c, digits);
            sheet->setColGroupMarks(c, view.startsGroup(c), view.shaded(c));
        }
    }
    sgPoints->setDefaultRowHeight(view.rowHeight());

    // The rows that fit the designed height, less the sideways scroll bar.
    const int bar = wide ? sgMemo->horizontalScrollBar()->sizeHint().height() : 0;
    const int rows = view.rowsIn(SheetRows * SheetRowHeight - bar);
    geometry_.pageRows = rows - 1;
    const int frame = 2 * sgMemo->frameWidth();
    sgMemo->setGeometry(10, SheetsTop, designedWidth_, rows * view.rowHeight() + frame + bar);
    sgReplay->setGeometry(sgMemo->geometry());
    sgPoints->setGeometry(sgPoints->x(), SheetsTop, sgPoints->width(), rows * view.rowHeight() + frame);
    labPace->setGeometry(10, sgMemo->geometry().bottom() + 2, sgMemo->width(), 15);
    setHeadingsVisible(headingsShown_);
    for (TStringAlignGrid* sheet : {sgMemo, sgReplay})
        sheet->setCurrentCell(sheet->currentCol(), sheet->currentRow());
    followWithPoints(sgMemo->isHidden() ? sgReplay : sgMemo);
}

// ---------------------------------------------------------------------------
// An attempt's sheets

void TMemoSheets::layOut(int digitCount, bool showGiven)
{
    digitCount_ = digitCount;
    resultView_ = false;
    geometry_.lastRowDigits = (digitCount - 1) % geometry_.rowWidth + 1;
    geometry_.lastRow = (digitCount - 1) / geometry_.rowWidth;
    sgReplay->hide();
    for (TStringAlignGrid* grid : {sgMemo, sgReplay, sgPoints})
        grid->setRowCount(geometry_.lastRow + 1);
    sgMemo->setVisible(showGiven);
}

void TMemoSheets::fill(const QByteArray& given)
{
    sgReplay->clearCellHints();
    labPace->clear();
    const int rowWidth = geometry_.rowWidth;
    sgMemo->beginUpdate();
    sgReplay->beginUpdate();
    sgPoints->beginUpdate();
    for (int i = 0; i < digitCount_; ++i) {
        const CellPos at = cellOf(i);
        if (at.col == 1) {
            const QString label = QString::number(at.row * rowWidth);
            sgMemo->setCell(0, at.row, label);
            sgReplay->setCell(0, at.row, label);
            sgPoints->setCell(0, at.row, QString());
        }
        sgMemo->setCellCharColors(at.col, at.row, given.at(i), GridColor::Window, GridColor::Black);
        sgReplay->setCellCharColors(at.col, at.row, 0, GridColor::Window, GridColor::Black);
    }
    if (digitCount_ % rowWidth > 0) {
        for (int c = digitCount_ % rowWidth + 1; c <= rowWidth; ++c) {
            sgMemo->setCellCharColors(c, geometry_.lastRow, 0, GridColor::ButtonFace, GridColor::Black);
            sgReplay->setCellCharColors(c, geometry_.lastRow, 0, GridColor::ButtonFace, GridColor::Black);
        }
    }
    sgPoints->endUpdate();
    sgReplay->endUpdate();
    sgMemo->endUpdate();
}

CellPos TMemoSheets::cellOf(int index) const
{
    return CellPos{index % geometry_.rowWidth + 1, index / geometry_.rowWidth};
}

int TMemoSheets::indexOf(CellPos cell) const
{
    return cell.row * geometry_.rowWidth + cell.col - 1;
}

void TMemoSheets::home()
{
    for (TStringAlignGrid* sheet : {sgMemo, sgReplay}) {
        sheet->setCurrentCell(1, 0);
        sheet->setTopRow(0);
    }
    followWithPoints(sgMemo->isHidden() ? sgReplay : sgMemo);
}

void TMemoSheets::showRecallAtMemoCursor()
{
    sgReplay->setTopRow(sgMemo->topRow());
    moveCursor(sgReplay, cursor(sgMemo));
    sgMemo->hide();
    sgReplay->show();
    sgReplay->setFocus();
    followWithPoints(sgReplay);
}

void TMemoSheets::showRecallAtStart()
{
    sgReplay->setCurrentCell(1, 0);
    sgReplay->setTopRow(0);
    sgMemo->hide();
    sgReplay->show();
    followWithPoints(sgReplay);
}

void TMemoSheets::hideAll()
{
    sgMemo->hide();
    sgReplay->hide();
    setHeadingsVisible(false);
}

void TMemoSheets::setHeadingsVisible(bool visible)
{
    headingsShown_ = visible;
    for (QLabel* heading : std::as_const(columnHeadings))
        heading->setVisible(visible && view_.size == SheetView::Size::Designed);
    labPoints->setVisible(visible);
    sgPoints->setVisible(visible);
}

// ---------------------------------------------------------------------------
// Keys and scrolling

CellPos TMemoSheets::cursor(const TStringAlignGrid* sheet) const
{
    return CellPos{sheet->currentCol(), sheet->currentRow()};
}

void TMemoSheets::moveCursor(TStringAlignGrid* sheet, CellPos target)
{
    if (target != cursor(sheet))
        sheet->setCurrentCell(target.col, target.row);
}

void TMemoSheets::followWithPoints(const TStringAlignGrid* sheet)
{
    sgPoints->setTopRow(sheet->topRow());
    sgPoints->setCurrentCell(0, sheet->currentRow());
}

bool TMemoSheets::memoKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const NavigateResult result = NavigateSheet(key, modifiers & Qt::ControlModifier, cursor(sgMemo), geometry_);
    if (result.consumed)
        moveCursor(sgMemo, result.target);
    return result.consumed;
}

bool TMemoSheets::replayKeyDown(int key, Qt::KeyboardModifiers modifiers, bool recalling)
{
    const NavigateResult result = NavigateSheet(key, modifiers & Qt::ControlModifier, cursor(sgReplay), geometry_);
    if (result.consumed) {
        moveCursor(sgReplay, result.target);
        return true;
    }
    if (key == Qt::Key_Delete && recalling)
        write(cursor(sgReplay), 0);
    return false;
}

void TMemoSheets::replayKeyPress(QChar ch, int alphabetSize)
{
    const CellPos at = cursor(sgReplay);
    if (ch >= QLatin1Char('0') && ch.unicode() < u'0' + alphabetSize) {
        write(at, char(ch.unicode()));
        moveCursor(sgReplay, RecallAdvance(at, geometry_));
    } else if (ch == QLatin1Char(' ')) {
        write(at, 0);
        moveCursor(sgReplay, RecallAdvance(at, geometry_));
    } else if (ch == QChar(8)) {
        const CellPos back = RecallMoveBack(at, geometry_);
        moveCursor(sgReplay, back);
        write(back, 0);
    }
}

void TMemoSheets::write(CellPos at, char value)
{
    sgReplay->setCellChar(at.col, at.row, value);
    const int index = indexOf(at);
    if (edited && index >= 0 && index < digitCount_)
        edited(index, value);
}

void TMemoSheets::memoScrolled()
{
    moveCursor(sgMemo, KeepRowVisible(cursor(sgMemo), sgMemo->topRow(), geometry_.pageRows));
    // In the result view the points stay beside the rows on screen, whichever
    // sheet is shown.
    if (resultView_ && !sgMemo->isHidden())
        followWithPoints(sgMemo);
}

void TMemoSheets::replayScrolled()
{
    moveCursor(sgReplay, KeepRowVisible(cursor(sgReplay), sgReplay->topRow(), geometry_.pageRows));
    followWithPoints(sgMemo->isHidden() ? sgReplay : sgMemo);
}

// ---------------------------------------------------------------------------
// Scoring and the result view

void TMemoSheets::showPace(const AppContext& ctx, quint32 memoMs, int correctDigits)
{
    sgReplay->setHintToolTip(ctx.InterfaceText(505, QStringLiteral("richtig: %1")));
    const std::optional<double> pace = DigitsPerMinute(correctDigits, memoMs);
    if (!pace) {
        labPace->clear();
        return;
    }
    labPace->setText(ctx.InterfaceText(504, QStringLiteral("Memorierzeit %1 – %2 Ziffern pro Minute"))
                         .arg(ClockText(memoMs), FormatFixed(*pace, 1)));
}

void TMemoSheets::showScore(const Attempt& attempt, const ScoreResult& result)
{
    sgReplay->setCurrentCell(1, 0);
    sgReplay->setTopRow(0);
    sgReplay->setFocus();

    sgReplay->beginUpdate();
    for (int i = 0; i < digitCount_; ++i) {
        const CellPos at = cellOf(i);
        const char answer = i < attempt.answers.size() ? attempt.answers.at(i) : 0;
        const QChar recalled = answer ? QChar::fromLatin1(answer) : QLatin1Char(' ');
        switch (MarkCell(QChar::fromLatin1(attempt.given.at(i)), recalled)) {
        case CellMark::Right:
            sgReplay->setCellFontColor(at.col, at.row, GridColor::Green);
            break;
        case CellMark::Wrong:
            sgReplay->setCellFontColor(at.col, at.row, GridColor::Red);
            // The right digit beside the wrong one, not only the colour.
            sgReplay->setCellHint(at.col, at.row, QString(QChar::fromLatin1(attempt.given.at(i))));
            break;
        case CellMark::Missing:
            sgReplay->setCellBackground(at.col, at.row, GridColor::LightRed);
            break;
        }
    }
    sgReplay->endUpdate();

    sgPoints->beginUpdate();
    for (int r = 0; r <= geometry_.lastRow; ++r)
        sgPoints->setCell(0, r, QString::number(result.rowPoints.value(r)));
    sgPoints->endUpdate();
    resultView_ = true;
}

void TMemoSheets::swapTo(TStringAlignGrid* shown, TStringAlignGrid* hidden)
{
    moveCursor(shown, cursor(hidden));
    shown->setTopRow(hidden->topRow());
    hidden->hide();
    shown->show();
    shown->setFocus();
    followWithPoints(shown);
}

void TMemoSheets::showGiven()
{
    swapTo(sgMemo, sgReplay);
}

void TMemoSheets::showRecalled()
{
    swapTo(sgReplay, sgMemo);
}

bool TMemoSheets::showsGiven() const
{
    return !sgMemo->isHidden();
}

void TMemoSheets::toggleResultView(QAbstractButton* toggle, const AppContext& ctx)
{
    if (showsGiven()) {
        showRecalled();
        toggle->setText(ctx.InterfaceText(150, QStringLiteral("Vorgabe anzeigen")));
        gbMemorieren->setTitle(ctx.InterfaceText(165, QStringLiteral("Ergebnis")));
    } else {
        showGiven();
        toggle->setText(ctx.InterfaceText(167, QStringLiteral("Ergebnis anzeigen")));
        gbMemorieren->setTitle(ctx.InterfaceText(168, QStringLiteral("Vorgabe")));
    }
}
