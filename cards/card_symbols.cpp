// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_symbols.h"

#include <QPainter>
#include <QString>

QPainterPath SuitPath(int suit)
{
    QPainterPath path;
    const auto circle = [&path](double x, double y, double r) { path.addEllipse(QPointF(x, y), r, r); };
    const auto polygon = [&path](std::initializer_list<QPointF> points) {
        path.addPolygon(QPolygonF(QList<QPointF>(points)));
        path.closeSubpath();
    };
    switch (suit) {
    case 0: // clubs: three leaves and a stem
        circle(0.5, 0.3, 0.2);
        circle(0.28, 0.6, 0.2);
        circle(0.72, 0.6, 0.2);
        polygon({{0.5, 0.5}, {0.3, 1.0}, {0.7, 1.0}});
        break;
    case 1: // diamonds
        polygon({{0.5, 0.0}, {0.9, 0.5}, {0.5, 1.0}, {0.1, 0.5}});
        break;
    case 2: // hearts
        circle(0.28, 0.32, 0.24);
        circle(0.72, 0.32, 0.24);
        polygon({{0.06, 0.42}, {0.94, 0.42}, {0.5, 0.96}});
        break;
    default: // spades: a heart upside down on a stem
        circle(0.28, 0.6, 0.22);
        circle(0.72, 0.6, 0.22);
        polygon({{0.08, 0.52}, {0.92, 0.52}, {0.5, 0.02}});
        polygon({{0.5, 0.6}, {0.3, 1.0}, {0.7, 1.0}});
        break;
    }
    path.setFillRule(Qt::WindingFill);
    return path;
}

QColor SuitColor(int suit)
{
    return suit == 1 || suit == 2 ? QColor(200, 0, 0) : QColor(Qt::black);
}

QString CardValueLetter(int faceIndex)
{
    static const char* const letters[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    if (faceIndex < 1 || faceIndex > 52)
        return QString();
    return QLatin1String(letters[(faceIndex - 1) % 13]);
}

void PaintCardIndex(QPainter& painter, const QRectF& rect, int faceIndex)
{
    if (faceIndex < 1 || faceIndex > 52)
        return;
    const int suit = (faceIndex - 1) / 13;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    const QColor colour = SuitColor(suit);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(7, int(rect.height() * 0.42)));
    painter.setFont(font);
    painter.setPen(colour);
    const QRectF top(rect.left(), rect.top() + 1, rect.width(), rect.height() * 0.48);
    painter.drawText(top, Qt::AlignCenter, CardValueLetter(faceIndex));
    const double side = qMin(rect.width() * 0.62, rect.height() * 0.42);
    painter.translate(rect.center().x() - side / 2, rect.top() + rect.height() * 0.5);
    painter.scale(side, side);
    painter.setPen(Qt::NoPen);
    painter.fillPath(SuitPath(suit), colour);
    painter.restore();
}
