// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "widgets/panel.h"

// A panel of the overview's level rows that acts on a double click: with the
// mouse, or with Space when it has the focus, so a row can be projected from the
// keyboard.
class TRowPanel : public TPanel {
    Q_OBJECT

public:
    explicit TRowPanel(QWidget* parent = nullptr);

Q_SIGNALS:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
