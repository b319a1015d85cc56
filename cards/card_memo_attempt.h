// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "cards/card_recall_entry.h"
#include "training/picture_drill.h"
#include "training/scored_attempt.h"

class CardScoringRule;
class FasterPointsOffer;

// One attempt of card memorisation, judged without a screen: the dealt cards
// looked through a view of one to three cards at a time, forward and back,
// against the memorisation limit; then recalled place by place with the recall
// entry against the recall limit; then scored by the card rule of the setting
// (speed cards for one deck in a short memorisation, deck by deck otherwise).
// The scored attempt underneath keeps the material, the answers and their
// times, and when each card was first and last on show.
class CardMemoAttempt {
public:
    // Places per row of the recall, which the Up and Down keys move by.
    static constexpr int RowWidth = 13;

    CardMemoAttempt();

    const ScoredAttempt& flow() const { return flow_; }
    ScoredAttempt::Phase phase() const { return flow_.phase(); }
    const AttemptRecord::Setting& setting() const { return flow_.setting(); }
    const Attempt& attempt() const { return flow_.attempt(); }
    int cardCount() const { return flow_.attempt().size(); }
    // The rule of the attempt's setting.
    const CardScoringRule& rule() const;
    static const CardScoringRule& ruleOf(const AttemptRecord::Setting& setting);
    // The setting in one line: "52 Karten, 2 pro Zeile, Memorieren 5 min, Wiedergabe 10 min".
    static QString settingText(const AttemptRecord::Setting& setting);
    // After the attempt: the rule that scored it, and on a second line whether
    // the memorisation time counts.
    QString ruleText() const;

    // START at tick: the dealt cards, memorised from now on, the first view on show.
    void begin(const AttemptRecord::Setting& setting, QByteArray dealt, quint32 tick);

    // Memorising: the cards on show and the views before and after them.
    int perView() const { return perView_; }
    int viewCount() const;
    int view() const { return view_; }
    DrillGroup onShow() const;
    // False where there is no view to go to (or the attempt is not memorising).
    bool forward(quint32 tick);
    bool back(quint32 tick);

    // Recall from tick on, every place empty and the cursor on the first.
    void startRecalling(quint32 tick);
    const CardRecallEntry& entry() const { return entry_; }
    // The entry's keys during recall, each answer kept with its time; outside
    // recall they do nothing.
    std::optional<CardEdit> type(QChar key, quint32 tick);
    std::optional<CardEdit> backspace(quint32 tick);
    std::optional<CardEdit> erase(quint32 tick);
    std::optional<CardEdit> pick(int face, quint32 tick);
    bool move(CardRecallEntry::Move move);
    bool moveTo(int place);

    // The end of recall at tick: the answers scored deck by deck.
    const ScoreResult& end(quint32 tick);
    const ScoreResult& score() const { return flow_.score(); }
    // Whether the memorisation time counts for the result.
    bool timeCounts() const;
    // Whether the ended attempt beats the record of its setting.
    bool offersRecord(const FasterPointsOffer& offer) const;
    AttemptRecord record() const { return flow_.record(); }

private:
    std::optional<CardEdit> kept(std::optional<CardEdit> edit, quint32 tick);
    bool showView(int view, quint32 tick);

    ScoredAttempt flow_;
    CardRecallEntry entry_;
    int perView_ = 1;
    int view_ = 0;
};
