#pragma once

#include "training/picture_drill.h"
#include "training/scoring.h"
#include "widgets/training_dialog.h"

#include <QString>
#include <memory>

class AppContext;
class PointsOffer;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QWidget;
class ScoringRule;
class TMemoSheets;
class TPanel;
class TStringAlignGrid;
class TUpDownEdit;
class TWinWait;

// What a number window is made of besides the shared design: its material, codes,
// settings word, spin ranges, sheet geometry and texts.
struct NumbersWindowConstants {
    struct Spin {
        int min;
        int max;
        int step;
        int value;
    };

    const char* objectName;
    int captionTextId;
    const char* caption;
    int countLabelTextId;   // the labels over both counts
    const char* countLabel;
    int alphabetSize;       // digits drawn: '0' up to '0' + alphabetSize - 1
    int pictureCode;        // records of the picture page
    int memoCode;           // records of the memorisation page
    const char* settingsWord;
    Spin anzahl;            // picture page: count
    Spin zeile;             // picture page: digits per line
    Spin anzahlM;           // memorisation page: count when limited
    Spin memoZeit;          // minutes
    Spin replay;            // minutes
    int rowWidth;           // digits per sheet row
    int jumpWidth;          // columns of Ctrl+Left / Ctrl+Right
    int pictureFontPx;      // font of the flashed group
    bool speedPanelAdvances;  // the time-per-line panel advances a run too
    int NoLimitCount;       // digits of an attempt "without limit"
};

// A number-training window: a picture page (a speed drill that flashes the
// material group by group and times the run) and a memorisation page (memorise a
// sheet of digits against a time limit, type it back against a second one, and be
// scored by championship rules). The windows for decimal and binary digits are
// this class with other constants.
class TNumbersBase : public TTrainingDialog {
    Q_OBJECT

public:
    enum Phase : quint8 { Idle = 0, Memorising = 1, Recalling = 2 };
    static constexpr quint8 Running = Memorising;

    TNumbersBase(AppContext& ctx, const NumbersWindowConstants& constants, QWidget* parent = nullptr);
    ~TNumbersBase() override;

    // The wait window exists only after this one has been created.
    void setWaitWindow(TWinWait* wait) { waitWindow_ = wait; }

    const NumbersWindowConstants& constants() const { return k_; }

    void ApplyInterfaceTexts();

    // Handlers, named after their control and event. A null sender means the call
    // came from the program (the timer or the picture panel), not from the button.
    void bStartStopClick(QObject* sender);
    void tZehntelTimer();
    bool pcTrainingChanging();
    void pcTrainingChange();
    void eAnzahlChange();
    void rbNoLimitClick();
    void pZahlenClick();
    bool udAnzahlChangingEx(QObject* sender, int newValue);
    bool udZeileChangingEx(QObject* sender, int newValue);
    bool udAnzahlMChangingEx(QObject* sender, int newValue);
    bool udMemoZeitChangingEx(QObject* sender, int newValue);
    bool udReplayChangingEx(QObject* sender, int newValue);
    bool sgMemoKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void sgMemoTopLeftChanged();
    void sgReplayKeyPress(QChar ch);
    bool sgReplayKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void sgReplayTopLeftChanged();
    void bChangeClick();

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
    TMemoSheets* sheets = nullptr;
    QGroupBox* gbMemorieren = nullptr;
    TStringAlignGrid* sgMemo = nullptr;
    TStringAlignGrid* sgReplay = nullptr;
    TStringAlignGrid* sgPoints = nullptr;
    QLabel* lab7 = nullptr;
    QTimer* tZehntel = nullptr;

    // Attempt state.
    quint8 phase = Idle;
    quint32 startTick = 0;
    quint32 nowTick = 0;
    double bestTime = NoBestTime;
    double memoTimeUsed = 0;
    double recallTimeUsed = 0;
    int digitCount = 0;
    // The picture run: its digits and the line on show.
    QString pictureDigits;
    PictureDrill drill;

    // The points of the last scored attempt.
    ScoreResult lastScore;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // Closing runs FormClose whichever way the window is closed.
    void done(int result) override;

private:
    // Building the window (numbers_base.cpp).
    void buildControls();
    void buildRightColumn();
    void buildPicturePage();
    void buildMemoPage();
    void nameControls();
    void connectHandlers();
    void connectSheets();

    void FormCreate();
    void FormShow();
    void FormClose();
    bool onMemoPage() const;
    // The record and result items of the right-hand column that only the
    // memorisation page shows.
    QList<QWidget*> memoPageItems() const;
    void repaintNow();
    QChar randomDigit();

    // The memorisation attempt (numbers_attempt.cpp).
    void startMemorising();
    void startRecalling();
    void endRecalling();
    void setMemoSettingsEnabled(bool enabled);
    PointsOffer pointsOffer(int memoMinutes, int recallMinutes) const;
    bool pointsRecordChanging(TUpDownEdit* sender, int newValue);

    // The picture run (numbers_picture.cpp).
    void startPictureRun();
    void showDrillGroup();
    void endPictureRun(QObject* sender);
    void showBestTime(int count, int perLine, bool afterRun);
    bool bestTimeChanging(TUpDownEdit* sender, int newValue);

    template <class Handler>
    void guarded(Handler&& handler);

    AppContext& ctx_;
    const NumbersWindowConstants& k_;
    const ScoringRule& scoring_;
    TWinWait* waitWindow_ = nullptr;
    int shownPage_ = 0;
};
