// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/picture_run.h"

#include <QObject>
#include <functional>

class QFont;
class QLabel;
class QTimer;
class QWidget;
class TPanel;
class TTrainingDialog;
class TUpDownEdit;
struct Discipline;

// The picture page of a training window: the count, the items per line and the
// time per line of the best time in a column on the left, and a speed drill
// through material drawn at START, shown a line at a time by the window. A press
// brings the next line, the press after the last one ends the run, START/STOP
// breaks it off; a complete run faster than the best time of its setting is
// offered as a record. The count and the items per line are remembered in the
// settings file under the window's settings word.
class TPicturePage : public QObject {
    Q_OBJECT

public:
    struct Spin {
        int min;
        int max;
        int step;
        int value;
    };
    // What differs between the windows that have a picture page.
    struct Setup {
        const char* countLabel;
        Spin count;
        Spin perLine;
        const char* settingsWord;
        // The values taken when the settings file has none.
        int storedCount;
        int storedPerLine;
        int speedPanelWidth;
    };

    // Builds the settings column on page; the window adds what shows the
    // material. The clock panel, the best-time panel and the timer are the window's.
    TPicturePage(TTrainingDialog& window, const Discipline& discipline, QWidget* page, const Setup& setup);

    QLabel* lab1 = nullptr;
    TUpDownEdit* udAnzahl = nullptr;
    QLabel* lab2 = nullptr;
    TUpDownEdit* udZeile = nullptr;
    QLabel* lab3 = nullptr;
    TPanel* pSpeedZahlen = nullptr;

    // Set by the window before its first START.
    TPanel* pErgeb = nullptr;
    TPanel* pRekZahlen = nullptr;
    QTimer* tZehntel = nullptr;
    // The control that takes the presses of a run.
    QWidget* runFocus = nullptr;
    // The material of a run of count items.
    std::function<QByteArray(int count)> draw;
    // Shows the line of the run on show.
    std::function<void(const PictureRun& run)> showLine;
    // Shows the page without a run, for items per line.
    std::function<void(int perLine)> showIdle;
    // Where a run stands ("Gruppe 12 von 100"), empty without a run; the window
    // places it by its material and says in progressText how it counts.
    QLabel* labFortschritt = nullptr;
    std::function<QString(const PictureRun& run)> progressText;

    const PictureRun& run() const { return run_; }
    bool running() const { return run_.running(); }
    double bestTime() const { return bestTime_; }

    // START/STOP on this page: a run starts, or the run under way is broken off.
    void startStop();
    // A press on the material: the next line, or the end of the run.
    void press();
    // The clock's tick while a run is under way.
    void tick();
    // Shows the best time of the setting, with newValue proposed by a spin
    // button; false (and nothing shown) when its rule refuses the value.
    bool refresh(TUpDownEdit* sender, int newValue);
    // The settings as the spin buttons hold them, for a window that shows them.
    bool refresh() { return refresh(nullptr, 0); }

private:
    void start();
    void end();
    void showBestTime(int count, int perLine, bool afterRun);
    void showProgress();

    TTrainingDialog& window_;
    const Discipline& discipline_;
    PictureRun run_;
    double bestTime_ = NoBestTime;
};
