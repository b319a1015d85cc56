// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/championship_standards.h"

#include <QDialog>

class AppContext;
class QPushButton;
class QTableWidget;

// The table of championship standards, one line per body, discipline, format
// and year, for the user to edit. "Speichern" writes it beside the settings and
// puts it in force; a row that is not a standard is named and nothing is
// written; a failed write is told and the dialog stays open. "Mitgelieferte
// Werte" fills in what the program ships with, to be saved or not.
class TWinStandards : public QDialog {
    Q_OBJECT

public:
    TWinStandards(AppContext& ctx, QWidget* parent = nullptr);

    QTableWidget* sgStandards = nullptr;
    QPushButton* bSpeichern = nullptr;
    QPushButton* bAbbrechen = nullptr;
    QPushButton* bMitgeliefert = nullptr;

    void ApplyInterfaceTexts();
    // The table as the dialog shows it.
    void showStandards(const ChampionshipStandards& standards);
    // The rows as edited; nothing when a row is not a standard, with its
    // number (from 1) in *badRow.
    std::optional<ChampionshipStandards> editedStandards(int* badRow) const;

    void bSpeichernClick();
    void bMitgeliefertClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppContext& ctx_;
};
