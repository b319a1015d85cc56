// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/panel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TPanel::TPanel(QWidget* parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(false);
}

void TPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
    QLabel::mousePressEvent(event);
}

void TPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double click stands for the second press. The base class would hand it
    // on as a further press, and one press would count twice.
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
    event->accept();
}

void TPanel::keyPressEvent(QKeyEvent* event)
{
    // A held key would race through the material unseen: only real presses count.
    if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Right) && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            Q_EMIT clicked();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TPanel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Drawn whichever way the focus came: the style draws its own frame only for
    // focus moved by the keyboard, and a run puts the focus here itself.
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(contentsRect().adjusted(2, 2, -3, -3));
}
