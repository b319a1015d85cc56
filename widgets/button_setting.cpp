// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/button_setting.h"

#include <QAbstractButton>

ButtonSetting::ButtonSetting(QAbstractButton* on, QAbstractButton* off, SettingValue<int> stored)
    : on_(on), off_(off), stored_(std::move(stored))
{
}

void ButtonSetting::read()
{
    // Anything but 0 and 1 is not a choice this setting wrote: the default stands.
    int value = stored_.value();
    if (value != 0 && value != 1)
        value = stored_.defaultValue();
    if (value == 1 || !off_)
        on_->setChecked(value == 1);
    else
        off_->setChecked(true);
}

void ButtonSetting::write()
{
    const int value = on_->isChecked() ? 1 : 0;
    if (value != stored_.value())
        stored_.setValue(value);
}
