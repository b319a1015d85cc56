#pragma once

#include <QDialog>
#include <functional>

class QAbstractButton;

// What every training window does alike with the keyboard and its START/STOP
// button: neither Escape nor Enter closes the window or presses a button, START/
// STOP acts once on a double click, and Ctrl+Return presses it.
class TTrainingDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

protected:
    // press runs for a click of the button and for its keys.
    void bindStartStop(QAbstractButton* button, std::function<void()> press);
    void keyPressEvent(QKeyEvent* event) override;
};
