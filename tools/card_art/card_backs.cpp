// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The eleven backs and the five tool pictures. A back is a pattern or a scene in
// a white-rimmed panel; the tools are the blank card and the green place
// markers.
#include "tools/card_art/card_art.h"

#include <QtMath>

namespace {

// The panel inside the white rim of a back.
constexpr int PX = 4, PY = 4, PW = Canvas::W - 8, PH = Canvas::H - 8;

bool inPanel(int x, int y)
{
    return x >= PX && x < PX + PW && y >= PY && y < PY + PH;
}

// Fills the panel pixel by pixel from a pattern of panel coordinates.
template <class Pattern>
void panel(Canvas& c, Pattern pattern)
{
    for (int y = 0; y < PH; ++y)
        for (int x = 0; x < PW; ++x)
            c.set(PX + x, PY + y, pattern(x, y));
}

// Keeps what was drawn inside the panel and puts back the rim outside it, so
// scenes may be drawn with shapes that run over the panel's edge.
void rim(Canvas& c)
{
    for (int y = 0; y < Canvas::H; ++y)
        for (int x = 0; x < Canvas::W; ++x)
            if (!inPanel(x, y))
                c.set(x, y, White);
    c.frameRect(PX - 1, PY - 1, PW + 2, PH + 2, Black);
}

void redDots(Canvas& c)
{
    panel(c, [](int x, int y) {
        if (x % 4 == 1 && y % 4 == 1)
            return White;
        if (x % 4 == 3 && y % 4 == 3)
            return Maroon;
        return Red;
    });
}

void bluePattern(Canvas& c)
{
    panel(c, [](int x, int y) {
        const int a = (x + y) % 10, b = (x - y + 100) % 10;
        if (a == 0 || b == 0)
            return Aqua;
        if ((a == 5 && b == 5))
            return White;
        if (a >= 4 && a <= 6 && b >= 4 && b <= 6)
            return Navy;
        return Blue;
    });
}

void redWoven(Canvas& c)
{
    constexpr int Cell = 8;
    panel(c, [](int x, int y) {
        const bool across = (x / Cell + y / Cell) % 2 == 0;
        const int along = across ? y % Cell : x % Cell;
        const int edge = across ? x % Cell : y % Cell;
        if (along == 0 || along == Cell / 2)
            return Maroon;
        if (edge == 0)
            return Black;
        return along < Cell / 2 ? Red : Fuchsia;
    });
}

void fishBody(Canvas& c, double x, double y, double len, bool leftwards, Colour body, Colour fin)
{
    const double dir = leftwards ? -1 : 1;
    const double tailX = x - dir * len * 0.5;
    c.outlined(Polygon({{tailX, y}, {tailX - dir * len * 0.35, y - len * 0.3}, {tailX - dir * len * 0.35, y + len * 0.3}}),
               fin, Black);
    c.outlined(Ellipse(QRectF(x - len * 0.55, y - len * 0.28, len * 1.1, len * 0.56)), body, Black);
    c.line(int(x - dir * len * 0.05), int(y - len * 0.2), int(x - dir * len * 0.05), int(y + len * 0.2), fin);
    const int eyeX = int(x + dir * len * 0.3);
    c.fillRect(eyeX - 1, int(y - len * 0.12) - 1, 3, 3, White);
    c.set(eyeX + (leftwards ? -1 : 1) * 0, int(y - len * 0.12), Black);
}

void fish(Canvas& c)
{
    panel(c, [](int x, int y) {
        if (y > 78)
            return (x * 7 + y * 3) % 11 == 0 ? Olive : Yellow;
        if ((y % 14 == 3 || y % 14 == 4) && (x + y / 14 * 5) % 12 < 5)
            return Aqua;
        return y < 30 ? Blue : Navy;
    });
    fishBody(c, 24, 22, 22, false, Yellow, Red);
    fishBody(c, 46, 46, 26, true, Red, Yellow);
    fishBody(c, 22, 66, 18, false, Lime, Green);
    for (const auto& [x, y, r] : {std::tuple{55.0, 22.0, 2.0}, {58.0, 14.0, 1.5}, {54.0, 8.0, 1.0}, {12.0, 46.0, 1.5}})
        c.outlined(Ellipse(QRectF(x - r, y - r, 2 * r + 1, 2 * r + 1)), Aqua, White);
    for (const int x : {10, 14, 50, 56, 60}) {
        QPainterPath weed(QPointF(x, 84));
        weed.quadTo(x - 4, 74, x + 1, 66);
        c.strokePath(weed, 2, Green);
    }
    rim(c);
}

void palmBeach(Canvas& c)
{
    panel(c, [](int x, int y) {
        if (y < 50)
            return Aqua;
        if (y < 66)
            return (y % 5 == 2 && (x + y) % 9 < 4) ? White : Blue;
        return (x * 5 + y * 7) % 13 == 0 ? Olive : Yellow;
    });
    c.outlined(Ellipse(QRectF(44, 9, 15, 15)), Yellow, Olive);
    c.outlined(Ellipse(QRectF(-10, 42, 30, 12)), Green, Black);
    QPainterPath trunk(QPointF(22, 86));
    trunk.quadTo(20, 55, 33, 30);
    c.strokePath(trunk, 5, Black);
    c.strokePath(trunk, 3, Olive);
    const QPointF crown(33, 29);
    for (const auto& [dx, dy, bend] : {std::tuple{-22.0, 6.0, -8.0}, {-16.0, -10.0, -6.0}, {2.0, -16.0, -4.0},
                                       {18.0, -8.0, -6.0}, {22.0, 8.0, -8.0}, {-6.0, 14.0, 2.0}}) {
        QPainterPath frond(crown);
        frond.quadTo(crown.x() + dx * 0.5, crown.y() + dy * 0.5 + bend, crown.x() + dx, crown.y() + dy);
        c.strokePath(frond, 4, Green);
        c.strokePath(frond, 1.5, Lime);
    }
    for (const auto& [x, y] : {std::pair{30.0, 31.0}, {34.0, 32.0}})
        c.outlined(Ellipse(QRectF(x - 2, y - 2, 5, 5)), Maroon, Black);
    rim(c);
}

void castleAtNight(Canvas& c)
{
    panel(c, [](int x, int y) {
        const unsigned h = unsigned(x * 73856093u ^ y * 19349663u);
        return h % 53 == 0 ? White : Navy;
    });
    c.fillEllipse(QRectF(8, 8, 16, 16), Yellow);
    c.fillEllipse(QRectF(13, 5, 16, 16), Navy);
    auto battlements = [&](int x, int y, int w) {
        for (int i = x; i < x + w; i += 4)
            c.fillRect(i, y - 3, 2, 3, Grey);
    };
    // The keep between two towers, on a dark hill.
    c.fillRect(20, 44, 31, 40, Grey);
    battlements(20, 44, 31);
    c.fillRect(10, 34, 12, 50, Grey);
    c.fillRect(49, 34, 12, 50, Grey);
    c.fillPath(Polygon({{8, 34}, {16, 18}, {24, 34}}), Maroon);
    c.fillPath(Polygon({{47, 34}, {55, 18}, {63, 34}}), Maroon);
    c.fillRect(16, 14, 1, 5, Silver);
    c.fillRect(55, 14, 1, 5, Silver);
    c.fillRect(56, 14, 4, 3, Red);
    for (int y = 44; y < 84; y += 6)
        for (int x = (y / 6) % 2 ? 20 : 22; x < 51; x += 5)
            c.set(x, y, Silver);
    for (const auto& [x, y, w, h] : {std::tuple{14, 40, 3, 5}, {54, 40, 3, 5}, {25, 52, 3, 5}, {43, 52, 3, 5},
                                     {14, 58, 3, 5}, {54, 58, 3, 5}})
        c.fillRect(x, y, w, h, Yellow);
    c.fillPath(Polygon({{30, 84}, {30, 70}, {35.5, 64}, {41, 70}, {41, 84}}), Black);
    QPainterPath hill(QPointF(0, 92));
    hill.lineTo(0, 82);
    hill.quadTo(35, 74, 71, 84);
    hill.lineTo(71, 92);
    hill.closeSubpath();
    c.fillPath(hill, Black);
    c.fillPath(Polygon({{30, 92}, {30, 80}, {41, 80}, {41, 92}}), Olive);
    rim(c);
}

void greySpheres(Canvas& c)
{
    panel(c, [](int, int) { return Silver; });
    constexpr double R = 5.5;
    for (int row = 0; row * 12 < PH + 12; ++row)
        for (int col = -1; col * 14 < PW + 14; ++col) {
            const double cx = PX + col * 14 + (row % 2 ? 7 : 0) + 4;
            const double cy = PY + row * 12 + 4;
            c.outlined(Ellipse(QRectF(cx - R, cy - R, 2 * R, 2 * R)), Grey, Black);
            c.fillEllipse(QRectF(cx - R + 2, cy - R + 2, R, R), Silver);
            c.fillRect(int(cx - 3), int(cy - 3), 2, 2, White);
        }
    rim(c);
}

void purpleFigure(Canvas& c)
{
    panel(c, [](int x, int y) { return (x % 6 == 0 && y % 6 == 0) || (x % 6 == 3 && y % 6 == 3) ? Navy : Blue; });
    // A figure with raised arms in a long robe and a pointed hat.
    c.outlined(Polygon({{35.5, 6}, {45, 28}, {26, 28}}), Purple, Black);
    c.outlined(Polygon({{22, 28}, {49, 28}, {49, 31}, {22, 31}}), Purple, Black);
    c.fillRect(35, 12, 2, 2, Yellow);
    c.fillRect(32, 20, 2, 2, Yellow);
    c.fillRect(39, 22, 2, 2, Yellow);
    c.outlined(Ellipse(QRectF(29, 29, 13, 12)), Fuchsia, Black);
    c.fillRect(32, 33, 2, 2, White);
    c.fillRect(38, 33, 2, 2, White);
    c.outlined(Polygon({{30, 41}, {41, 41}, {50, 84}, {21, 84}}), Purple, Black);
    c.line(35, 43, 35, 83, Fuchsia);
    c.outlined(Polygon({{31, 44}, {14, 30}, {11, 33}, {29, 52}}), Purple, Black);
    c.outlined(Polygon({{40, 44}, {57, 30}, {60, 33}, {42, 52}}), Purple, Black);
    c.outlined(Ellipse(QRectF(8, 25, 7, 7)), Fuchsia, Black);
    c.outlined(Ellipse(QRectF(56, 25, 7, 7)), Fuchsia, Black);
    c.outlined(Ellipse(QRectF(54, 12, 9, 9)), Yellow, Olive);
    c.fillRect(20, 84, 32, 2, Navy);
    rim(c);
}

void handWithCards(Canvas& c)
{
    panel(c, [](int x, int y) { return (x / 4 + y / 4) % 2 ? Teal : Green; });
    // Three cards fanned from one corner, the hand holding them at the bottom.
    const QPointF pivot(35.5, 74);
    const Colour marks[3] = {Black, Red, Black};
    for (int i = 0; i < 3; ++i) {
        const double a = qDegreesToRadians(-24.0 + 24.0 * i);
        auto at = [&](double dx, double dy) {
            return QPointF(pivot.x() + dx * qCos(a) - dy * qSin(a), pivot.y() + dx * qSin(a) + dy * qCos(a));
        };
        c.outlined(Polygon({at(-11, 4), at(-11, -46), at(11, -46), at(11, 4)}), White, Black);
        const QPointF mark = at(0, -32);
        c.fillPath(SuitPath(i == 1 ? Hearts : i == 0 ? Spades : Clubs, QRectF(mark.x() - 5, mark.y() - 5, 11, 12)),
                   marks[i]);
    }
    c.outlined(Polygon({{22, 92}, {24, 74}, {30, 64}, {44, 64}, {49, 74}, {48, 92}}), Yellow, Black);
    for (const int y : {66, 70, 74})
        c.outlined(Ellipse(QRectF(40, y, 11, 5)), Yellow, Black);
    c.outlined(Ellipse(QRectF(22, 58, 8, 14)), Yellow, Black);
    c.outlined(Polygon({{20, 86}, {51, 86}, {51, 92}, {20, 92}}), Red, Black);
    rim(c);
}

void floral(Canvas& c, Colour ground, Colour petal, Colour heart, Colour leaf, Colour stalk)
{
    panel(c, [&](int x, int y) { return (x + 2 * y) % 16 == 0 ? stalk : ground; });
    for (int row = -1; row * 16 < PH + 16; ++row)
        for (int col = -1; col * 16 < PW + 16; ++col) {
            const double cx = PX + col * 16 + (row % 2 ? 8 : 0) + 6;
            const double cy = PY + row * 16 + 7;
            c.fillPath(Polygon({{cx + 3, cy + 3}, {cx + 9, cy + 5}, {cx + 5, cy + 9}}), leaf);
            for (const auto& [dx, dy] : {std::pair{0, -3}, {3, 0}, {0, 3}, {-3, 0}})
                c.outlined(Ellipse(QRectF(cx + dx - 2.5, cy + dy - 2.5, 5, 5)), petal, stalk);
            c.fillEllipse(QRectF(cx - 1.5, cy - 1.5, 3, 3), heart);
        }
    rim(c);
}

} // namespace

