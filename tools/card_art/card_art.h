// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

// Drawing kit of the card picture generator: a 71 x 96 canvas of indices into
// the 16-colour palette the pictures are stored with. Shapes are drawn as vector
// paths and cut at half coverage, so every edge lands on whole pixels in one of
// the sixteen colours and a picture reads the same at one and at two times its
// size; letters and the small suit signs are hand-set pixel glyphs, which read
// better at this size than any font.

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QtGlobal>
#include <array>
#include <initializer_list>

// The standard 16-colour palette, in its usual order.
enum Colour : quint8 {
    Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
    Grey, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White,
};
extern const std::array<QRgb, 16> Palette;

enum Suit { Clubs, Diamonds, Hearts, Spades };

class Canvas {
public:
    static constexpr int W = 71;
    static constexpr int H = 96;

    explicit Canvas(Colour background = White) { fill(background); }

    Colour at(int x, int y) const { return px_[y][x]; }
    void set(int x, int y, Colour c)
    {
        if (x >= 0 && x < W && y >= 0 && y < H)
            px_[y][x] = c;
    }
    void fill(Colour c);
    void fillRect(int x, int y, int w, int h, Colour c);
    void frameRect(int x, int y, int w, int h, Colour c);
    void line(int x0, int y0, int x1, int y1, Colour c);
    void fillPath(const QPainterPath& path, Colour c);
    void strokePath(const QPainterPath& path, qreal width, Colour c);
    void fillEllipse(const QRectF& r, Colour c);
    // A path filled with `fill` and ringed by a one-pixel `edge`.
    void outlined(const QPainterPath& path, Colour fill, Colour edge);

    // A glyph of rows of '#' (set) and anything else (left alone), its top left
    // at (x, y); turned by half a circle it reads from the opposite corner.
    void glyph(std::initializer_list<const char*> rows, int x, int y, Colour c, bool turned = false);

    // Copies the upper half of the rectangle, turned by half a circle about the
    // card's centre, over its lower half: the two-headed court cards.
    void mirrorUpperHalf(int x, int y, int w, int h);

    // The card's edge, one pixel wide and following the cut corners.
    void cardEdge(Colour c);

private:
    std::array<std::array<Colour, W>, H> px_;
};

QPainterPath Ellipse(const QRectF& r);
QPainterPath Polygon(std::initializer_list<QPointF> points);

// Suit shapes in the rectangle given, point or stem downwards unless turned.
QPainterPath SuitPath(Suit suit, const QRectF& box, bool turned = false);
Colour SuitColour(Suit suit);
// The 7 x 7 suit sign of the corner index.
void SmallSuit(Canvas& c, Suit suit, int x, int y, bool turned = false);
// The value letters of the corner index ("A", "2" .. "10", "J", "Q", "K") and
// the joker's letters; returns the width drawn.
int ValueGlyph(Canvas& c, char ch, int x, int y, Colour colour, bool turned = false);

// The pictures, each on a fresh canvas.
Canvas FacePicture(int faceIndex);
Canvas ToolPicture(int toolIndex);
Canvas BackPicture(int backIndex);
Canvas MaskPicture();
