// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/key_repeat_rule.h"

bool KeyRepeatRule::wouldBeNew(int key, quint64 timestamp, bool flagged) const
{
    if (flagged)
        return false;
    const auto found = keys_.constFind(key);
    if (found == keys_.constEnd())
        return true;
    const State& s = *found;
    if (s.down)
        return false;
    const bool pairedWithRelease = s.released && timestamp != 0 && s.releasedAt != 0 && timestamp >= s.releasedAt
        && timestamp - s.releasedAt <= PairMs;
    return !pairedWithRelease;
}

bool KeyRepeatRule::press(int key, quint64 timestamp, bool flagged)
{
    const bool isNew = wouldBeNew(key, timestamp, flagged);
    // A flagged press says nothing new: the press before it put the key down, and
    // a repeat of a press the program never saw must not hold the key for ever.
    if (!flagged)
        keys_[key].down = true;
    return isNew;
}

void KeyRepeatRule::release(int key, quint64 timestamp, bool flagged)
{
    // A flagged release belongs to a repeat: the key is still held.
    if (flagged)
        return;
    State& s = keys_[key];
    s.down = false;
    s.released = true;
    s.releasedAt = timestamp;
}

bool KeyRepeatRule::isDown(int key) const
{
    const auto found = keys_.constFind(key);
    return found != keys_.constEnd() && found->down;
}

QList<int> KeyRepeatRule::keysDown() const
{
    QList<int> down;
    for (auto it = keys_.constBegin(); it != keys_.constEnd(); ++it) {
        if (it->down)
            down << it.key();
    }
    return down;
}
