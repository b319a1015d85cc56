// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QHash>
#include <QStaticText>
#include <QTableView>

#include <functional>

class QFont;
class QPainter;
class SheetModel;

// The colours a cell can take. Window, ButtonFace and WindowText follow the user's
// colour scheme (the palette's Base, Button and Text); the others are fixed.
// Default is what a cell has until it is given a colour: the grid colour (or the
// fixed colour in a fixed cell) for backgrounds, the font colour for text.
enum class GridColor : quint8 {
    Window,
    ButtonFace,
    White,
    Black,
    Green,      // 0, 128, 0
    Red,        // 255, 0, 0
    LightRed,   // 255, 192, 192
    Silver,     // 192, 192, 192
    LightBlue,  // 192, 192, 255
    WindowText,
    Default,
};

// A string grid in the manner of the classic string grids: columns and rows of
// text cells, each with its own background and text colour, per-column alignment
// and font, an optional fixed label column and fixed header row, a current cell and
// a top row. The sheets of the number windows hold up to 20000 digits, so a cell is
// three bytes (text, background, text colour) in a compact model; any text other
// than a single Latin-1 character lives in a side table. Nothing per cell is an
// object.
//
// Coordinates are always (col, row), counted from 0; column 0 is the fixed label
// column when setFixedCols(1). Column widths and row heights include the grid line,
// so 41 columns of 32 + 40 * 13 px are exactly 552 px wide.
//
// Keys: every key press goes first to the key-down hook; if that returns true the
// grid does nothing more. Otherwise a key that carries a character (printable
// characters and space as typed, Backspace as QChar(8), Enter as QChar(13); not
// with Ctrl or Alt held) goes to the key-press hook. Then the cursor keys (arrows,
// Page Up/Down, Home/End, with or without Ctrl) move the current cell as the
// view does; fixed cells are never entered. Tab leaves the grid for the next
// control. Characters never move the cursor and never start editing; Escape,
// Enter and every key that types nothing are left to the parent (so a dialog's
// own buttons and keys behave as usual); typed characters stop at the grid.
class TStringAlignGrid : public QTableView {
    Q_OBJECT

public:
    using KeyDownHook = std::function<bool(int key, Qt::KeyboardModifiers modifiers)>;
    using KeyPressHook = std::function<void(QChar ch)>;

    explicit TStringAlignGrid(QWidget* parent = nullptr);
    ~TStringAlignGrid() override;

    // Dimensions; 5 columns and 5 rows of 64 x 24 px, nothing fixed, at first.
    // Resizing keeps every cell that remains; new cells are empty with default colours.
    void setColCount(int cols);
    int colCount() const;
    void setRowCount(int rows);
    int rowCount() const;
    void setFixedCols(int cols);  // 0 or 1
    int fixedCols() const;
    void setFixedRows(int rows);  // 0 or 1; a header row, drawn fixed but not frozen
    int fixedRows() const;
    void setColWidth(int col, int px);
    int colWidth(int col) const;
    void setDefaultColWidth(int px);  // for every column not given its own width
    int defaultColWidth() const;
    void setDefaultRowHeight(int px);  // every row has this height
    int defaultRowHeight() const;

    // Cells. A text of one ASCII character takes the fast path; anything else is
    // kept aside. Out-of-range coordinates are ignored (and read as empty).
    void setCell(int col, int row, const QString& text);
    QString cell(int col, int row) const;
    void setCellChar(int col, int row, char ch);  // 0 = empty
    char cellChar(int col, int row) const;        // 0 for an empty or a long text
    void setCellBackground(int col, int row, GridColor color);
    GridColor cellBackground(int col, int row) const;
    void setCellFontColor(int col, int row, GridColor color);
    GridColor cellFontColor(int col, int row) const;
    // Text and both colours of one cell at once, for filling whole sheets.
    void setCellCharColors(int col, int row, char ch, GridColor background, GridColor fontColor);

    // A hint in a cell: a small second text in its lower right corner (the right
    // digit beside a wrong one) and its tooltip, the grid's hint tooltip with the
    // hint for %1. Kept aside from the cells, as few cells have one.
    void setCellHint(int col, int row, const QString& hint);
    QString cellHint(int col, int row) const;
    void clearCellHints();
    void setHintToolTip(const QString& format) { hintToolTip_ = format; }
    QString cellToolTip(int col, int row) const;

