// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QDialog>

class QLabel;

// A small message window that stays on top while a sheet is prepared. It takes
// no input.
class TWinWait : public QDialog {
    Q_OBJECT

public:
    explicit TWinWait(QWidget* parent = nullptr);

    QLabel* lNachricht = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
