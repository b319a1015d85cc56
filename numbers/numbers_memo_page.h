// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"

#include <QObject>

class QCheckBox;
class QLabel;
class QRadioButton;
class QWidget;
class TMemoPage;
class TFormatChoice;
class TMemoSheets;
class TRuleTable;
class TSheetViewChoice;
class TTrainingDialog;
class TUpDownEdit;
class TWinWait;
class ResultColumn;
class QTimer;
struct NumbersWindowConstants;

// The memorisation page of the numbers and binary windows: the limit choice,
// the count and the two times in a column left of the sheets, and the scored
// attempt on the sheets, prepared behind the wait window.
class TNumbersMemoPage : public QObject {
    Q_OBJECT

public:
    TNumbersMemoPage(TTrainingDialog& window, const NumbersWindowConstants& constants, QWidget* page);
    // The attempt needs the right-hand column and the clock, which come after the page.
    void attach(const ResultColumn& column, QTimer* tZehntel);
    // The wait window exists only after the window has been created.
    void setWaitWindow(TWinWait* wait) { waitWindow_ = wait; }

    QRadioButton* rbNoLimit = nullptr;
    QRadioButton* rbLimit = nullptr;
    QLabel* lab4 = nullptr;
    TUpDownEdit* udAnzahlM = nullptr;
    QLabel* lab5 = nullptr;
    TUpDownEdit* udMemoZeit = nullptr;
    QLabel* lab6 = nullptr;
    TUpDownEdit* udReplay = nullptr;
    QLabel* labFormat = nullptr;
    TFormatChoice* cbFormat = nullptr;
    // "Werte merken": the limit choice, the count and the times kept from one
    // start to the next; off as designed.
    QCheckBox* chbMerken = nullptr;
    TMemoSheets* sheets = nullptr;
    TSheetViewChoice* view = nullptr;
    TRuleTable* ruleTable = nullptr;
    TMemoPage* attempt = nullptr;

    // The height the result's table of rule sets adds below the sheets.
    static int tableHeight();

    // START/STOP on this page: the next step of the attempt.
    void startStop();
    void rbNoLimitClick();
    // A format from the drop-down: its count (or no limit) and times.
    void cbFormatChoose(const AttemptRecord::Setting& format);
    void applyTexts();
    // The count can be changed only for a limited attempt, however the choice came.
    void followLimitChoice();

private:
    void startMemorising();
    void setSettingsEnabled(bool enabled);
    void rememberValues();
    AttemptRecord::Setting setting(TUpDownEdit* sender, int newValue) const;

    TTrainingDialog& window_;
    const NumbersWindowConstants& k_;
    TWinWait* waitWindow_ = nullptr;
};
