// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QHash>
#include <QList>
#include <QtGlobal>

// Tells a key's new press from the window system's repeat while it is held. The
// repeat flag the window system sets cannot be trusted alone: under X a held key
// arrives as pairs of release and press, flagged only when the pair was seen in
// one piece. So a press is new only when the key was really let go before it: a
// press of a key still down is a repeat, and so is a press that follows the key's
// release within PairMs by the window system's time stamps, which no finger can
// do. Time stamps of 0 (events the program made itself) are never compared.
class KeyRepeatRule {
public:
    static constexpr quint64 PairMs = 2;

    // A press of key at timestamp, flagged as a repeat or not; true when it is new.
    bool press(int key, quint64 timestamp, bool flagged);
    // The same verdict without taking the press in.
    bool wouldBeNew(int key, quint64 timestamp, bool flagged) const;
    void release(int key, quint64 timestamp, bool flagged);

    bool isDown(int key) const;
    QList<int> keysDown() const;
    // The program no longer hears the keys (another program has them): what is
    // held now will be let go where the program cannot see it.
    void forgetAll() { keys_.clear(); }

private:
    struct State {
        bool down = false;
        bool released = false;
        quint64 releasedAt = 0;
    };
    QHash<int, State> keys_;
};
