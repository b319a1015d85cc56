// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/playing_card.h"

#include "cards/card_picture_store.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TPlayingCard::TPlayingCard(const CardPictureStore& pictures, QWidget* parent) : QWidget(parent), pictures_(pictures)
{
    // The card paints on whatever its parent shows; the corners stay the parent's.
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    resize(CardPictureStore::Width, CardPictureStore::Height);
}

QSize TPlayingCard::sizeHint() const
{
    return {CardPictureStore::Width, CardPictureStore::Height};
}

void TPlayingCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    switch (Show()) {
    case soFace:
        pictures_.drawFace(painter, rect(), FaceIndex(), Selected());
        break;
    case soTool:
        pictures_.drawTool(painter, rect(), ToolIndex(), Selected());
        break;
    case soBack:
        pictures_.drawBack(painter, rect(), BackIndex(), Selected());
        break;
    }
    if (!hasFocus())
        return;
    // Drawn whichever way the focus came: the style draws its own frame only for
    // focus moved by the keyboard, and a run puts the focus here itself.
    QPen pen(palette().color(QPalette::Highlight));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
}

void TPlayingCard::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
    QWidget::mousePressEvent(event);
}

void TPlayingCard::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double click stands for the second press. The base class would hand it
    // on as a further press, and one press would count twice.
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
    event->accept();
}

void TPlayingCard::keyPressEvent(QKeyEvent* event)
{
    // A held key would race through the cards unseen: only real presses count.
    if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Right) && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            Q_EMIT clicked();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
