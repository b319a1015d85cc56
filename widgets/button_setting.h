// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/setting_value.h"
#include "widgets/remembered_setting.h"

class QAbstractButton;

// Whether a check box is ticked, or which of two radio buttons is chosen (on
// when 1, off when 0), kept in the settings file. Only a change is written, so
// a choice left at its default leaves the file as it was.
class ButtonSetting final : public RememberedSetting {
public:
    ButtonSetting(QAbstractButton* on, QAbstractButton* off, SettingValue<int> stored);

    void read() override;
    void write() override;

private:
    QAbstractButton* on_;
    QAbstractButton* off_;
    SettingValue<int> stored_;
};
