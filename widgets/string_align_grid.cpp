// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/string_align_grid.h"

#include <QAbstractItemDelegate>
#include <QAbstractTableModel>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <array>
#include <vector>

namespace {

// Marks a cell whose text lives in the side table.
constexpr char LongText = 1;

// One shared string per Latin-1 character, so painting and reading a one-character
// cell never allocates.
const QString& charText(char ch)
{
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> t;
        for (int i = 0; i < 256; ++i)
            t[i] = QString(QChar(char16_t(i)));
        return t;
    }();
    return texts[static_cast<unsigned char>(ch)];
}

bool isFastChar(char ch) { return static_cast<unsigned char>(ch) >= 0x20; }

} // namespace

// The cells of a grid as three flat byte arrays in row order. The model never
// decides anything about looks; it asks the grid, which owns the settings.
class SheetModel final : public QAbstractTableModel {
public:
    explicit SheetModel(TStringAlignGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const int col = index.column();
        const int row = index.row();
        switch (role) {
        case Qt::DisplayRole:
            return grid_->cell(col, row);
        case Qt::ToolTipRole: {
            const QString tip = grid_->cellToolTip(col, row);
            return tip.isEmpty() ? QVariant() : QVariant(tip);
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(grid_->colAlignment(col));
        case Qt::FontRole:
            return grid_->colFont(col);
        case Qt::BackgroundRole: {
            const GridColor own = grid_->cellBackground(col, row);
            if (own != GridColor::Default)
                return QBrush(grid_->colorOf(own));
            const bool fixed = col < grid_->fixedCols() || row < grid_->fixedRows();
            return QBrush(grid_->colorOf(fixed ? grid_->fixedColor() : grid_->color()));
        }
        case Qt::ForegroundRole: {
            const GridColor own = grid_->cellFontColor(col, row);
            return QBrush(grid_->colorOf(own != GridColor::Default ? own : grid_->fontColor()));
        }
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (index.column() < grid_->fixedCols() || index.row() < grid_->fixedRows())
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    }

    bool valid(int col, int row) const
    {
        return static_cast<unsigned>(col) < static_cast<unsigned>(cols)
            && static_cast<unsigned>(row) < static_cast<unsigned>(rows);
    }
    qsizetype at(int col, int row) const { return qsizetype(row) * cols + col; }

    void changed(int col, int row)
    {
        if (updateDepth > 0) {
            dirty = true;
            return;
        }
        const QModelIndex i = index(row, col);
        Q_EMIT dataChanged(i, i);
    }

    void setText(qsizetype i, char ch)
    {
        if (text[i] == LongText)
            longTexts.remove(i);
        text[i] = ch;
    }

    void resizeRows(int newRows)
    {
        if (newRows == rows)
            return;
        if (newRows > rows)
            beginInsertRows({}, rows, newRows - 1);
        else
            beginRemoveRows({}, newRows, rows - 1);
        const qsizetype cells = qsizetype(newRows) * cols;
        if (newRows < rows) {
            for (auto it = longTexts.begin(); it != longTexts.end();)
                it = it.key() >= cells ? longTexts.erase(it) : std::next(it);
        }
        text.resize(cells, 0);
        background.resize(cells, GridColor::Default);
        fontColor.resize(cells, GridColor::Default);
        const bool grew = newRows > rows;
        rows = newRows;
        if (grew)
            endInsertRows();
        else
            endRemoveRows();
    }

    void resizeCols(int newCols)
    {
        if (newCols == cols)
            return;
        if (newCols > cols)
            beginInsertColumns({}, cols, newCols - 1);
        else
            beginRemoveColumns({}, newCols, cols - 1);
        const qsizetype cells = qsizetype(rows) * newCols;
        std::vector<char> newText(cells, 0);
        std::vector<GridColor> newBackground(cells, GridColor::Default);
        std::vector<GridColor> newFontColor(cells, GridColor::Default);
        QHash<qsizetype, QString> newLongTexts;
        const int kept = qMin(cols, newCols);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < kept; ++c) {
                const qsizetype from = at(c, r);
                const qsizetype to = qsizetype(r) * newCols + c;
                newText[to] = text[from];
                newBackground[to] = background[from];
                newFontColor[to] = fontColor[from];
                if (text[from] == LongText)
                    newLongTexts.insert(to, longTexts.value(from));
            }
        }
        text.swap(newText);
        background.swap(newBackground);
        fontColor.swap(newFontColor);
        longTexts.swap(newLongTexts);
        const bool grew = newCols > cols;
        cols = newCols;
        if (grew)
            endInsertColumns();
        else
            endRemoveColumns();
    }

