// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class TStringAlignGrid;
class TUpDownEdit;

// A form for the official standards of memory championships. It is reached only
// through a menu command that is never shown, and nothing is loaded into it or
// saved from it.
class TWinChamp : public QDialog {
    Q_OBJECT

public:
    explicit TWinChamp(QWidget* parent = nullptr);

    QGroupBox* gbData = nullptr;
    TStringAlignGrid* sgData = nullptr;
    QGroupBox* gbDisziplin = nullptr;
    QComboBox* cbDisziplin = nullptr;
    QComboBox* cbStandard = nullptr;
    TUpDownEdit* udMemo = nullptr;
    TUpDownEdit* udReplay = nullptr;
    QLineEdit* eMillenium = nullptr;
    QLineEdit* eFaktor = nullptr;
    QLineEdit* eWC = nullptr;
    QLineEdit* ePoints4WC = nullptr;
    QPushButton* bClose = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
