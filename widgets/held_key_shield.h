// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

class HeldKeys;
class QWidget;

// While it lives, the keys that were down when it was made do nothing in window
// until they are let go and pressed anew: a question that pops up under a held
// key is answered by the user, not by the key's repeat.
class HeldKeyShield {
public:
    HeldKeyShield(HeldKeys& keys, QWidget* window);
    ~HeldKeyShield();
    HeldKeyShield(const HeldKeyShield&) = delete;
    HeldKeyShield& operator=(const HeldKeyShield&) = delete;

private:
    HeldKeys& keys_;
};
