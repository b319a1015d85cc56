// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "numbers/numbers_base.h"

// The binary-digits window: random 0s and 1s in rows of 30, with its own codes,
// settings and picture defaults.
class TWinBinaer : public TNumbersBase {
    Q_OBJECT

public:
    static const NumbersWindowConstants Constants;

    explicit TWinBinaer(AppContext& ctx, QWidget* parent = nullptr) : TNumbersBase(ctx, Constants, parent) {}
};
