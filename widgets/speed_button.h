// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QPushButton>

// A button that never takes the focus from the control being typed into, and
// that wraps a caption too long for its width onto a second line, as the narrow
// buttons of the training windows need in English.
class TSpeedButton : public QPushButton {
    Q_OBJECT

public:
    explicit TSpeedButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
