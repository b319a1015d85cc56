// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <QtGlobal>

class QLabel;
class QPushButton;
class QWidget;
class TPanel;

// The right-hand column of a training window, 129 pixels wide, from top to
// bottom: START/STOP, the clock, the best time of a picture run and/or the
// points record, the championship points and the correct digits of a scored
// attempt with the result-view toggle (hidden at first), and "Schliessen". The
// window takes the controls under their names; a part it has not got
// stays null.
class ResultColumn {
public:
    static constexpr int Width = 129;
    enum Part : quint8 { BestTime = 1, Points = 2 };

    ResultColumn(QWidget* window, int x, quint8 parts, int closeY = 293);

    QPushButton* bStartStop = nullptr;
    TPanel* pErgeb = nullptr;
    QLabel* labBestzeit = nullptr;
    TPanel* pRekZahlen = nullptr;
    QLabel* labPunkteRekord = nullptr;
    TPanel* pPunkteRekord = nullptr;
    QLabel* labPunkte = nullptr;
    TPanel* pPunkte = nullptr;
    QLabel* labZiffern = nullptr;
    TPanel* pZiffern = nullptr;
    QPushButton* bChange = nullptr;
    QPushButton* bClose = nullptr;

private:
    QLabel* label(const QString& text, int y) const;
    TPanel* panel(int y, int height) const;

    QWidget* window_;
    int x_;
};