    void endBatch()
    {
        if (--updateDepth > 0 || !dirty)
            return;
        dirty = false;
        if (rows > 0 && cols > 0)
            Q_EMIT dataChanged(index(0, 0), index(rows - 1, cols - 1));
    }

    int cols = 0;
    int rows = 0;
    std::vector<char> text;  // 0 empty, LongText, or a Latin-1 character
    std::vector<GridColor> background;
    std::vector<GridColor> fontColor;
    QHash<qsizetype, QString> longTexts;
    int updateDepth = 0;
    bool dirty = false;

private:
    TStringAlignGrid* grid_;
};

namespace {

// Paints straight from the grid's bytes: no QVariant, no style option per cell.
class SheetDelegate final : public QAbstractItemDelegate {
public:
    explicit SheetDelegate(TStringAlignGrid* grid) : QAbstractItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        grid_->paintCell(painter, option.rect, index.column(), index.row());
        grid_->paintHint(painter, option.rect, index.column(), index.row());
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        return {grid_->colWidth(index.column()), grid_->defaultRowHeight()};
    }

private:
    TStringAlignGrid* grid_;
};

} // namespace

TStringAlignGrid::TStringAlignGrid(QWidget* parent) : QTableView(parent), model_(new SheetModel(this))
{
    setModel(model_);
    setItemDelegate(new SheetDelegate(this));

    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        // Without this the style's minimum doubles a 13 px digit column.
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->hide();
    }
    horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
    verticalHeader()->setDefaultSectionSize(defaultRowHeight_);

    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Tab and Shift+Tab move on to the window's next control, as in every other
    // control; the cursor keys move within the grid.
    setTabKeyNavigation(false);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setDragEnabled(false);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TStringAlignGrid::topLeftChanged);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &TStringAlignGrid::topLeftChanged);

    setColor(color_);
    setColCount(5);
    setRowCount(5);
}

TStringAlignGrid::~TStringAlignGrid() = default;

void TStringAlignGrid::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        glyphs_.clear();
    QTableView::changeEvent(event);
}

// ---- dimensions

void TStringAlignGrid::setColCount(int cols)
{
    cols = qMax(0, cols);
    glyphs_.clear();
    model_->resizeCols(cols);
    colWidths_.resize(cols, -1);
    colAlignments_.resize(cols, Qt::AlignLeft | Qt::AlignVCenter);
    colFonts_.resize(cols);
    colHasFont_.resize(cols, false);
    colMarks_.resize(cols, 0);
    applyColWidths();
    placeCurrentInside();
}

int TStringAlignGrid::colCount() const { return model_->cols; }

void TStringAlignGrid::setRowCount(int rows)
{
    model_->resizeRows(qMax(0, rows));
    placeCurrentInside();
    // The classic grid pulls its top row back at once when rows go away; the view
    // would only do so at its next layout.
    ensureLaidOut();
}

int TStringAlignGrid::rowCount() const { return model_->rows; }

void TStringAlignGrid::setFixedCols(int cols)
{
    fixedCols_ = qBound(0, cols, 1);
    placeCurrentInside();
    viewport()->update();
}

int TStringAlignGrid::fixedCols() const { return fixedCols_; }

void TStringAlignGrid::setFixedRows(int rows)
{
    fixedRows_ = qBound(0, rows, 1);
    placeCurrentInside();
    viewport()->update();
}

int TStringAlignGrid::fixedRows() const { return fixedRows_; }

