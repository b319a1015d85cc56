// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"
#include "widgets/spin_setting.h"

#include <QDialog>
#include <vector>

class AppContext;
class QLabel;
class QPushButton;
class TFormatChoice;
class TUpDownEdit;

// "Einstellungen Meisterschaft": how many cards a championship attempt deals,
// how many are on show at once, and the two time limits in minutes. The values
// are remembered in the settings file under "Training Meisterschaft Anzahl",
// "... Zeile", "... Memorierzeit" and "... Wiedergabezeit", read when the window
// is created; "&OK" keeps what was set and writes it, "Abbrechen" (and Escape)
// puts back what was there before.
// All its texts are German.
class TWinMeisterschaft : public QDialog {
    Q_OBJECT

public:
    static constexpr int DefaultCount = 52;
    static constexpr int DefaultPerLine = 1;
    static constexpr int DefaultMemoMinutes = 5;
    static constexpr int DefaultRecallMinutes = 10;

    TWinMeisterschaft(AppContext& ctx, QWidget* parent = nullptr);

    // The setting of the next attempt, as the spin buttons stand.
    AttemptRecord::Setting setting() const;

    // Opens the window over its parent without waiting for it; what it was set
    // to is put back unless the user confirms.
    void showSettings();

    void bOKClick();
    void bAbbrechenClick();
    // A format from the drop-down: its cards and times.
    void cbFormatChoose(const AttemptRecord::Setting& format);

    QLabel* labFormat = nullptr;
    TFormatChoice* cbFormat = nullptr;
    QLabel* labAnzahl = nullptr;
    TUpDownEdit* udAnzahl = nullptr;
    QLabel* labZeile = nullptr;
    TUpDownEdit* udZeile = nullptr;
    QLabel* labMemoZeit = nullptr;
    TUpDownEdit* udMemoZeit = nullptr;
    QLabel* labMemoMinuten = nullptr;
    QLabel* labReplay = nullptr;
    TUpDownEdit* udReplay = nullptr;
    QLabel* labReplayMinuten = nullptr;
    QPushButton* bOK = nullptr;
    QPushButton* bAbbrechen = nullptr;

    void reject() override;

private:
    void buildControls();
    void FormCreate();
    std::vector<int> values() const;

    AppContext& ctx_;
    std::vector<SpinSetting> settings_;
    std::vector<int> before_;
};
