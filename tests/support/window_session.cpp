#include "tests/support/window_session.h"

#include "app/startup.h"

#include <QApplication>
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
