// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "tools/card_art/card_art.h"

#include <QImage>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>
#include <cstring>

const std::array<QRgb, 16> Palette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

void Canvas::fill(Colour c)
{
    for (auto& row : px_)
        row.fill(c);
}

void Canvas::fillRect(int x, int y, int w, int h, Colour c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, c);
}

void Canvas::frameRect(int x, int y, int w, int h, Colour c)
{
    fillRect(x, y, w, 1, c);
    fillRect(x, y + h - 1, w, 1, c);
    fillRect(x, y, 1, h, c);
    fillRect(x + w - 1, y, 1, h, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, Colour c)
{
    // Bresenham: thin lines stay one pixel wide and end exactly where asked.
    const int dx = qAbs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -qAbs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    for (int err = dx + dy;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::fillPath(const QPainterPath& path, Colour c)
{
    QImage coverage(W, H, QImage::Format_ARGB32_Premultiplied);
    coverage.fill(Qt::transparent);
    {
        QPainter p(&coverage);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(path, Qt::black);
    }
    for (int y = 0; y < H; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
        for (int x = 0; x < W; ++x) {
            if (qAlpha(line[x]) >= 128)
                px_[y][x] = c;
        }
    }
}

void Canvas::strokePath(const QPainterPath& path, qreal width, Colour c)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    fillPath(stroker.createStroke(path), c);
}

void Canvas::fillEllipse(const QRectF& r, Colour c)
{
    QPainterPath path;
    path.addEllipse(r);
    fillPath(path, c);
}

void Canvas::outlined(const QPainterPath& path, Colour fill, Colour edge)
{
    fillPath(path, edge);
    // The fill is the path shrunk by one pixel: whatever of the shape it leaves
    // uncovered is the outline.
    QPainterPathStroker stroker;
    stroker.setWidth(2.0);
    const QPainterPath shrunk = path.subtracted(stroker.createStroke(path));
    fillPath(shrunk, fill);
}

void Canvas::glyph(std::initializer_list<const char*> rows, int x, int y, Colour c, bool turned)
{
    const int h = int(rows.size());
    int j = 0;
    for (const char* row : rows) {
        const int w = int(std::strlen(row));
        for (int i = 0; i < w; ++i) {
            if (row[i] != '#')
                continue;
            if (turned)
                set(x + w - 1 - i, y + h - 1 - j, c);
            else
                set(x + i, y + j, c);
        }
        ++j;
    }
}

void Canvas::mirrorUpperHalf(int x, int y, int w, int h)
{
    for (int j = y; j < y + h / 2; ++j)
        for (int i = x; i < x + w; ++i)
            set(W - 1 - i, H - 1 - j, px_[j][i]);
}

void Canvas::cardEdge(Colour c)
{
    fillRect(2, 0, W - 4, 1, c);
    fillRect(2, H - 1, W - 4, 1, c);
    fillRect(0, 2, 1, H - 4, c);
    fillRect(W - 1, 2, 1, H - 4, c);
    for (const auto& [x, y] : {std::pair{1, 1}, {W - 2, 1}, {1, H - 2}, {W - 2, H - 2}})
        set(x, y, c);
}

QPainterPath Ellipse(const QRectF& r)
{
    QPainterPath p;
    p.addEllipse(r);
    return p;
}

QPainterPath Polygon(std::initializer_list<QPointF> points)
{
    QPainterPath p;
    p.addPolygon(QPolygonF(points));
    p.closeSubpath();
    return p;
}

// ---------------------------------------------------------------------------
// Suits

namespace {

// The shapes in a unit square, point or stem at the bottom.
QPainterPath unitHeart()
{
    QPainterPath p;
    p.moveTo(0.5, 1.0);
    p.cubicTo(0.30, 0.78, 0.0, 0.58, 0.0, 0.30);
    p.cubicTo(0.0, 0.10, 0.14, 0.0, 0.27, 0.0);
    p.cubicTo(0.40, 0.0, 0.48, 0.08, 0.5, 0.20);
    p.cubicTo(0.52, 0.08, 0.60, 0.0, 0.73, 0.0);
    p.cubicTo(0.86, 0.0, 1.0, 0.10, 1.0, 0.30);
    p.cubicTo(1.0, 0.58, 0.70, 0.78, 0.5, 1.0);
    p.closeSubpath();
    return p;
}

QPainterPath unitSpade()
{
    // A heart standing on its point, shortened, over a flared stem.
    QPainterPath heart = QTransform(1, 0, 0, -0.78, 0, 0.78).map(unitHeart());
    QPainterPath stem;
    stem.moveTo(0.5, 0.50);
    stem.quadTo(0.50, 0.85, 0.26, 1.0);
    stem.lineTo(0.74, 1.0);
    stem.quadTo(0.50, 0.85, 0.5, 0.50);
    stem.closeSubpath();
    return heart.united(stem);
}

QPainterPath unitClub()
{
    QPainterPath p;
    p.addEllipse(QPointF(0.5, 0.24), 0.235, 0.235);
    p.addEllipse(QPointF(0.245, 0.60), 0.235, 0.235);
    p.addEllipse(QPointF(0.755, 0.60), 0.235, 0.235);
    p.addRect(QRectF(0.40, 0.30, 0.20, 0.35));
    QPainterPath stem;
    stem.moveTo(0.5, 0.55);
    stem.quadTo(0.50, 0.88, 0.28, 1.0);
    stem.lineTo(0.72, 1.0);
    stem.quadTo(0.50, 0.88, 0.5, 0.55);
    stem.closeSubpath();
    return p.united(stem).simplified();
}

QPainterPath unitDiamond()
{
    QPainterPath p;
    p.moveTo(0.5, 0.0);
    p.quadTo(0.70, 0.28, 0.92, 0.5);
    p.quadTo(0.70, 0.72, 0.5, 1.0);
    p.quadTo(0.30, 0.72, 0.08, 0.5);
    p.quadTo(0.30, 0.28, 0.5, 0.0);
    p.closeSubpath();
    return p;
}

} // namespace

QPainterPath SuitPath(Suit suit, const QRectF& box, bool turned)
{
    QPainterPath unit;
    switch (suit) {
    case Clubs:
        unit = unitClub();
        break;
    case Diamonds:
        unit = unitDiamond();
        break;
    case Hearts:
        unit = unitHeart();
        break;
    case Spades:
        unit = unitSpade();
        break;
    }
    QTransform t;
    if (turned)
        t = QTransform(-box.width(), 0, 0, -box.height(), box.right(), box.bottom());
    else
        t = QTransform(box.width(), 0, 0, box.height(), box.left(), box.top());
    return t.map(unit);
}

Colour SuitColour(Suit suit)
{
    return suit == Diamonds || suit == Hearts ? Red : Black;
}

void SmallSuit(Canvas& c, Suit suit, int x, int y, bool turned)
{
    const Colour colour = SuitColour(suit);
    switch (suit) {
    case Clubs:
        c.glyph({"..###..", "..###..", "##.#.##", "#######", "##.#.##", "...#...", "..###.."}, x, y, colour, turned);
        break;
    case Diamonds:
        c.glyph({"...#...", "..###..", ".#####.", "#######", ".#####.", "..###..", "...#..."}, x, y, colour, turned);
        break;
    case Hearts:
        c.glyph({".##.##.", "#######", "#######", "#######", ".#####.", "..###..", "...#..."}, x, y, colour, turned);
        break;
    case Spades:
        c.glyph({"...#...", "..###..", ".#####.", "#######", "#######", "...#...", "..###.."}, x, y, colour, turned);
        break;
    }
}

int ValueGlyph(Canvas& c, char ch, int x, int y, Colour colour, bool turned)
{
    switch (ch) {
    case 'A':
        c.glyph({"..###..", ".##.##.", "##...##", "##...##", "##...##", "#######", "##...##", "##...##", "##...##"},
                x, y, colour, turned);
        return 7;
    case '2':
        c.glyph({".#####.", "##...##", ".....##", "....##.", "...##..", "..##...", ".##....", "##.....", "#######"},
                x, y, colour, turned);
        return 7;
    case '3':
        c.glyph({".#####.", "##...##", ".....##", ".....##", "..####.", ".....##", ".....##", "##...##", ".#####."},
                x, y, colour, turned);
        return 7;
    case '4':
        c.glyph({"....##.", "...###.", "..####.", ".##.##.", "##..##.", "#######", "....##.", "....##.", "....##."},
                x, y, colour, turned);
        return 7;
    case '5':
        c.glyph({"#######", "##.....", "##.....", "######.", ".....##", ".....##", ".....##", "##...##", ".#####."},
                x, y, colour, turned);
        return 7;
    case '6':
        c.glyph({"..####.", ".##....", "##.....", "######.", "##...##", "##...##", "##...##", "##...##", ".#####."},
                x, y, colour, turned);
        return 7;
    case '7':
        c.glyph({"#######", ".....##", "....##.", "....##.", "...##..", "...##..", "..##...", "..##...", "..##..."},
                x, y, colour, turned);
        return 7;
    case '8':
        c.glyph({".#####.", "##...##", "##...##", "##...##", ".#####.", "##...##", "##...##", "##...##", ".#####."},
                x, y, colour, turned);
        return 7;
    case '9':
        c.glyph({".#####.", "##...##", "##...##", "##...##", ".######", ".....##", ".....##", "....##.", ".####.."},
                x, y, colour, turned);
        return 7;
    case 'T': // "10", squeezed into the width of a corner
        c.glyph({".##..####.", "###.##..##", ".##.##..##", ".##.##..##", ".##.##..##", ".##.##..##", ".##.##..##",
                 ".##.##..##", "###..####."},
                x, y, colour, turned);
        return 10;
    case 'J':
        c.glyph({"...####", ".....##", ".....##", ".....##", ".....##", ".....##", "##...##", "##...##", ".#####."},
                x, y, colour, turned);
        return 7;
    case 'Q':
        c.glyph({".#####.", "##...##", "##...##", "##...##", "##...##", "##.#.##", "##..##.", ".##.##.", "....###"},
                x, y, colour, turned);
        return 7;
    case 'K':
        c.glyph({"##...##", "##..##.", "##.##..", "####...", "###....", "####...", "##.##..", "##..##.", "##...##"},
                x, y, colour, turned);
        return 7;
    case 'O':
        c.glyph({".#####.", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", ".#####."},
                x, y, colour, turned);
        return 7;
    case 'E':
        c.glyph({"#######", "##.....", "##.....", "##.....", "######.", "##.....", "##.....", "##.....", "#######"},
                x, y, colour, turned);
        return 7;
    case 'R':
        c.glyph({"######.", "##...##", "##...##", "##...##", "######.", "##.##..", "##..##.", "##...##", "##...##"},
                x, y, colour, turned);
        return 7;
    default:
        return 0;
    }
}

Canvas MaskPicture()
{
    Canvas mask(White);
    for (const int y : {0, Canvas::H - 1}) {
        for (const int x : {0, 1, Canvas::W - 2, Canvas::W - 1})
            mask.set(x, y, Black);
    }
    for (const int y : {1, Canvas::H - 2}) {
        mask.set(0, y, Black);
        mask.set(Canvas::W - 1, y, Black);
    }
    return mask;
}
