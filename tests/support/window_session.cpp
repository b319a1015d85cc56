// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "tests/support/window_session.h"

#include "app/startup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

std::unique_ptr<TMainWin> StartProgram(FakeServices& services, const TempProgramDir& dir)
{
    return CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                 dir.file("korvanis"));
}

void SendMouse(QWidget* widget, std::initializer_list<QEvent::Type> types, quint64 timestamp, Qt::MouseButton button)
{
    const QPointF at = QRectF(widget->rect()).center();
    for (QEvent::Type type : types) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
        event.setTimestamp(timestamp);
        QApplication::sendEvent(widget, &event);
    }
}

Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace {

QString keyText(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier))
        return {};
    if (key == Qt::Key_Space)
        return QStringLiteral(" ");
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QString(QChar(u'0' + (key - Qt::Key_0)));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar(u'A' + (key - Qt::Key_A)));
    return {};
}

} // namespace

void SendKey(QWidget* widget, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers, bool autoRepeat,
             quint64 timestamp)
{
    const QString text = keyText(key, modifiers);
    if (type == QEvent::KeyPress
        && qt_sendShortcutOverrideEvent(widget, ulong(timestamp), key, modifiers, text, autoRepeat, 1))
        return;
    QKeyEvent event(type, key, modifiers, text, autoRepeat);
    event.setTimestamp(timestamp);
    QApplication::sendEvent(widget, &event);
}

void HoldKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers, int repeats, quint64 from)
{
    SendKey(widget, QEvent::KeyPress, key, modifiers, false, from);
    for (int k = 1; k <= repeats; ++k) {
        const quint64 at = from + 500 + quint64(k - 1) * 33;
        const bool flagged = k % 3 == 0;
        SendKey(widget, QEvent::KeyRelease, key, modifiers, flagged, at);
        SendKey(widget, QEvent::KeyPress, key, modifiers, flagged, at);
    }
}
