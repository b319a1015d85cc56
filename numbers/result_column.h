#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;
class TPanel;

// The right-hand column of a memorisation window, 129 pixels wide, from top to
// bottom: START/STOP, the clock, the points record, the championship points,
// the correct digits, the result-view toggle (hidden at first) and "Schliessen".
// The window takes the controls under their design names.
class ResultColumn {
public:
    static constexpr int Width = 129;

    ResultColumn(QWidget* window, int x);

    // A further label or panel in the column, for what only one window shows.
    QLabel* label(const QString& text, int y) const;
    TPanel* panel(int y, int height) const;

    QPushButton* bStartStop = nullptr;
    TPanel* pErgeb = nullptr;
    QLabel* labPunkteRekord = nullptr;
    TPanel* pPunkteRekord = nullptr;
    QLabel* labPunkte = nullptr;
    TPanel* pPunkte = nullptr;
    QLabel* labZiffern = nullptr;
    TPanel* pZiffern = nullptr;
    QPushButton* bChange = nullptr;
    QPushButton* bClose = nullptr;

private:
    QWidget* window_;
    int x_;
};
