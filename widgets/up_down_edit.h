// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QSpinBox>
#include <functional>

// An edit with its spin button in one control. A step of the spin button (arrow
// click, Up/Down key, wheel, Page Up/Down) is first offered to the changing hook
// with the value it proposes, which may refuse it; a refused step changes
// nothing. Typing goes straight to the value. Thousands are grouped with the
// user's separator unless switched off.
class TUpDownEdit : public QSpinBox {
    Q_OBJECT

public:
    explicit TUpDownEdit(QWidget* parent = nullptr);

    // Returns whether the step to newValue is allowed; without a hook the range
    // rule decides.
    std::function<bool(int newValue)> changing;

    // The spin button's range rule: 0 and values outside the range are refused.
    bool acceptable(int value) const { return value != 0 && value >= minimum() && value <= maximum(); }

    // Range, step and starting value in one call, as a form sets them up.
    void setUp(int minimum, int maximum, int step, int value);

    // Sets a value only if the range rule accepts it; returns whether it did.
    bool applyIfAcceptable(int value);

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};
