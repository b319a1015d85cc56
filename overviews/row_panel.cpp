// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/row_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>

TRowPanel::TRowPanel(QWidget* parent) : TPanel(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void TRowPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
    event->accept();
}

void TRowPanel::keyPressEvent(QKeyEvent* event)
{
    // Enter stays with the window's default button, wherever the focus is.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            Q_EMIT doubleClicked();
        event->accept();
        return;
    }
    // The base panel's drill keys would count Right as a click; here it is no command.
    QLabel::keyPressEvent(event);
}
