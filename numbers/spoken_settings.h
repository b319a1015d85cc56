// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class QWidget;
class TFormatChoice;
class TTrainingDialog;
class TUpDownEdit;

// The left column of the spoken-numbers page: the count of digits, the pulse,
// the recall time, the voice, the format drop-down and "Werte merken", which
// keeps the count, pulse, recall time and voice from one start to the next
// (off, as designed). The window names the controls and decides when a
// format may fill them.
class TSpokenSettings {
public:
    TSpokenSettings(TTrainingDialog& window, QWidget* page);

    // The setting the column stands at, with one spin button's value about to
    // change to newValue (sender may be null).
    AttemptRecord::Setting setting(TUpDownEdit* sender, int newValue) const;
    // Fills the count, the pulse and the recall time from a format.
    void fill(const AttemptRecord::Setting& format);
    void setEnabled(bool enabled);

    QLabel* labAnzahlM = nullptr;
    TUpDownEdit* udAnzahlM = nullptr;
    QLabel* labMemoZeit = nullptr;
    TUpDownEdit* udMemoZeit = nullptr;
    QLabel* labReplay = nullptr;
    TUpDownEdit* udReplay = nullptr;
    QRadioButton* rbGerman = nullptr;
    QRadioButton* rbEnglisch = nullptr;
    QLabel* labFormat = nullptr;
    TFormatChoice* cbFormat = nullptr;
    QCheckBox* chbMerken = nullptr;

private:
    void rememberValues(TTrainingDialog& window);
};
