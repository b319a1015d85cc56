// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QObject>

class QAbstractButton;
class TickSource;

// Keeps a START/STOP button from acting twice for what the user meant as one
// press. Every way of pressing it from outside (the mouse, the system's double
// click, the window's shortcut keys) asks the guard first; a press that comes
// within the system's double-click interval after the last one it let through is
// dropped, and so is the release of a dropped mouse press. A double click is
// always a second press. The program's own click() is never asked: a clock that
// ends a phase must end it. Times come from the tick source, so a test moves them
// by hand. The guard lives as long as its button.
class StartStopGuard : public QObject {
    Q_OBJECT

public:
    StartStopGuard(QAbstractButton* button, TickSource& ticks);

    // A press from the keyboard or the mouse at the current tick: true when it may
    // act, and from then on the gap counts from it.
    bool admit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TickSource& ticks_;
    bool hasPress_ = false;
    quint32 lastPress_ = 0;
    bool dropRelease_ = false;
};