void TStringAlignGrid::setColWidth(int col, int px)
{
    if (col < 0 || col >= colWidths_.size())
        return;
    colWidths_[col] = qMax(1, px);
    horizontalHeader()->resizeSection(col, colWidths_[col]);
}

int TStringAlignGrid::colWidth(int col) const
{
    if (col < 0 || col >= colWidths_.size())
        return 0;
    return colWidths_[col] < 0 ? defaultColWidth_ : colWidths_[col];
}

void TStringAlignGrid::setDefaultColWidth(int px)
{
    defaultColWidth_ = qMax(1, px);
    horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
    applyColWidths();
}

int TStringAlignGrid::defaultColWidth() const { return defaultColWidth_; }

void TStringAlignGrid::setDefaultRowHeight(int px)
{
    defaultRowHeight_ = qMax(1, px);
    verticalHeader()->setDefaultSectionSize(defaultRowHeight_);
    ensureLaidOut();
}

int TStringAlignGrid::defaultRowHeight() const { return defaultRowHeight_; }

// The header forgets or rescales sizes when sections come and go, so the widths
// are ours and are laid on again after every change of columns.
void TStringAlignGrid::applyColWidths()
{
    QHeaderView* header = horizontalHeader();
    for (int c = 0; c < colWidths_.size(); ++c)
        header->resizeSection(c, colWidth(c));
}

// ---- cells

void TStringAlignGrid::setCell(int col, int row, const QString& text)
{
    if (!model_->valid(col, row))
        return;
    const qsizetype i = model_->at(col, row);
    if (text.isEmpty()) {
        model_->setText(i, 0);
    } else if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x100) {
        model_->setText(i, static_cast<char>(text[0].unicode()));
    } else {
        model_->text[i] = LongText;
        model_->longTexts.insert(i, text);
    }
    model_->changed(col, row);
}

QString TStringAlignGrid::cell(int col, int row) const
{
    if (!model_->valid(col, row))
        return {};
    const qsizetype i = model_->at(col, row);
    const char ch = model_->text[i];
    if (ch == LongText)
        return model_->longTexts.value(i);
    return ch == 0 ? QString() : charText(ch);
}

void TStringAlignGrid::setCellChar(int col, int row, char ch)
{
    if (!model_->valid(col, row))
        return;
    model_->setText(model_->at(col, row), isFastChar(ch) ? ch : 0);
    model_->changed(col, row);
}

char TStringAlignGrid::cellChar(int col, int row) const
{
    if (!model_->valid(col, row))
        return 0;
    const char ch = model_->text[model_->at(col, row)];
    return ch == LongText ? 0 : ch;
}

void TStringAlignGrid::setCellBackground(int col, int row, GridColor color)
{
    if (!model_->valid(col, row))
        return;
    model_->background[model_->at(col, row)] = color;
    model_->changed(col, row);
}

GridColor TStringAlignGrid::cellBackground(int col, int row) const
{
    return model_->valid(col, row) ? model_->background[model_->at(col, row)] : GridColor::Default;
}

void TStringAlignGrid::setCellFontColor(int col, int row, GridColor color)
{
    if (!model_->valid(col, row))
        return;
    model_->fontColor[model_->at(col, row)] = color;
    model_->changed(col, row);
}

GridColor TStringAlignGrid::cellFontColor(int col, int row) const
{
    return model_->valid(col, row) ? model_->fontColor[model_->at(col, row)] : GridColor::Default;
}

void TStringAlignGrid::setCellCharColors(int col, int row, char ch, GridColor background, GridColor fontColor)
{
    if (!model_->valid(col, row))
        return;
    const qsizetype i = model_->at(col, row);
    model_->setText(i, isFastChar(ch) ? ch : 0);
    model_->background[i] = background;
    model_->fontColor[i] = fontColor;
    model_->changed(col, row);
}

// ---- colours

