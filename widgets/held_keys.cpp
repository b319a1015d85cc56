// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/held_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

HeldKeys::HeldKeys(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

HeldKeys::~HeldKeys()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void HeldKeys::addShield(const void* owner, QWidget* window)
{
    const QList<int> down = rule_.keysDown();
    shields_.append(Shield{owner, window, QSet<int>(down.begin(), down.end())});
}

void HeldKeys::removeShield(const void* owner)
{
    shields_.removeIf([owner](const Shield& s) { return s.owner == owner; });
}

bool HeldKeys::sameEventPassingUp(QObject* watched, QEvent* event)
{
    auto* widget = static_cast<QWidget*>(watched);
    auto* last = qobject_cast<QWidget*>(lastWatched_.data());
    const bool passingUp = event == lastEvent_ && int(event->type()) == lastType_ && last && widget != last
        && widget->isAncestorOf(last);
    lastEvent_ = event;
    lastType_ = int(event->type());
    lastWatched_ = watched;
    return passingUp;
}

bool HeldKeys::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::ApplicationDeactivate) {
        rule_.forgetAll();
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    if (!watched->isWidgetType())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == 0 || key->key() == Qt::Key_unknown)
        return false;
    if (sameEventPassingUp(watched, event))
        return lastVerdict_;
    lastVerdict_ = judge(static_cast<QWidget*>(watched), key);
    return lastVerdict_;
}

// True when the event stops here.
bool HeldKeys::judge(QWidget* target, QKeyEvent* key)
{
    const int code = key->key();
    const bool flagged = key->isAutoRepeat();
    switch (key->type()) {
    case QEvent::ShortcutOverride: {
        const bool isNew = rule_.wouldBeNew(code, key->timestamp(), flagged);
        if (isNew && !shielded(target, code, isNew))
            return false;
        // Claimed for the widget, so no shortcut fires; the press that follows
        // arrives as a repeat.
        key->accept();
        return true;
    }
    case QEvent::KeyPress: {
        const bool isNew = rule_.press(code, key->timestamp(), flagged);
        if (shielded(target, code, isNew))
            return true;
        if (isNew || flagged)
            return false;
        QKeyEvent repeat(QEvent::KeyPress, code, key->modifiers(), key->nativeScanCode(), key->nativeVirtualKey(),
                         key->nativeModifiers(), key->text(), true, key->count(), key->device());
        repeat.setTimestamp(key->timestamp());
        QApplication::sendEvent(target, &repeat);
        key->setAccepted(repeat.isAccepted());
        return true;
    }
    default:
        rule_.release(code, key->timestamp(), flagged);
        return shielded(target, code, false);
    }
}

bool HeldKeys::shielded(QWidget* target, int key, bool isNewPress)
{
    QWidget* window = target->window();
    for (Shield& shield : shields_) {
        if (shield.window != window || !shield.keys.contains(key))
            continue;
        if (!isNewPress)
            return true;
        shield.keys.remove(key);
    }
    return false;
}
