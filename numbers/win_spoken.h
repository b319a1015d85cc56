#pragma once

#include "training/pulse_schedule.h"
#include "training/scoring.h"
#include "widgets/training_dialog.h"

#include <QString>
#include <QStringList>

class AppContext;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QWidget;
class TMemoSheets;
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
    enum Phase : quint8 { Idle = 0, Memorising = 1, Recalling = 2 };
    // The discipline code of its points records.
    static constexpr int SpokenCode = 13;
    static constexpr int RowWidth = 30;

    explicit TWinSpoken(AppContext& ctx, QWidget* parent = nullptr);
    ~TWinSpoken() override;

    void ApplyInterfaceTexts();

    // Handlers, named after their control and event. A null sender means the call
    // came from a timer, not from the button.
    void bStartStopClick(QObject* sender);
    void tSpracheTimer();
    void tZehntelTimer();
    bool udAnzahlMChangingEx(QObject* sender, int newValue);
    bool udMemoZeitChangingEx(QObject* sender, int newValue);
    bool udReplayChangingEx(QObject* sender, int newValue);
    bool sgMemoKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void sgMemoTopLeftChanged();
    void sgReplayKeyPress(QChar ch);
    bool sgReplayKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void sgReplayTopLeftChanged();
    void bChangeClick();

    // The file spoken for a digit in a voice, "Deutsch" or "Englisch".
    QString digitSound(const QString& voice, QChar digit) const;

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
    // The sheets are the component's, named here as well.
    TMemoSheets* sheets = nullptr;
    QGroupBox* gbMemorieren = nullptr;
    TStringAlignGrid* sgMemo = nullptr;
    TStringAlignGrid* sgReplay = nullptr;
    TStringAlignGrid* sgPoints = nullptr;
    QLabel* lab1 = nullptr;
    QLabel* lab10 = nullptr;
    QLabel* lab20 = nullptr;
    QLabel* lab30 = nullptr;
    QLabel* labMPunkte = nullptr;
    QTimer* tSprache = nullptr;
    QTimer* tZehntel = nullptr;

    // Attempt state.
    quint8 phase = Idle;
    quint32 startTick = 0;
    quint32 nowTick = 0;
    double memoTimeUsed = 0;
    double recallTimeUsed = 0;
    int digitCount = 0;
    int nextDigit = 1;
    // The due ticks of the attempt's pulses, counted from START.
    PulseSchedule pulses;

    // The points of the last scored attempt.
    ScoreResult lastScore;

protected:
    void showEvent(QShowEvent* event) override;

public:
    // Closing runs FormClose whichever way the window is closed.
    void done(int result) override;

private:
    // Building the window (win_spoken.cpp).
    void buildControls();
    void buildRightColumn(int x);
    void buildSettings();
    void buildSheets();
    void nameControls();
    void connectHandlers();

    void FormCreate();
    void FormShow();
    void FormClose();
    void preloadSounds();

    // The attempt (spoken_attempt.cpp).
    void startSpeaking();
    void armPulse();
    void startRecalling(bool cutOff, bool takeFocus);
    void endRecalling();
    void setSettingsEnabled(bool enabled);
    bool pointsRecordChanging(TUpDownEdit* sender, int newValue);

    template <class Handler>
    void guarded(Handler&& handler);

    AppContext& ctx_;
    bool soundsPreloaded_ = false;
};