QColor TStringAlignGrid::colorOf(GridColor color) const
{
    switch (color) {
    case GridColor::Window:
        return palette().color(QPalette::Base);
    case GridColor::ButtonFace:
        return palette().color(QPalette::Button);
    case GridColor::WindowText:
    case GridColor::Default:
        return palette().color(QPalette::Text);
    case GridColor::White:
        return QColor(255, 255, 255);
    case GridColor::Black:
        return QColor(0, 0, 0);
    case GridColor::Green:
        return QColor(0, 128, 0);
    case GridColor::Red:
        return QColor(255, 0, 0);
    case GridColor::LightRed:
        return QColor(255, 192, 192);
    case GridColor::Silver:
        return QColor(192, 192, 192);
    case GridColor::LightBlue:
        return QColor(192, 192, 255);
    }
    return {};
}

QColor TStringAlignGrid::resolvedColor(GridColor color, GridColor fallback) const
{
    return colorOf(color == GridColor::Default ? fallback : color);
}

void TStringAlignGrid::setColor(GridColor color)
{
    color_ = color == GridColor::Default ? GridColor::White : color;
    // The part of the view below the last row shows the grid colour too.
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Base, colorOf(color_));
    viewport()->setPalette(p);
    viewport()->update();
}

GridColor TStringAlignGrid::color() const { return color_; }

void TStringAlignGrid::setFixedColor(GridColor color)
{
    fixedColor_ = color;
    viewport()->update();
}

GridColor TStringAlignGrid::fixedColor() const { return fixedColor_; }

void TStringAlignGrid::setSelectedColor(GridColor color)
{
    selectedColor_ = color;
    viewport()->update();
}

GridColor TStringAlignGrid::selectedColor() const { return selectedColor_; }

void TStringAlignGrid::setFontColor(GridColor color)
{
    fontColor_ = color == GridColor::Default ? GridColor::WindowText : color;
    viewport()->update();
}

GridColor TStringAlignGrid::fontColor() const { return fontColor_; }

void TStringAlignGrid::setShowSelection(bool show)
{
    showSelection_ = show;
    viewport()->update();
}

bool TStringAlignGrid::showSelection() const { return showSelection_; }

// ---- columns

void TStringAlignGrid::setColAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= colAlignments_.size())
        return;
    colAlignments_[col] = alignment;
    viewport()->update();
}

Qt::Alignment TStringAlignGrid::colAlignment(int col) const
{
    if (col < 0 || col >= colAlignments_.size())
        return Qt::AlignLeft | Qt::AlignVCenter;
    return colAlignments_[col];
}

void TStringAlignGrid::setColFont(int col, const QFont& font)
{
    if (col < 0 || col >= colFonts_.size())
        return;
    colFonts_[col] = font;
    colHasFont_[col] = true;
    glyphs_.clear();
    viewport()->update();
}

QFont TStringAlignGrid::colFont(int col) const
{
    if (col < 0 || col >= colFonts_.size() || !colHasFont_[col])
        return font();
    return colFonts_[col];
}

// ---- painting

bool TStringAlignGrid::isFixed(int col, int row) const { return col < fixedCols_ || row < fixedRows_; }

