#include "widgets/double_click_guard.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

void DoubleClickGuard::install(QAbstractButton* button)
{
    button->installEventFilter(new DoubleClickGuard(button));
}

DoubleClickGuard::DoubleClickGuard(QAbstractButton* button) : QObject(button) {}

bool DoubleClickGuard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        const quint64 at = mouse->timestamp();
        const quint64 interval = quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        // The system's own double click is the second press of a pair by definition;
        // a press with its own timestamp is judged by the gap to the one before.
        const bool quick = event->type() == QEvent::MouseButtonDblClick
            || (hasPress_ && at >= lastPress_ && at - lastPress_ < interval);
        hasPress_ = true;
        lastPress_ = at;
        dropRelease_ = quick;
        return quick;
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
