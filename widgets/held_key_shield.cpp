// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/held_key_shield.h"

#include "widgets/held_keys.h"

HeldKeyShield::HeldKeyShield(HeldKeys& keys, QWidget* window) : keys_(keys)
{
    keys_.addShield(this, window);
}

HeldKeyShield::~HeldKeyShield()
{
    keys_.removeShield(this);
}
