// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "numbers/numbers_window_constants.h"
#include "training/scored_attempt.h"
#include "widgets/picture_page.h"
#include "widgets/training_dialog.h"

#include <QString>

class AppContext;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QWidget;
class TMemoPage;
class TMemoSheets;
class TNumbersMemoPage;
class TPanel;
class TStringAlignGrid;
class TUpDownEdit;
class TWinWait;


// A number-training window with two pages, each its own object: a picture page
// (a speed drill that flashes the material group by group and times the run)
// and a memorisation page (memorise a sheet of digits against a time limit,
// type it back against a second one, and be scored by championship rules). The
// windows for decimal and binary digits are this class with other constants.
class TNumbersBase : public TTrainingDialog {
    Q_OBJECT

public:
    // The phase of the page on show: a picture run is Running, a memorisation
    // attempt Memorising or Recalling.
    static constexpr quint8 Idle = 0;
    static constexpr quint8 Running = 1;
    static constexpr quint8 Memorising = ScoredAttempt::Memorising;
    static constexpr quint8 Recalling = ScoredAttempt::Recalling;

    TNumbersBase(AppContext& ctx, const NumbersWindowConstants& constants, QWidget* parent = nullptr);
    ~TNumbersBase() override;

    // The wait window exists only after this one has been created.
    void setWaitWindow(TWinWait* wait);

    const NumbersWindowConstants& constants() const { return k_; }

    void ApplyInterfaceTexts();

    // Handlers, named after their control and event. The button, the picture
    // panel's last press and the clock all step the attempt the same way.
    void bStartStopClick(QObject* sender);
    void tZehntelTimer();
    bool pcTrainingChanging();
    void pcTrainingChange();
    void eAnzahlChange();
    void pZahlenClick();

    // The attempt state of the page under way; the rest of it is the page's.
    quint8 phase() const;
    quint32 startTick() const;

    // The two pages, and the scored attempt of the memorisation page.
    TPicturePage* picturePage = nullptr;
    TNumbersMemoPage* memo = nullptr;
    TMemoPage* memoPage = nullptr;

    // Controls.
    QTabWidget* pcTraining = nullptr;
    QWidget* tsBilder = nullptr;
    QWidget* tsMemo = nullptr;
    QPushButton* bStartStop = nullptr;
    TPanel* pErgeb = nullptr;
    QLabel* labBestzeit = nullptr;
    TPanel* pRekZahlen = nullptr;
    QLabel* labPunkteRekord = nullptr;
    TPanel* pPunkteRekord = nullptr;
    QLabel* labPunkte = nullptr;
    TPanel* pPunkte = nullptr;
    QLabel* labZiffern = nullptr;
    TPanel* pZiffern = nullptr;
    QPushButton* bChange = nullptr;
    QPushButton* bClose = nullptr;
    // Picture page. Each edit and its spin button are one control.
    QLabel* lab1 = nullptr;
    TUpDownEdit* udAnzahl = nullptr;
    QLabel* lab2 = nullptr;
    TUpDownEdit* udZeile = nullptr;
    QLabel* lab3 = nullptr;
    TPanel* pSpeedZahlen = nullptr;
    TPanel* pZahlen = nullptr;
    // Memorisation page; the sheets are the component's, named here as well.
    QRadioButton* rbNoLimit = nullptr;
    QRadioButton* rbLimit = nullptr;
    QLabel* lab4 = nullptr;
    TUpDownEdit* udAnzahlM = nullptr;
    QLabel* lab5 = nullptr;
    TUpDownEdit* udMemoZeit = nullptr;
    QLabel* lab6 = nullptr;
    TUpDownEdit* udReplay = nullptr;
    QCheckBox* chbMerken = nullptr;
    TMemoSheets* sheets = nullptr;
    QGroupBox* gbMemorieren = nullptr;
    TStringAlignGrid* sgMemo = nullptr;
    TStringAlignGrid* sgReplay = nullptr;
    TStringAlignGrid* sgPoints = nullptr;
    QLabel* lab7 = nullptr;
    QTimer* tZehntel = nullptr;

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void buildControls();
    void buildPicturePage();
    void buildMemoPage();
    void buildRightColumn();
    void nameControls();
    void connectHandlers();

    void FormCreate();
    bool onMemoPage() const;
    // The record and result items of the right-hand column that only the
    // memorisation page shows.
    QList<QWidget*> memoPageItems() const;
    void refreshRecord();
    void fitPage();

    const NumbersWindowConstants& k_;
};
