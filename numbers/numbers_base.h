#pragma once

#include "numbers/sheet_navigation.h"
#include "training/scoring.h"

#include <QDialog>
#include <QString>
#include <optional>

class AppContext;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QWidget;
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
class TNumbersBase : public QDialog {
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
    // Memorisation page.
    QRadioButton* rbNoLimit = nullptr;
    QRadioButton* rbLimit = nullptr;
    QLabel* lab4 = nullptr;
    TUpDownEdit* udAnzahlM = nullptr;
    QLabel* lab5 = nullptr;
    TUpDownEdit* udMemoZeit = nullptr;
    QLabel* lab6 = nullptr;
    TUpDownEdit* udReplay = nullptr;
    QGroupBox* gbMemorieren = nullptr;
    QList<QLabel*> columnHeadings;
    QLabel* lab7 = nullptr;
    TStringAlignGrid* sgMemo = nullptr;
    TStringAlignGrid* sgReplay = nullptr;
    TStringAlignGrid* sgPoints = nullptr;
    QTimer* tZehntel = nullptr;

    // Attempt state.
    quint8 phase = Idle;
    quint32 startTick = 0;
    quint32 nowTick = 0;
    double bestTime = 99999;
    double memoTimeUsed = 0;
    double recallTimeUsed = 0;
    int digitCount = 0;
    int rowWidth = 0;
    int lastRow = 0;
    int lastRowDigits = 0;
    int pageRows = 0;
    int jumpWidth = 0;
    QString pendingDigits;

    // The points of the last scored attempt.
    ScoreResult lastScore;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // Closing runs FormClose whichever way the window is closed.
    void done(int result) override;

private:
    void buildControls();
    void buildPicturePage();
    void buildMemoPage();
    void nameControls();
    void connectHandlers();

    void FormCreate();
    void FormShow();
    void FormClose();

    void startMemorising();
    void startRecalling();
    void endRecalling();
    void startPictureRun();
    void endPictureRun(QObject* sender);

    void FillSheets();
    void ScoreRecall();
    void checkPointsRecord();

    // The record shown for the current setting, or for the one a spin button
    // proposes (then a proposal out of range is refused).
    bool bestTimeChanging(TUpDownEdit* sender, int newValue);
    bool pointsRecordChanging(TUpDownEdit* sender, int newValue);
    void refreshBestTime(int count, int perLine);
    void refreshPointsRecord(int memoMinutes, int recallMinutes);
    // Whether the times have a points key: they must fit the table.
    bool pointsTimesFit(int memoMinutes, int recallMinutes) const;
    // The points record of these times; nothing when none is stored or the times
    // have no key.
    std::optional<double> storedPoints(int memoMinutes, int recallMinutes) const;

    SheetGeometry geometry() const;
    CellPos cursor(const TStringAlignGrid* sheet) const;
    void moveCursor(TStringAlignGrid* sheet, CellPos target);
    void followWithPoints(const TStringAlignGrid* sheet);
    bool onMemoPage() const;
    // The record and result items of the right-hand column that only the
    // memorisation page shows.
    QList<QWidget*> memoPageItems() const;
    // "Training <settings word> Anzahl" and "... Zeile".
    QString settingsKey(const char* what) const;
    void setMemoSettingsEnabled(bool enabled);
    void repaintNow();
    QChar randomDigit();

    template <class Handler>
    void guarded(Handler&& handler);

    AppContext& ctx_;
    const NumbersWindowConstants& k_;
    TWinWait* waitWindow_ = nullptr;
    int shownPage_ = 0;
};
