// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/history_csv.h"

#include <QDialog>
#include <optional>

class AppContext;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QRadioButton;

// Which attempts go into an exported file and how it is laid out.
struct CsvExportChoice {
    enum class Range { WholeHistory, ShownSetting, Selection };
    Range range = Range::ShownSetting;
    CsvFormat format;
    bool withDeleted = false;
};

// Asked before the file name: what to export, and in which of the two layouts.
// The choice made stays for the next export while the program runs.
class TWinCsvExport : public QDialog {
    Q_OBJECT

public:
    explicit TWinCsvExport(AppContext& ctx, QWidget* parent = nullptr);

    // Nothing when the user cancels. `selected` attempts are chosen in the table;
    // without any, the selection cannot be exported, nor the setting without one.
    std::optional<CsvExportChoice> ask(int selected, bool settingShown, bool showingDeleted);
    // The choice as the controls show it.
    CsvExportChoice choice() const;

    QGroupBox* gbUmfang = nullptr;
    QRadioButton* rbAlles = nullptr;
    QRadioButton* rbEinstellung = nullptr;
    QRadioButton* rbAuswahl = nullptr;
    QLabel* labTrennzeichen = nullptr;
    QComboBox* cbTrennzeichen = nullptr;
    QCheckBox* cbSprache = nullptr;
    QCheckBox* cbGeloeschte = nullptr;
    QDialogButtonBox* bbKnoepfe = nullptr;

private:
    void ApplyInterfaceTexts(int selected);

    AppContext& ctx_;
    bool asked_ = false;
};
