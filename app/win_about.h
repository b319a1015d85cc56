// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QDialog>

class AppContext;
class QFrame;
class QLabel;
class QPushButton;

// The about box: name, version, a line on what the program is, a web address
// with the official rules of memory championships, and the folder that holds
// the user's records, history and settings.
class TWinAbout : public QDialog {
    Q_OBJECT

public:
    TWinAbout(AppContext& ctx, QWidget* parent = nullptr);

    void ApplyInterfaceTexts();

    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lab1 = nullptr;
    QLabel* lab2 = nullptr;
    QLabel* lab3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* labDaten = nullptr;
    QPushButton* Button1 = nullptr;

public Q_SLOTS:
    void Label4Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showDataDir();

    AppContext& ctx_;
};

// Where the about box points to.
inline constexpr const char* AboutWebAddress = "www.worldmemorychampionships.com";