void TStringAlignGrid::paintCell(QPainter* painter, const QRect& rect, int col, int row) const
{
    if (!model_->valid(col, row))
        return;
    const qsizetype i = model_->at(col, row);
    const bool fixed = isFixed(col, row);
    const QModelIndex current = currentIndex();
    const bool selected = showSelection_ && !fixed && current.row() == row && current.column() == col;

    QColor background = selected ? colorOf(selectedColor_)
                                 : resolvedColor(model_->background[i], fixed ? fixedColor_ : color_);
    const GridColor own = model_->background[i];
    if (!selected && !fixed && colShaded(col) && (own == GridColor::Default || own == GridColor::Window))
        background = background.darker(110);
    painter->fillRect(rect, background);
    if (!fixed && colStartsGroup(col))
        painter->fillRect(QRect(rect.left(), rect.top(), 2, rect.height()), palette().color(QPalette::Mid));

    const char ch = model_->text[i];
    if (ch == 0)
        return;
    const Qt::Alignment alignment = colAlignment(col);
    const QFont& cellFont = colHasFont_[col] ? colFonts_[col] : font();
    painter->setPen(selected ? QColor(0, 0, 0) : resolvedColor(model_->fontColor[i], fontColor_));
    painter->setFont(cellFont);
    // Left- and right-aligned text keeps off the grid line as the classic grids do;
    // centred text gets the whole of a narrow digit cell.
    const QRect textRect = (alignment & Qt::AlignHCenter) ? rect : rect.adjusted(2, 0, -2, 0);
    if (ch == LongText) {
        painter->drawText(textRect, int(alignment), *model_->longTexts.constFind(i));
        return;
    }
    QStaticText& glyph = glyphs_[col * 256 + quint8(ch)];
    if (glyph.text().isEmpty()) {
        glyph.setText(charText(ch));
        glyph.setTextFormat(Qt::PlainText);
        glyph.prepare(QTransform(), cellFont);
    }
    const QSizeF size = glyph.size();
    qreal x = textRect.left();
    if (alignment & Qt::AlignHCenter)
        x += (textRect.width() - size.width()) / 2;
    else if (alignment & Qt::AlignRight)
        x = textRect.right() + 1 - size.width();
    qreal y = textRect.top();
    if (alignment & Qt::AlignVCenter)
        y += (textRect.height() - size.height()) / 2;
    else if (alignment & Qt::AlignBottom)
        y = textRect.bottom() + 1 - size.height();
    painter->drawStaticText(QPointF(x, y), glyph);
}

void TStringAlignGrid::paintHint(QPainter* painter, const QRect& rect, int col, int row) const
{
    if (hints_.isEmpty())
        return;
    const auto found = hints_.constFind(qMakePair(col, row));
    if (found == hints_.constEnd())
        return;
    QFont small = colHasFont_[col] ? colFonts_[col] : font();
    small.setPixelSize(std::max(7, rect.height() * 2 / 5));
    small.setBold(false);
    painter->save();
    painter->setFont(small);
    painter->setPen(QColor(0, 0, 0));
    painter->drawText(rect.adjusted(0, 0, -1, 0), int(Qt::AlignRight | Qt::AlignBottom), *found);
    painter->restore();
}

void TStringAlignGrid::setCellHint(int col, int row, const QString& hint)
{
    if (!model_->valid(col, row))
        return;
    if (hint.isEmpty())
        hints_.remove(qMakePair(col, row));
    else
        hints_.insert(qMakePair(col, row), hint);
    model_->changed(col, row);
}

QString TStringAlignGrid::cellHint(int col, int row) const
{
    return hints_.value(qMakePair(col, row));
}

void TStringAlignGrid::clearCellHints()
{
    if (hints_.isEmpty())
        return;
    hints_.clear();
    viewport()->update();
}

QString TStringAlignGrid::cellToolTip(int col, int row) const
{
    const QString hint = cellHint(col, row);
    return hint.isEmpty() ? QString() : hintToolTip_.arg(hint);
}

// ---- position

int TStringAlignGrid::topRow() const { return verticalScrollBar()->value(); }

void TStringAlignGrid::setTopRow(int row)
{
    ensureLaidOut();
    verticalScrollBar()->setValue(row);
}

int TStringAlignGrid::currentCol() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : fixedCols_;
}

int TStringAlignGrid::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : fixedRows_;
}

void TStringAlignGrid::setCurrentCell(int col, int row)
{
    if (rowCount() <= fixedRows_ || colCount() <= fixedCols_)
        return;
    col = qBound(fixedCols_, col, colCount() - 1);
    row = qBound(fixedRows_, row, rowCount() - 1);
    ensureLaidOut();
    const QModelIndex index = model_->index(row, col);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

// A grid scrolled sideways shows its label column again with the first column
// that can be entered, so the row's label is never lost at the row's start.
void TStringAlignGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current.column() == fixedCols_ && fixedCols_ > 0)
        horizontalScrollBar()->setValue(0);
}

