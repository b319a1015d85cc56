// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_picker.h"

#include "cards/card_rules.h"
#include "widgets/window_helpers.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TCardPicker::TCardPicker(const CardPictureStore& pictures, QWidget* parent)
    : QWidget(parent), small_(pictures, QSize(CardWidth, CardHeight))
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    resize(sizeHint());
}

QSize TCardPicker::sizeHint() const
{
    return {13 * PitchX, 4 * PitchY};
}

QRect TCardPicker::faceRect(int faceIndex) const
{
    const int value = (faceIndex - 1) % 13;
    const int suit = (faceIndex - 1) / 13;
    return {value * PitchX + (PitchX - CardWidth) / 2, suit * PitchY + (PitchY - CardHeight) / 2, CardWidth,
            CardHeight};
}

int TCardPicker::faceAt(QPoint point) const
{
    if (point.x() < 0 || point.y() < 0)
        return 0;
    const int value = point.x() / PitchX;
    const int suit = point.y() / PitchY;
    if (value >= 13 || suit >= 4)
        return 0;
    const int face = value + 1 + 13 * suit;
    return faceRect(face).contains(point) ? face : 0;
}

void TCardPicker::setUses(const Uses& uses)
{
    for (int face = 1; face <= CardsPerDeck; ++face) {
        if (uses[face] != uses_[face])
            update(faceRect(face));
    }
    uses_ = uses;
}

void TCardPicker::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setFont(PixelFont(12, true));
    for (int face = 1; face <= CardsPerDeck; ++face) {
        const QRect r = faceRect(face);
        if (!r.intersects(event->rect()))
            continue;
        painter.drawImage(r.topLeft(), small_.face(face));
        const int used = uses_[face];
        if (used == 0)
            continue;
        // Used: pale, with a tick; used twice or more: the count in red.
        painter.fillRect(r.adjusted(1, 1, -1, -1), QColor(255, 255, 255, 170));
        const QRectF badge(r.right() - 17, r.top() + 2, 16, 16);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(used > 1 ? QColor(210, 0, 0) : QColor(0, 150, 0));
        painter.drawEllipse(badge);
        painter.setPen(Qt::white);
        painter.drawText(badge, Qt::AlignCenter, used > 1 ? QString::number(used) : QStringLiteral("✓"));
        // Pictures are copied pixel for pixel; only the badges need smoothing.
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
}

void TCardPicker::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (const int face = faceAt(event->position().toPoint()))
            Q_EMIT picked(face);
    }
    QWidget::mousePressEvent(event);
}

void TCardPicker::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click on one face is that face once more:
    // taken twice, it would fill the next place with the same card.
    event->accept();
}
