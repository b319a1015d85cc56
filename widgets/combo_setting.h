// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/setting_value.h"
#include "widgets/remembered_setting.h"

class QComboBox;

// The chosen item of a drop-down list, kept in the settings file by its index.
// An index the list has not got leaves the choice as it is; only a change is
// written, so a choice left at its default leaves the file as it was.
class ComboSetting final : public RememberedSetting {
public:
    ComboSetting(QComboBox* combo, SettingValue<int> stored) : combo_(combo), stored_(std::move(stored)) {}

    void read() override;
    void write() override;

private:
    QComboBox* combo_;
    SettingValue<int> stored_;
};
