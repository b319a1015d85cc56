// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "numbers/sheet_navigation.h"
#include "numbers/sheet_view.h"
#include "training/scoring.h"

#include <QList>
#include <QObject>
#include <functional>

class AppContext;
class QAbstractButton;
class QFont;
class QGroupBox;
class QLabel;
class QWidget;
class TStringAlignGrid;
struct Attempt;

// The sheets of a memorisation page: the group box gbMemorieren with the
// memorisation sheet sgMemo, the recall sheet sgReplay stacked on it, the points
// column sgPoints, the column headings and the points heading. It lays an attempt
// out in rows, fills it, moves the cursors by the sheet rules, keeps the points
// beside the rows on screen, marks and scores the recall by a given rule and
// toggles the result view. What the keys may do in which phase is the window's
// business: it calls the key handlers only when they apply.
class TMemoSheets : public QObject {
    Q_OBJECT

public:
    static constexpr int SheetRows = 10;

    // The group box is placed at groupBox inside page; rowWidth digits a row.
    TMemoSheets(QWidget* page, const QRect& groupBox, const QFont& windowFont, int rowWidth, int jumpWidth,
                int widestCount);

    QGroupBox* gbMemorieren = nullptr;
    TStringAlignGrid* sgMemo = nullptr;
    TStringAlignGrid* sgReplay = nullptr;
    TStringAlignGrid* sgPoints = nullptr;
    QList<QLabel*> columnHeadings;
    QLabel* labPoints = nullptr;
    QLabel* labPace = nullptr;

    const SheetGeometry& geometry() const { return geometry_; }

    // An attempt of digitCount digits: the rows it needs, the recall sheet hidden
    // and the memorisation sheet shown, unless the digits are not to be seen.
    void layOut(int digitCount, bool showGiven = true);
    // Every cell of the memorisation sheet shows its digit of the material, every
    // recall cell is emptied; cells after the last digit get the button face.
    void fill(const QByteArray& given);
    // The cell of the digit at index (from 0) of the material, and back.
    CellPos cellOf(int index) const;
    int indexOf(CellPos cell) const;
    // Both cursors on the first digit, both sheets at the top.
    void home();
    // The recall sheet takes the memorisation sheet's place, at its cursor and
    // scroll position.
    void showRecallAtMemoCursor();
    // The recall sheet shown at the first digit, whatever the memorisation sheet
    // did. The focus is left to the window, which may not be on screen.
    void showRecallAtStart();
    // Where the digits are only heard, nothing of the sheets is seen before
    // recall: both sheets, the headings and the points column.
    void hideAll();
    // The column headings, the points heading and the points column.
    void setHeadingsVisible(bool visible);
    // How the digits are shown. The sheets keep their designed outer size: larger
    // digits show fewer rows and scroll sideways; the column headings, laid out
    // for the designed cells, show only with them.
    void applyView(const SheetView& view);
    const SheetView& view() const { return view_; }

    // The sheet rules for one key; true when the key was used.
    bool memoKeyDown(int key, Qt::KeyboardModifiers modifiers);
    bool replayKeyDown(int key, Qt::KeyboardModifiers modifiers, bool recalling);
    // A typed character in the recall sheet: a digit below '0' + alphabetSize is
    // written, Space empties, Backspace goes back and empties; anything else is
    // dropped.
    void replayKeyPress(QChar ch, int alphabetSize);
    // Hears of every recall cell written or emptied: the digit's index and its
    // character, 0 for empty.
    std::function<void(int index, char value)> edited;
    void memoScrolled();
    void replayScrolled();

    // Marks every recalled cell against the given digit and fills the points
    // column with the score's rows; a wrong cell shows the right digit as its
    // hint. The result view begins with the recall.
    void showScore(const Attempt& attempt, const ScoreResult& result);
    // Under the sheets: the memorisation time used and the digits per minute,
    // nothing for heard digits; the tooltip of a wrong cell in the language.
    void showPace(const AppContext& ctx, quint32 memoMs, int correctDigits);
    // The toggle of the result view: the other sheet, the group box titled after
    // what now shows and the toggle's caption after what the next click shows.
    void toggleResultView(QAbstractButton* toggle, const AppContext& ctx);

private:
    // The result view: recall or given digits, each at the other's cursor.
    void showGiven();
    void showRecalled();
    bool showsGiven() const;
    void setUpSheets(const QFont& windowFont, int widestCount);
    void placeHeadings(int top, int frame);
    void swapTo(TStringAlignGrid* shown, TStringAlignGrid* hidden);
    CellPos cursor(const TStringAlignGrid* sheet) const;
    void moveCursor(TStringAlignGrid* sheet, CellPos target);
    void followWithPoints(const TStringAlignGrid* sheet);
    void write(CellPos at, char value);

    SheetGeometry geometry_;
    SheetView view_;
    int designedWidth_ = 0;
    bool headingsShown_ = true;
    int digitCount_ = 0;
    bool resultView_ = false;
};
