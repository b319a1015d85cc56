// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "numbers/spoken_voice.h"
#include "training/pulse_schedule.h"
#include "training/scored_attempt.h"
#include "widgets/training_dialog.h"

#include <QString>
#include <QStringList>

#include <memory>

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
class TFormatChoice;
class TMemoSheets;
class TRuleTable;
class TSheetViewChoice;
class TSpokenSettings;
class TPanel;
class TStringAlignGrid;
class TUpDownEdit;

// The spoken-numbers window: random digits are spoken one per clock pulse in
// German or English and never shown; the user types them back into the recall
// sheet against a time limit and scores every digit up to the first error. It is
// the memorisation page of the numbers window with the sheets hidden until
// recall and a pulse in place of the memorisation clock.
class TWinSpoken : public TTrainingDialog {
    Q_OBJECT

public:
    static constexpr quint8 Idle = ScoredAttempt::Idle;
    static constexpr quint8 Memorising = ScoredAttempt::Memorising;
    static constexpr quint8 Recalling = ScoredAttempt::Recalling;
    static constexpr int RowWidth = 30;

    explicit TWinSpoken(AppContext& ctx, QWidget* parent = nullptr);
    ~TWinSpoken() override;

    void ApplyInterfaceTexts();

    // Handlers, named after their control and event. A null sender means the call
    // came from a timer, not from the button.
    void bStartStopClick(QObject* sender);
    void tSpracheTimer();
    void tZehntelTimer();
    // A format from the drop-down: its count, pulse and recall time.
    void cbFormatChoose(const AttemptRecord::Setting& format);

    const SpokenVoice& voice() const { return voice_; }

    // The attempt state; the rest of it is the memorisation page's.
    quint8 phase() const;
    quint32 startTick() const;
    // The next digit to be spoken, counted from 1.
    int nextDigit = 1;
    // The due ticks of the attempt's pulses, counted from START.
    PulseSchedule pulses;

    TMemoPage* memoPage = nullptr;

    // Controls. Each edit and its spin button are one control.
    QTabWidget* pcTraining = nullptr;
    QWidget* tsMemo = nullptr;
    QPushButton* bStartStop = nullptr;
    TPanel* pErgeb = nullptr;
    QLabel* labPunkteRekord = nullptr;
    TPanel* pPunkteRekord = nullptr;
    QLabel* labPunkte = nullptr;
    TPanel* pPunkte = nullptr;
    QLabel* labZiffern = nullptr;
    TPanel* pZiffern = nullptr;
    QPushButton* bChange = nullptr;
    QPushButton* bClose = nullptr;
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
    TRuleTable* tbRegelwerke = nullptr;
    // "Werte merken": count, pulse, recall time and voice kept; off as designed.
    QCheckBox* chbMerken = nullptr;
    // The sheets are the component's, named here as well.
    TMemoSheets* sheets = nullptr;
    TSheetViewChoice* view = nullptr;
    QGroupBox* gbMemorieren = nullptr;
    TStringAlignGrid* sgMemo = nullptr;
    TStringAlignGrid* sgReplay = nullptr;
    TStringAlignGrid* sgPoints = nullptr;
    QLabel* lab1 = nullptr;
    QLabel* lab10 = nullptr;
    QLabel* lab20 = nullptr;
    QLabel* lab30 = nullptr;
    QLabel* labMPunkte = nullptr;
    // Where the speaking stands, in the place of the hidden sheets.
    QLabel* labFortschritt = nullptr;
    QTimer* tSprache = nullptr;
    QTimer* tZehntel = nullptr;

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void buildControls();
    void buildRightColumn(int x);
    void buildSettings();
    void buildSheets();
    void buildAttempt();
    void nameControls();
    void connectHandlers();

    void FormCreate();

    void startSpeaking();
    void armPulse();
    void showProgress();
    // How the speaking ends: after its last digit, which is left to finish; by
    // the button, which cuts off the digit sounding; or by closing the window,
    // which cuts it off too, its recall beginning when the window is shown again.
    enum class SpeakingEnd { Finished, ByButton, ByClosing };
    void startRecalling(SpeakingEnd how);

    std::unique_ptr<TSpokenSettings> settings_;
    SpokenVoice voice_;
    bool recallOnShow_ = false;
};
