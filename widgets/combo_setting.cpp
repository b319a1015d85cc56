// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/combo_setting.h"

#include <QComboBox>

void ComboSetting::read()
{
    const int index = stored_.value();
    if (index >= 0 && index < combo_->count())
        combo_->setCurrentIndex(index);
}

void ComboSetting::write()
{
    if (combo_->currentIndex() != stored_.value())
        stored_.setValue(combo_->currentIndex());
}
