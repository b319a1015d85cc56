// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class TickSource;

// Drops the mouse presses that reach a window within the system's double-click
// interval after it came up. They belong to the click that opened it: the
// second press of a double click on the button that opens a window lands on
// whatever the new window shows at that spot, which might end a phase the user
// has not yet seen. The time comes from the tick source, so a test moves it by
// hand. Armed at each showing; it listens only until the interval has passed.
class OpeningClickGuard : public QObject {
    Q_OBJECT

public:
    OpeningClickGuard(QWidget* window, TickSource& ticks);
    ~OpeningClickGuard() override;

    void arm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void disarm();

    QPointer<QWidget> window_;
    TickSource& ticks_;
    quint32 armedAt_ = 0;
    bool armed_ = false;
    bool dropRelease_ = false;
};
