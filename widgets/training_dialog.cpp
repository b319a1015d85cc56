#include "widgets/training_dialog.h"

#include "widgets/double_click_guard.h"
#include "widgets/window_helpers.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QShortcut>

void TTrainingDialog::bindStartStop(QAbstractButton* button, std::function<void()> press)
{
    // The second click of a double click would act on the step the first one
    // began: recall before a digit was seen, a run broken off at once.
    DoubleClickGuard::install(button);
    for (const QKeySequence& keys : StartStopKeys()) {
        auto* shortcut = new QShortcut(keys, this);
        // A held key would step through the whole attempt.
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, press);
    }
    connect(button, &QAbstractButton::clicked, this, press);
}

void TTrainingDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
