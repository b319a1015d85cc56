// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "cards/card_memo_attempt.h"
#include "training/faster_points_offer.h"
#include "widgets/training_dialog.h"

#include <functional>

class CardPictureStore;
class OpeningClickGuard;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTimer;
class TCardMemoView;
class TCardPicker;
class TCardPlaces;
class TCardRecallView;
class TPanel;
class TPlayingCard;
class TRuleTable;

// The championship attempt of the card image window: the cards of fresh
// shuffled decks memorised a view at a time against the memorisation limit,
// recalled into an empty row of places by keyboard (value key, then suit key)
// or from the picker of 52 faces against the recall limit, then scored by the
// card rule of the setting, every place marked, and the result offered as the
// record of its two times. Opened by "Start" in the card image window, which
// holds the setting; all its texts are German.
class TWinKartenMemo : public TTrainingDialog {
    Q_OBJECT

public:
    static constexpr quint8 Idle = ScoredAttempt::Idle;
    static constexpr quint8 Memorising = ScoredAttempt::Memorising;
    static constexpr quint8 Recalling = ScoredAttempt::Recalling;

    TWinKartenMemo(AppContext& ctx, const CardPictureStore& pictures, QWidget* parent = nullptr);
    ~TWinKartenMemo() override;

    // The setting of the next attempt; the card image window's settings give it.
    std::function<AttemptRecord::Setting()> nextSetting;

    // "Start" in the card image window: the window opens over it and a new
    // attempt begins, or the attempt under way goes on.
    void startFromField();

    // Handlers, named after their control and event. A null sender means the
    // clock moved the attempt on.
    void bStartStopClick(QObject* sender);
    void tZehntelTimer();
    void pcKarteClick();
    void bZurueckClick();
    bool cpWiedergabeKeyDown(QKeyEvent* event);
    void cpWiedergabeClick(int place);
    void cpAuswahlClick(int faceIndex);
    void bChangeClick();

    quint8 phase() const { return attempt_.phase(); }
    const CardMemoAttempt& attempt() const { return attempt_; }

    // Controls.
    QGroupBox* gbKarten = nullptr;
    QLabel* labEinstellung = nullptr;
    QStackedWidget* pages = nullptr;
    TCardMemoView* memoView = nullptr;
    TPlayingCard* pcKarte1 = nullptr;
    TPlayingCard* pcKarte2 = nullptr;
    TPlayingCard* pcKarte3 = nullptr;
    TPanel* pKarte = nullptr;
    TCardRecallView* recallView = nullptr;
    QScrollArea* sbWiedergabe = nullptr;
    TCardPlaces* cpWiedergabe = nullptr;
    TCardPicker* cpAuswahl = nullptr;
    QLabel* labTasten = nullptr;
    QLabel* labRegel = nullptr;
    QLabel* labLegende = nullptr;
    QPushButton* bStartStop = nullptr;
    TPanel* pErgeb = nullptr;
    QLabel* labPunkteRekord = nullptr;
    TPanel* pPunkteRekord = nullptr;
    QLabel* labPunkte = nullptr;
    TPanel* pPunkte = nullptr;
    QLabel* labZiffern = nullptr;
    TPanel* pZiffern = nullptr;
    QPushButton* bChange = nullptr;
    QLabel* labMemoZeit = nullptr;
    TPanel* pMemoZeit = nullptr;
    QPushButton* bClose = nullptr;
    TRuleTable* tbRegelwerke = nullptr;
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

    void startMemorising();
    void startRecalling();
    void endRecalling();
    void showScore(const ScoreResult& score);
    void showView();
    void showCursor();
    FasterPointsOffer recordOf(const AttemptRecord::Setting& setting) const;
    void refreshRecord();

    CardMemoAttempt attempt_;
    OpeningClickGuard* openingGuard_ = nullptr;
    bool showsGiven_ = false;
};
