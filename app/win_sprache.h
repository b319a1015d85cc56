// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QDialog>

class AppContext;
class QLabel;
class QListWidget;
class QPushButton;

// The language dialog: a list of the two languages with a preview of the
// dialog's own texts in the language clicked.
class TWinSprache : public QDialog {
    Q_OBJECT

public:
    TWinSprache(AppContext& ctx, QWidget* parent = nullptr);

    void ApplyInterfaceTexts();
    // The index of the selected list item, -1 when none is selected.
    int selectedLanguage() const;

    QLabel* lab1 = nullptr;
    QListWidget* lbSprache = nullptr;
    QPushButton* bOK = nullptr;
    QPushButton* bAbort = nullptr;

public Q_SLOTS:
    void lbSpracheClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyTexts(int language);

    AppContext& ctx_;
};
