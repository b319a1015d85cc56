// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/key_repeat_rule.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>

class QKeyEvent;
class QWidget;

// Watches every key of the program, so that a held key counts as one press
// wherever it lands. A press the repeat rule finds to be a repeat reaches its
// widget flagged as auto-repeat, whatever the window system said; the controls
// that act once per press (the picture panels, the cards, a focused button) then
// act once. Cursor keys still repeat where a control wants them to. A repeat
// never triggers a shortcut either. Installed on the application for as long as
// it lives.
class HeldKeys : public QObject {
    Q_OBJECT

public:
    explicit HeldKeys(QObject* parent = nullptr);
    ~HeldKeys() override;

    bool isDown(int key) const { return rule_.isDown(key); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class HeldKeyShield;
    struct Shield {
        const void* owner;
        QWidget* window;
        QSet<int> keys;
    };
    void addShield(const void* owner, QWidget* window);
    void removeShield(const void* owner);
    bool sameEventPassingUp(QObject* watched, QEvent* event);
    bool judge(QWidget* target, QKeyEvent* key);
    bool shielded(QWidget* target, int key, bool isNewPress);

    KeyRepeatRule rule_;
    QList<Shield> shields_;
    // The event last judged and the widget it was judged at: Qt hands an event
    // a widget ignores on to its parent, and it must be judged only once.
    const QEvent* lastEvent_ = nullptr;
    int lastType_ = 0;
    QPointer<QObject> lastWatched_;
    bool lastVerdict_ = false;
};
