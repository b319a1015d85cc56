// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "numbers/numbers_base.h"

// The numbers window: random decimal digits in rows of 40.
class TWinZahlen : public TNumbersBase {
    Q_OBJECT

public:
    static const NumbersWindowConstants Constants;

    explicit TWinZahlen(AppContext& ctx, QWidget* parent = nullptr) : TNumbersBase(ctx, Constants, parent) {}
};