int TStringAlignGrid::visibleRowCount() const
{
    const_cast<TStringAlignGrid*>(this)->ensureLaidOut();
    const int fitting = viewport()->height() / defaultRowHeight_;
    return qBound(0, fitting, rowCount() - topRow());
}

// Keeps a current cell at all times, as the window reads it back without asking
// whether there is one, and never in a fixed cell.
void TStringAlignGrid::placeCurrentInside()
{
    if (rowCount() <= fixedRows_ || colCount() <= fixedCols_)
        return;
    const QModelIndex current = currentIndex();
    const int col = qBound(fixedCols_, current.isValid() ? current.column() : fixedCols_, colCount() - 1);
    const int row = qBound(fixedRows_, current.isValid() ? current.row() : fixedRows_, rowCount() - 1);
    if (!current.isValid() || current.column() != col || current.row() != row)
        selectionModel()->setCurrentIndex(model_->index(row, col), QItemSelectionModel::ClearAndSelect);
}

// The view lays out its scroll range only at its next layout pass, and a hidden
// grid has none until it is shown; the top row and the current cell need the
// range now. Laying out the geometries also places the viewport in the grid's
// present size, shown or not.
void TStringAlignGrid::ensureLaidOut()
{
    updateGeometries();
}

// ---- batching

void TStringAlignGrid::beginUpdate() { ++model_->updateDepth; }

void TStringAlignGrid::endUpdate()
{
    if (model_->updateDepth > 0)
        model_->endBatch();
}

// ---- geometry

void TStringAlignGrid::setVerticalScrollBarShown(bool shown)
{
    scrollBarShown_ = shown;
    setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

bool TStringAlignGrid::verticalScrollBarShown() const { return scrollBarShown_; }

void TStringAlignGrid::setHorizontalScrollBarShown(bool shown)
{
    setHorizontalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TStringAlignGrid::setColGroupMarks(int col, bool startsGroup, bool shaded)
{
    if (col < 0 || col >= colMarks_.size())
        return;
    colMarks_[col] = quint8((startsGroup ? 1 : 0) | (shaded ? 2 : 0));
    viewport()->update();
}

bool TStringAlignGrid::colStartsGroup(int col) const
{
    return col >= 0 && col < colMarks_.size() && (colMarks_[col] & 1);
}

bool TStringAlignGrid::colShaded(int col) const
{
    return col >= 0 && col < colMarks_.size() && (colMarks_[col] & 2);
}

QSize TStringAlignGrid::sizeForRows(int rows) const
{
    int width = 0;
    for (int c = 0; c < colCount(); ++c)
        width += colWidth(c);
    const int frame = 2 * frameWidth();
    const int scrollBar = scrollBarShown_ ? verticalScrollBar()->sizeHint().width() : 0;
    return {width + frame + scrollBar, rows * defaultRowHeight_ + frame};
}

// ---- keys

void TStringAlignGrid::setKeyDownHook(KeyDownHook hook) { keyDown_ = std::move(hook); }

void TStringAlignGrid::setKeyPressHook(KeyPressHook hook) { keyPress_ = std::move(hook); }

namespace {

bool isCursorKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

// The character a key press types, as the classic key-press event delivers it.
QChar typedChar(const QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    switch (event->key()) {
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint())
        return text[0];
    return {};
}

} // namespace

void TStringAlignGrid::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (keyDown_ && keyDown_(key, event->modifiers())) {
        event->accept();
        return;
    }
    if (isCursorKey(key)) {
        QTableView::keyPressEvent(event);
        // A cursor key that finds no cell to go to is still the grid's key.
        event->accept();
        return;
    }
    const QChar ch = typedChar(event);
    if (!ch.isNull() && keyPress_)
        keyPress_(ch);
    // Keys that type nothing (F6, Ctrl+Tab, Escape, Enter, ...) belong to the
    // window around the grid.
    if (ch.isNull() || key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)
        event->ignore();
    else
        event->accept();
}

// Typing digits must never send the cursor looking for a cell that starts with them.
void TStringAlignGrid::keyboardSearch(const QString&) {}
