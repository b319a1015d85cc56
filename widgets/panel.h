// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QLabel>

// A panel showing one line of text, centred. Every press of the mouse button
// reports one click, so two fast clicks count as two even when the system takes
// them for a double click, and never as three. A panel that takes the focus also
// reports a click for Space and the Right arrow key, so a drill on it runs from
// the keyboard, and shows a focus frame.
class TPanel : public QLabel {
    Q_OBJECT

public:
    explicit TPanel(QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
