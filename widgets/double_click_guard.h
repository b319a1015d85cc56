#pragma once

#include <QObject>

class QAbstractButton;

// Keeps a button from acting twice on a double click. A press that comes within
// the system's double-click interval of the button's previous press is dropped,
// and so is the release that belongs to it; the keyboard is not affected. The
// guard lives as long as the button.
class DoubleClickGuard : public QObject {
    Q_OBJECT

public:
    static void install(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DoubleClickGuard(QAbstractButton* button);

    bool hasPress_ = false;
    quint64 lastPress_ = 0;
    bool dropRelease_ = false;
};
