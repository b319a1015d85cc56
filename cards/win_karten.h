// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "cards/card_deal.h"
#include "widgets/training_dialog.h"

class AppContext;
class CardPictureStore;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class TPanel;
class TPicturePage;
class TPlayingCard;
class TUpDownEdit;

// The cards training window: a speed drill through shuffled decks. The user
// sets how many cards to go through and how many form a line (1 to 3), starts
// the run, and clicks through the lines; the click after the last line ends the
// run, whose time is offered as a record when it beats the stored best time of
// that setting. The window's second page is never in use: every page change is
// refused. All its texts are German.
class TWinKarten : public TTrainingDialog {
    Q_OBJECT

public:
    static constexpr quint8 Idle = 0;
    static constexpr quint8 Running = 1;

    TWinKarten(AppContext& ctx, const CardPictureStore& pictures, QWidget* parent = nullptr);
    ~TWinKarten() override;

    // Handlers, named after their control and event.
    void bStartStopClick(QObject* sender);
    void pZahlenClick();
    void tZehntelTimer();
    bool pcTrainingChanging();
    void eAnzahlChange();

    // The run; the rest of it is the picture page's.
    quint8 phase() const;
    quint32 startTick() const;

    TPicturePage* picturePage = nullptr;

    // Controls. Each edit and its spin button are one control.
    QTabWidget* pcTraining = nullptr;
    QWidget* tsBilder = nullptr;
    QWidget* tsMemo = nullptr;
    QLabel* lab1 = nullptr;
    TUpDownEdit* udAnzahl = nullptr;
    QLabel* lab2 = nullptr;
    TUpDownEdit* udZeile = nullptr;
    QLabel* lab3 = nullptr;
    TPanel* pSpeedZahlen = nullptr;
    TPlayingCard* pcKarte1 = nullptr;
    TPlayingCard* pcKarte2 = nullptr;
    TPlayingCard* pcKarte3 = nullptr;
    QPushButton* bStartStop = nullptr;
    TPanel* pErgeb = nullptr;
    QLabel* labBestzeit = nullptr;
    TPanel* pRekZahlen = nullptr;
    QPushButton* bClose = nullptr;
    QTimer* tZehntel = nullptr;

protected:
    void FormShow() override;
    void FormClose() override;
    QString recordQuestion() const override;

private:
    void buildControls(const CardPictureStore& pictures);
    void buildRightColumn();
    void nameControls();
    void connectHandlers();
    void FormCreate();
    void showCards(const CardLine& line);
};
