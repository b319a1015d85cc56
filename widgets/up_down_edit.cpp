// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/up_down_edit.h"

#include <algorithm>
#include <climits>

TUpDownEdit::TUpDownEdit(QWidget* parent) : QSpinBox(parent)
{
    setGroupSeparatorShown(true);
    setKeyboardTracking(true);
}

void TUpDownEdit::setUp(int minimum, int maximum, int step, int value)
{
    setRange(minimum, maximum);
    setSingleStep(step);
    setValue(value);
}

bool TUpDownEdit::applyIfAcceptable(int value)
{
    if (!acceptable(value))
        return false;
    setValue(value);
    return true;
}

void TUpDownEdit::stepBy(int steps)
{
    const qint64 wide = qint64(value()) + qint64(steps) * singleStep();
    const int proposed = int(std::clamp<qint64>(wide, INT_MIN, INT_MAX));
    const bool allowed = changing ? changing(proposed) : acceptable(proposed);
    if (allowed)
        setValue(proposed);
}
