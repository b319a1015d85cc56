// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "cards/card_recall_entry.h"

#include <QStringList>
#include <QWidget>

#include <optional>

struct Attempt;
class CardPictureStore;
class QLabel;
class QScrollArea;
class TCardPicker;
class TCardPlaces;

// The page of card recall and its result: the row of card places in a scroll
// area, below it the picker of 52 faces and the key map while the user
// recalls, or the rule that scored the attempt and the legend of the marks
// once it is over. It shows what the attempt holds; the window decides what a
// key or a click does.
class TCardRecallView : public QWidget {
    Q_OBJECT

public:
    explicit TCardRecallView(const CardPictureStore& pictures, QWidget* parent = nullptr);

    // Empty places for a count of cards, the picker and the key map on show.
    void startRecall(int placeCount);
    // The entry's cursor, the faces the picker marks as used, the cursor's
    // place scrolled into view.
    void showCursor(const CardRecallEntry& entry);
    // A place the user just set or cleared, then the cursor.
    void showEdit(const std::optional<CardEdit>& edit, const CardRecallEntry& entry);
    // Every place marked against the given cards, a heading per deck, the rule
    // and the legend in place of the picker.
    void showResult(const Attempt& attempt, const QStringList& deckHeadings, const QString& ruleText);
    // The places show the given cards (true) or the marked answers again.
    void showGiven(const Attempt& attempt, bool given);

    QScrollArea* sbWiedergabe = nullptr;
    TCardPlaces* cpWiedergabe = nullptr;
    TCardPicker* cpAuswahl = nullptr;
    QLabel* labTasten = nullptr;
    QLabel* labRegel = nullptr;
    QLabel* labLegende = nullptr;

private:
    void setPlacesHeight(int height);
    void setPickerShown(bool shown);
};
