// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QObject>

class AppContext;
class QComboBox;
class QWidget;
class TMemoSheets;
class TTrainingDialog;

// The choice of how the sheets show their digits: two drop-down lists on the
// memorisation page, one for the digit size and one for the grouping, applied
// to the sheets at once and kept in the settings file under the window's
// settings word. The designed view is the first item of each.
class TSheetViewChoice : public QObject {
    Q_OBJECT

public:
    TSheetViewChoice(TTrainingDialog& window, TMemoSheets* sheets, QWidget* page, const QRect& first,
                     const char* settingsWord);

    QComboBox* cbGroesse = nullptr;
    QComboBox* cbGruppen = nullptr;

    // The items in the interface language.
    void ApplyInterfaceTexts(const AppContext& ctx);
    void setEnabled(bool enabled);

private:
    void apply();

    TTrainingDialog& window_;
    TMemoSheets* sheets_;
};
