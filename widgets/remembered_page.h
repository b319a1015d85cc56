// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "widgets/button_setting.h"

#include <memory>
#include <vector>

class QAbstractButton;

// The values of a page that the user may choose to keep ("Werte merken"). The
// choice itself is always kept; the values only while it is ticked. Unticked,
// the page starts with its designed values at every start, as it always did,
// and the file is not touched.
class RememberedPage final : public RememberedSetting {
public:
    RememberedPage(QAbstractButton* keep, SettingValue<int> stored,
                   std::vector<std::unique_ptr<RememberedSetting>> values);

    void read() override;
    void write() override;

private:
    QAbstractButton* keep_;
    ButtonSetting choice_;
    std::vector<std::unique_ptr<RememberedSetting>> values_;
};
