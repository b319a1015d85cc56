// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/remembered_page.h"

#include <QAbstractButton>

RememberedPage::RememberedPage(QAbstractButton* keep, SettingValue<int> stored,
                               std::vector<std::unique_ptr<RememberedSetting>> values)
    : keep_(keep), choice_(keep, nullptr, std::move(stored)), values_(std::move(values))
{
}

void RememberedPage::read()
{
    choice_.read();
    if (!keep_->isChecked())
        return;
    for (const auto& value : values_)
        value->read();
}

void RememberedPage::write()
{
    choice_.write();
    if (!keep_->isChecked())
        return;
    for (const auto& value : values_)
        value->write();
}
