// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/opening_click_guard.h"

#include "core/services.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>

OpeningClickGuard::OpeningClickGuard(QWidget* window, TickSource& ticks)
    : QObject(window), window_(window), ticks_(ticks)
{
}

OpeningClickGuard::~OpeningClickGuard()
{
    disarm();
}

void OpeningClickGuard::arm()
{
    armedAt_ = ticks_.now();
    dropRelease_ = false;
    if (!armed_)
        qApp->installEventFilter(this);
    armed_ = true;
}

void OpeningClickGuard::disarm()
{
    if (armed_ && qApp)
        qApp->removeEventFilter(this);
    armed_ = false;
}

bool OpeningClickGuard::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (!press && type != QEvent::MouseButtonRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !window_ || widget->window() != window_)
        return false;
    if (type == QEvent::MouseButtonRelease) {
        const bool drop = dropRelease_;
        dropRelease_ = false;
        return drop;
    }
    const quint32 interval = quint32(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    if (ticks_.now() - armedAt_ < interval) {
        dropRelease_ = true;
        return true;
    }
    // The release of a press let through must pass too.
    disarm();
    return false;
}