Canvas BackPicture(int backIndex)
{
    Canvas c(White);
    switch (backIndex) {
    case 0:
        redDots(c);
        break;
    case 1:
        bluePattern(c);
        break;
    case 2:
        redWoven(c);
        break;
    case 3:
        fish(c);
        break;
    case 4:
        palmBeach(c);
        break;
    case 5:
        castleAtNight(c);
        break;
    case 6:
        greySpheres(c);
        break;
    case 7:
        purpleFigure(c);
        break;
    case 8:
        handWithCards(c);
        break;
    case 9:
        floral(c, Green, White, Yellow, Lime, Olive);
        break;
    default:
        floral(c, Navy, Aqua, White, Blue, Teal);
        break;
    }
    c.frameRect(PX - 1, PY - 1, PW + 2, PH + 2, Black);
    c.cardEdge(Black);
    return c;
}

Canvas ToolPicture(int toolIndex)
{
    Canvas c(toolIndex == 0 ? White : Green);
    switch (toolIndex) {
    case 1:
        c.strokePath(Ellipse(QRectF(14, 26, 43, 43)), 5, Lime);
        break;
    case 2: {
        QPainterPath cross(QPointF(15, 22));
        cross.lineTo(56, 73);
        cross.moveTo(56, 22);
        cross.lineTo(15, 73);
        c.strokePath(cross, 6, Red);
        break;
    }
    case 4:
        for (int y = 2; y < Canvas::H - 2; ++y)
            for (int x = 2; x < Canvas::W - 2; ++x)
                if ((x + y) % 5 == 0 || (x - y + 100) % 5 == 0)
                    c.set(x, y, Lime);
        break;
    default:
        break;
    }
    c.cardEdge(Black);
    return c;
}
