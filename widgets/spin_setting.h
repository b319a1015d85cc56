// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/setting_value.h"
#include "widgets/remembered_setting.h"

class TUpDownEdit;

// A spin button whose value is remembered in the settings file. The stored value
// is applied through the spin button's own rule, so a value it refuses leaves
// the value it has; what it then holds is what is written.
class SpinSetting final : public RememberedSetting {
public:
    SpinSetting(TUpDownEdit* spin, SettingValue<int> stored) : spin_(spin), stored_(std::move(stored)) {}

    void read() override;
    void write() override;

private:
    TUpDownEdit* spin_;
    SettingValue<int> stored_;
};