    // Colours of the grid as a whole.
    void setColor(GridColor color);  // background of the cells; White at first
    GridColor color() const;
    void setFixedColor(GridColor color);  // fixed cells; ButtonFace at first
    GridColor fixedColor() const;
    void setSelectedColor(GridColor color);  // the current cell, LightBlue at first; its text is black
    GridColor selectedColor() const;
    void setFontColor(GridColor color);  // text of cells without their own; WindowText at first
    GridColor fontColor() const;
    void setShowSelection(bool show);  // false: the current cell looks like the others
    bool showSelection() const;
    QColor colorOf(GridColor color) const;  // as painted now, with the current palette

    // Groups of columns, for reading: a line on the left of a column that begins
    // a group, and a light shade over the cells of a shaded column that have no
    // colour of their own.
    void setColGroupMarks(int col, bool startsGroup, bool shaded);
    bool colStartsGroup(int col) const;
    bool colShaded(int col) const;

    // Columns. A column without its own font uses the grid's font (QWidget::font);
    // without its own alignment it is left-aligned and vertically centred.
    void setColAlignment(int col, Qt::Alignment alignment);
    Qt::Alignment colAlignment(int col) const;
    void setColFont(int col, const QFont& font);
    QFont colFont(int col) const;

    // Position. setCurrentCell sets the column, then the row, and scrolls the cell
    // into view; it keeps out of fixed cells and inside the grid. These work on a
    // hidden grid too, as the window hands positions between sheets while one of
    // them is hidden.
    int topRow() const;
    void setTopRow(int row);
    int currentCol() const;
    int currentRow() const;
    void setCurrentCell(int col, int row);
    int visibleRowCount() const;  // rows wholly visible from the top row on

    // Batching: between beginUpdate and endUpdate the cell setters signal nothing;
    // endUpdate signals one change of the whole grid if any cell changed. Nests.
    void beginUpdate();
    void endUpdate();

    // Geometry. The vertical scroll bar shows when there are more rows than fit;
    // a horizontal one only when asked for, and then when the columns are wider
    // than the view.
    void setVerticalScrollBarShown(bool shown);
    bool verticalScrollBarShown() const;
    void setHorizontalScrollBarShown(bool shown);
    // The outer size that shows all columns and exactly `rows` rows, leaving room
    // for the vertical scroll bar when it is on.
    QSize sizeForRows(int rows) const;

    void setKeyDownHook(KeyDownHook hook);
    void setKeyPressHook(KeyPressHook hook);

    // Paints cell (col, row) into rect, and then its hint over it; the delegate's
    // whole work.
    void paintCell(QPainter* painter, const QRect& rect, int col, int row) const;
    void paintHint(QPainter* painter, const QRect& rect, int col, int row) const;

Q_SIGNALS:
    // The top row (or, in a grid wider than its view, the left column) changed:
    // by the scroll bar, the wheel, the keyboard or setTopRow.
    void topLeftChanged();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    bool isFixed(int col, int row) const;
    void applyColWidths();
    void ensureLaidOut();
    void placeCurrentInside();
    QColor resolvedColor(GridColor color, GridColor fallback) const;

    SheetModel* model_;
    QVector<int> colWidths_;  // -1: default width
    QVector<Qt::Alignment> colAlignments_;
    QVector<QFont> colFonts_;
    QVector<bool> colHasFont_;
    QVector<quint8> colMarks_;  // bit 0: begins a group, bit 1: shaded
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int fixedCols_ = 0;
    int fixedRows_ = 0;
    GridColor color_ = GridColor::White;
    GridColor fixedColor_ = GridColor::ButtonFace;
    GridColor selectedColor_ = GridColor::LightBlue;
    GridColor fontColor_ = GridColor::WindowText;
    bool showSelection_ = true;
    bool scrollBarShown_ = true;
    KeyDownHook keyDown_;
    KeyPressHook keyPress_;
    // Laid-out one-character texts by column and character: drawing a prepared
    // glyph is several times cheaper than laying the text out for every cell.
    mutable QHash<int, QStaticText> glyphs_;
    QHash<QPair<int, int>, QString> hints_;
    QString hintToolTip_ = QStringLiteral("%1");
};
