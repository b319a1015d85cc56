// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The 54 faces: the jokers and the 52 cards of the deck, each with value and
// suit in two opposite corners, pips where card players expect them, and a
// two-headed figure on the court cards.
#include "tools/card_art/card_art.h"

#include <QRectF>
#include <utility>
#include <vector>

namespace {

constexpr int PipW = 13;
constexpr int PipH = 14;
// Pip columns and rows, as the centres of their boxes; everything below the
// middle stands on its head.
constexpr double Left = 22.5, Middle = 35.5, Right = 48.5;
constexpr double Row1 = 16, Row2 = 37, Mid = 48, Row3 = 59, Row4 = 80;
constexpr double High7 = 32, Low8 = 64, High10 = 26.5, Low10 = 69.5;

void pip(Canvas& c, Suit suit, double cx, double cy)
{
    const QRectF box(qRound(cx - PipW / 2.0), qRound(cy - PipH / 2.0), PipW, PipH);
    c.fillPath(SuitPath(suit, box, cy > Mid), SuitColour(suit));
}

std::vector<std::pair<double, double>> pipPlaces(int value)
{
    const std::vector<std::pair<double, double>> fourCorners{{Left, Row1}, {Right, Row1}, {Left, Row4}, {Right, Row4}};
    const std::vector<std::pair<double, double>> twoSides{{Left, Mid}, {Right, Mid}};
    const std::vector<std::pair<double, double>> fourRows{{Left, Row1}, {Right, Row1}, {Left, Row2}, {Right, Row2},
                                                          {Left, Row3}, {Right, Row3}, {Left, Row4}, {Right, Row4}};
    auto plus = [](std::vector<std::pair<double, double>> a, std::initializer_list<std::pair<double, double>> b) {
        a.insert(a.end(), b);
        return a;
    };
    switch (value) {
    case 2:
        return {{Middle, Row1}, {Middle, Row4}};
    case 3:
        return {{Middle, Row1}, {Middle, Mid}, {Middle, Row4}};
    case 4:
        return fourCorners;
    case 5:
        return plus(fourCorners, {{Middle, Mid}});
    case 6:
        return plus(fourCorners, {twoSides[0], twoSides[1]});
    case 7:
        return plus(fourCorners, {twoSides[0], twoSides[1], {Middle, High7}});
    case 8:
        return plus(fourCorners, {twoSides[0], twoSides[1], {Middle, High7}, {Middle, Low8}});
    case 9:
        return plus(fourRows, {{Middle, Mid}});
    case 10:
        return plus(fourRows, {{Middle, High10}, {Middle, Low10}});
    default:
        return {};
    }
}

char valueLetter(int value)
{
    static const char letters[] = "?A23456789TJQK";
    return letters[value];
}

// Value and suit in the top left corner and, turned, in the bottom right one.
void cornerIndex(Canvas& c, int value, Suit suit)
{
    const Colour colour = SuitColour(suit);
    const char letter = valueLetter(value);
    const int w = letter == 'T' ? 10 : 7;
    const int x = letter == 'T' ? 2 : 3;
    ValueGlyph(c, letter, x, 4, colour);
    ValueGlyph(c, letter, Canvas::W - x - w, Canvas::H - 4 - 9, colour, true);
    SmallSuit(c, suit, 3, 15);
    SmallSuit(c, suit, Canvas::W - 3 - 7, Canvas::H - 15 - 7, true);
}

void ace(Canvas& c, Suit suit)
{
    // The ace of spades carries the deck's big, ringed pip.
    if (suit == Spades) {
        c.fillEllipse(QRectF(17, 29, 37, 38), Black);
        c.fillEllipse(QRectF(19, 31, 33, 34), White);
        c.fillPath(SuitPath(suit, QRectF(23, 33, 25, 29)), Black);
        return;
    }
    c.fillPath(SuitPath(suit, QRectF(22, 33, 27, 30)), SuitColour(suit));
}

// ---------------------------------------------------------------------------
// Court cards: the upper half of a figure in a frame, turned over into the
// lower half.

constexpr int FrameX = 12, FrameY = 10, FrameW = 47, FrameH = 76;

struct Dress {
    Colour robe;
    Colour under;
};

Dress dressOf(Suit suit)
{
    return SuitColour(suit) == Red ? Dress{Red, Blue} : Dress{Blue, Red};
}

void shoulders(Canvas& c, Dress dress)
{
    QPainterPath robe;
    robe.moveTo(13, 48);
    robe.lineTo(14, 40);
    robe.quadTo(17, 34, 27, 32.5);
    robe.lineTo(44, 32.5);
    robe.quadTo(54, 34, 57, 40);
    robe.lineTo(58, 48);
    robe.closeSubpath();
    c.outlined(robe, dress.robe, Black);
    // The garment beneath shows in a V under the collar.
    c.outlined(Polygon({{28, 33}, {43, 33}, {35.5, 48}}), dress.under, Black);
    // Gold trim along the edges of the robe.
    QPainterPath trim(QPointF(27, 34));
    trim.lineTo(35.5, 48.5);
    trim.lineTo(44, 34);
    c.strokePath(trim, 2, Yellow);
    c.line(15, 44, 26, 44, Yellow);
    c.line(45, 44, 56, 44, Yellow);
    for (int x = 16; x <= 25; x += 3)
        c.set(x, 46, Black);
    for (int x = 46; x <= 55; x += 3)
        c.set(x, 46, Black);
}

void face(Canvas& c, bool beard)
{
    c.outlined(Ellipse(QRectF(29, 19.5, 13, 13.5)), White, Black);
    c.set(32, 24, Black);
    c.set(33, 24, Black);
    c.set(38, 24, Black);
    c.set(39, 24, Black);
    c.line(35, 25, 35, 27, Black);
    c.set(36, 27, Black);
    if (beard) {
        QPainterPath b;
        b.moveTo(29.5, 27);
        b.quadTo(31, 31, 35.5, 33.5);
        b.quadTo(40, 31, 41.5, 27);
        b.quadTo(35.5, 30, 29.5, 27);
        c.outlined(b, Grey, Black);
    }
    c.line(34, 29, 37, 29, Red);
}

void king(Canvas& c, Suit suit)
{
    const Dress dress = dressOf(suit);
    shoulders(c, dress);
    // A sword held upright at the right shoulder.
    c.outlined(Polygon({{48, 12}, {50, 15}, {50, 38}, {46, 38}, {46, 15}}), Silver, Black);
    c.outlined(Polygon({{42, 37}, {54, 37}, {54, 40}, {42, 40}}), Yellow, Black);
    c.fillRect(47, 40, 3, 6, Maroon);
    // Hair at the temples.
    c.outlined(Polygon({{28, 22}, {30, 19}, {30, 30}, {27.5, 28}}), Grey, Black);
    c.outlined(Polygon({{43, 22}, {41, 19}, {41, 30}, {43.5, 28}}), Grey, Black);
    face(c, true);
    // A crown of three points with a band of jewels.
    c.outlined(Polygon({{28, 21}, {28, 13}, {31.5, 17}, {35.5, 11}, {39.5, 17}, {43, 13}, {43, 21}}), Yellow, Black);
    c.set(31, 19, Red);
    c.set(35, 19, dress.under == Red ? Blue : Red);
    c.set(40, 19, Red);
}

void queen(Canvas& c, Suit suit)
{
    const Dress dress = dressOf(suit);
    // Long hair, drawn first so face and shoulders lie over it.
    QPainterPath hair;
    hair.moveTo(26, 38);
    hair.quadTo(24, 20, 35.5, 16);
    hair.quadTo(47, 20, 45, 38);
    hair.closeSubpath();
    c.outlined(hair, Yellow, Black);
    shoulders(c, dress);
    face(c, false);
    c.set(34, 29, Red);
    c.set(37, 29, Red);
    // A small crown.
    c.outlined(Polygon({{30, 19}, {30, 14}, {33, 16.5}, {35.5, 12.5}, {38, 16.5}, {41, 14}, {41, 19}}), Yellow, Black);
    c.set(35, 16, Fuchsia);
    // A flower held at the left shoulder.
    QPainterPath stem(QPointF(20, 44));
    stem.quadTo(18, 32, 20, 24);
    c.strokePath(stem, 2, Green);
    c.outlined(Polygon({{14, 26}, {19, 20}, {24, 26}, {19, 31}}), Lime, Black);
    for (const auto& [x, y] : {std::pair{19.5, 17.5}, {16, 21}, {23, 21}, {17, 25}, {22, 25}})
        c.fillEllipse(QRectF(x - 2.5, y - 2.5, 5, 5), dress.under == Red ? Red : Fuchsia);
    c.fillEllipse(QRectF(17.5, 19.5, 4, 4), Yellow);
}

void jack(Canvas& c, Suit suit)
{
    const Dress dress = dressOf(suit);
    shoulders(c, dress);
    // A halberd at the left shoulder.
    c.fillRect(19, 16, 2, 32, Olive);
    c.outlined(Polygon({{21, 15}, {27, 18}, {27, 24}, {21, 22}}), Silver, Black);
    c.outlined(Polygon({{18, 9.5}, {20, 11}, {20, 16}, {18, 16}}), Silver, Black);
    // Short hair.
    c.outlined(Polygon({{28, 24}, {29, 18}, {42, 18}, {43, 24}, {41, 30}, {30, 30}}), Maroon, Black);
    face(c, false);
    // A cap with a brim and a feather.
    QPainterPath cap;
    cap.moveTo(27, 20);
    cap.quadTo(28, 11, 36, 11);
    cap.quadTo(43, 11, 44, 20);
    cap.closeSubpath();
    c.outlined(cap, dress.robe, Black);
    c.outlined(Polygon({{25, 19}, {46, 19}, {46, 22}, {25, 22}}), dress.under, Black);
    QPainterPath feather(QPointF(43, 14));
    feather.quadTo(52, 9, 56, 16);
    c.strokePath(feather, 2.5, Yellow);
}

void court(Canvas& c, int value, Suit suit)
{
    c.frameRect(FrameX, FrameY, FrameW, FrameH, Black);
    switch (value) {
    case 11:
        jack(c, suit);
        break;
    case 12:
        queen(c, suit);
        break;
    default:
        king(c, suit);
        break;
    }
    SmallSuit(c, suit, FrameX + 2, FrameY + 2);
    c.mirrorUpperHalf(FrameX + 1, FrameY + 1, FrameW - 2, FrameH - 2);
    // The line between the two heads.
    c.line(FrameX + 1, 47, FrameX + FrameW - 2, 48, Black);
}

// ---------------------------------------------------------------------------
// Jokers: a jester in full figure, "JOKER" down two corners.

void joker(Canvas& c, bool coloured)
{
    const Colour letters = coloured ? Red : Black;
    const char word[] = "JOKER";
    for (int i = 0; i < 5; ++i) {
        ValueGlyph(c, word[i], 3, 4 + 10 * i, letters);
        ValueGlyph(c, word[i], Canvas::W - 3 - 7, Canvas::H - 4 - 9 - 10 * i, letters, true);
    }
    const Colour hat[3] = {coloured ? Red : Black, coloured ? Lime : White, coloured ? Blue : Black};
    const Colour bell = coloured ? Yellow : Grey;
    // Three floppy points of the hat, each with a bell.
    QPainterPath left(QPointF(29, 27));
    left.quadTo(20, 22, 15, 12);
    left.quadTo(24, 14, 33, 22);
    left.closeSubpath();
    QPainterPath middle(QPointF(31, 22));
    middle.quadTo(33, 12, 36, 5);
    middle.quadTo(39, 12, 41, 22);
    middle.closeSubpath();
    QPainterPath right(QPointF(43, 27));
    right.quadTo(52, 22, 56, 12);
    right.quadTo(47, 14, 39, 22);
    right.closeSubpath();
    c.outlined(left, hat[0], Black);
    c.outlined(right, hat[2], Black);
    c.outlined(middle, hat[1], Black);
    for (const auto& [x, y] : {std::pair{15.0, 12.0}, {36.0, 5.0}, {56.0, 12.0}})
        c.outlined(Ellipse(QRectF(x - 3, y - 3, 6, 6)), bell, Black);
    c.outlined(Polygon({{27, 27}, {30, 21}, {42, 21}, {45, 27}}), coloured ? Yellow : Grey, Black);
    // The face with a wide grin.
    c.outlined(Ellipse(QRectF(28, 26, 16, 16)), White, Black);
    c.fillRect(32, 31, 2, 2, Black);
    c.fillRect(38, 31, 2, 2, Black);
    QPainterPath grin(QPointF(31, 36));
    grin.quadTo(36, 41, 41, 36);
    c.strokePath(grin, 1.5, coloured ? Red : Black);
    if (coloured) {
        c.set(31, 35, Red);
        c.set(41, 35, Red);
    }
    // A ruff of scallops, then a chequered suit.
    for (int i = 0; i < 6; ++i)
        c.outlined(Ellipse(QRectF(22 + 4.5 * i, 41, 6, 6)),
                   coloured ? (i % 2 ? Yellow : Aqua) : (i % 2 ? White : Silver), Black);
    QPainterPath body = Polygon({{24, 47}, {48, 47}, {50, 72}, {22, 72}});
    c.outlined(body, coloured ? Red : White, Black);
    for (int y = 48; y < 72; ++y)
        for (int x = 23; x < 50; ++x) {
            if (c.at(x, y) != (coloured ? Red : White))
                continue;
            const int cell = ((x - 23) / 5 + (y - 48) / 6) % 2;
            if (cell)
                c.set(x, y, coloured ? Yellow : Black);
        }
    c.line(36, 47, 36, 72, Black);
    // Arms, one of them waving a bauble on a stick.
    c.outlined(Polygon({{24, 49}, {16, 60}, {19, 62}, {25, 55}}), coloured ? Blue : Grey, Black);
    c.outlined(Polygon({{48, 49}, {55, 57}, {52, 60}, {47, 55}}), coloured ? Lime : Silver, Black);
    QPainterPath stick(QPointF(54, 58));
    stick.lineTo(58, 40);
    c.strokePath(stick, 1.5, Black);
    c.outlined(Ellipse(QRectF(54.5, 35, 7, 7)), coloured ? Fuchsia : Grey, Black);
    // Legs in pointed shoes.
    c.outlined(Polygon({{25, 72}, {34, 72}, {33, 86}, {26, 86}}), coloured ? Lime : Grey, Black);
    c.outlined(Polygon({{38, 72}, {47, 72}, {46, 86}, {39, 86}}), coloured ? Blue : White, Black);
    c.outlined(Polygon({{19, 84}, {33, 85}, {33, 89}, {22, 89}}), Black, Black);
    c.outlined(Polygon({{39, 85}, {53, 84}, {50, 89}, {39, 89}}), Black, Black);
}

} // namespace

Canvas FacePicture(int faceIndex)
{
    Canvas c(White);
    if (faceIndex == 0 || faceIndex == 53) {
        joker(c, faceIndex == 53);
    } else {
        const int value = (faceIndex - 1) % 13 + 1;
        const auto suit = Suit((faceIndex - 1) / 13);
        cornerIndex(c, value, suit);
        if (value == 1)
            ace(c, suit);
        else if (value <= 10)
            for (const auto& [x, y] : pipPlaces(value))
                pip(c, suit, x, y);
        else
            court(c, value, suit);
    }
    c.cardEdge(Black);
    return c;
}
