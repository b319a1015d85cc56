// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/start_stop_guard.h"

#include "core/services.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

StartStopGuard::StartStopGuard(QAbstractButton* button, TickSource& ticks) : QObject(button), ticks_(ticks)
{
    button->installEventFilter(this);
}

bool StartStopGuard::admit()
{
    const quint32 now = ticks_.now();
    const quint32 gap = quint32(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    if (hasPress_ && now - lastPress_ < gap)
        return false;
    hasPress_ = true;
    lastPress_ = now;
    return true;
}

bool StartStopGuard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            break;
        // The system's double click is the second press of a pair by definition,
        // however slowly the clock in between was read.
        const bool drop = event->type() == QEvent::MouseButtonDblClick ? true : !admit();
        dropRelease_ = drop;
        return drop;
    }
    case QEvent::MouseButtonRelease:
        if (dropRelease_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            dropRelease_ = false;
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
