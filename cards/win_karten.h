#pragma once

#include "cards/card_deal.h"
#include "training/picture_drill.h"

#include "widgets/training_dialog.h"

#include <QList>

class AppContext;
class CardPictureStore;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class TPanel;
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
    enum Phase : quint8 { Idle = 0, Running = 1 };
    // Records of this drill; its memorisation code 12 is never stored.
    static constexpr int PictureCode = 2;

    TWinKarten(AppContext& ctx, const CardPictureStore& pictures, QWidget* parent = nullptr);
    ~TWinKarten() override;

    // Handlers, named after their control and event. A null sender of
    // bStartStopClick means the click after the last line ended the run.
    void bStartStopClick(QObject* sender);
    void pZahlenClick();
    void tZehntelTimer();
    bool pcTrainingChanging();
    void eAnzahlChange();
    bool udAnzahlChangingEx(QObject* sender, int newValue);
    bool udZeileChangingEx(QObject* sender, int newValue);

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

    // The run. The drill knows which line of cardSequence is on show.
    quint8 phase = Idle;
    quint32 startTick = 0;
    quint32 nowTick = 0;
    double bestTime = NoBestTime;
    QList<int> cardSequence;
    PictureDrill drill;

    // Closing runs FormClose whichever way the window is closed.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls(const CardPictureStore& pictures);
    void buildRightColumn();
    void nameControls();
    void connectHandlers();

    void FormCreate();
    void FormShow();
    void FormClose();

    void startRun();
    void endRun(QObject* sender);
    void showCards(const CardLine& line);
    void showLine();
    bool refreshSetting(TUpDownEdit* sender, int newValue);

    template <class Handler>
    void guarded(Handler&& handler);

    AppContext& ctx_;
};
