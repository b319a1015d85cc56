// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/spin_setting.h"

#include "widgets/up_down_edit.h"

void SpinSetting::read()
{
    spin_->applyIfAcceptable(stored_.value());
}

void SpinSetting::write()
{
    stored_.setValue(spin_->value());
}
