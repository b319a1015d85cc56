// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QVector>
#include <optional>

// One card written into (or, face 0, taken out of) a place of the recall.
struct CardEdit {
    int place = 0;
    char face = 0;
    friend bool operator==(const CardEdit&, const CardEdit&) = default;
};

// The keys of card recall. A card is two keys, its value and then its suit, each
// case-insensitive:
//   value: A ace, 2 to 9, 0 or T ten, B or J jack, D or Q queen, K king;
//   suit:  C Kreuz/clubs, D Karo/diamonds, H Herz/hearts, P or S Pik/spades.
// K is no suit key, as Kreuz and Karo share it; D after a value is the suit.
// Returns the value 1..13 of a value key, 0 for any other key.
int CardValueOfKey(QChar key);
// The suit 0..3 of a suit key, -1 for any other key.
int CardSuitOfKey(QChar key);
// The key map in one line, as the recall shows it.
QString CardKeyMapText();

// The entry of recalled cards into a row of places, judged without a screen: a
// value key and then a suit key write a card at the cursor and move it on, a
// click in the picker of 52 faces does the same in one go, Space leaves a place
// empty and moves on, Backspace takes back a pending value or else the card
// before the cursor, Delete empties the place at the cursor; the cursor keys
// move without writing, so a card is overwritten by typing over it. The cursor
// runs over the places and, after the last card was written, one past them.
// Every deck of 52 places counts how often each face is in it, so a card already
// used can be marked.
class CardRecallEntry {
public:
    enum class Move : quint8 {
        Left, Right, Up, Down,   // one place, one row of rowWidth
        DeckStart, DeckEnd,      // first and last place of the cursor's deck
        First, Last,             // first and last place of all
        PreviousDeck, NextDeck,  // the same place one deck back or on
    };

    explicit CardRecallEntry(int placeCount = 0, int rowWidth = 13);

    // The move a cursor key asks for (a Qt::Key; Home and End with Ctrl go to
    // the first and last place of all), none for any other key.
    static std::optional<Move> moveForKey(int key, bool control);

    // An empty recall of placeCount places, the cursor on the first.
    void reset(int placeCount);

    int placeCount() const { return int(answers_.size()); }
    int rowWidth() const { return rowWidth_; }
    // The face index 1..52 written in each place, 0 where none is.
    const QByteArray& answers() const { return answers_; }
    char answer(int place) const { return place >= 0 && place < placeCount() ? answers_.at(place) : char(0); }
    // The place the next card goes to; placeCount() once the last is written.
    int cursor() const { return cursor_; }
    // The value typed and waiting for its suit, 0 when none is.
    int pendingValue() const { return pending_; }

    static int deckOf(int place);
    int deckCount() const;
    // How often a face (1..52) is written in a deck, and in the cursor's deck.
    int usesInDeck(int deck, int face) const;
    int usesAtCursor(int face) const { return usesInDeck(deckOf(qMin(cursor_, placeCount() - 1)), face); }

    // A typed character: a value key, a suit key after a value, or Space. What
    // was written, if anything.
    std::optional<CardEdit> type(QChar key);
    std::optional<CardEdit> backspace();
    std::optional<CardEdit> erase();
    // A face picked with the mouse, written at the cursor.
    std::optional<CardEdit> pick(int face);
    // Moves the cursor; false when it stays. A pending value is dropped.
    bool move(Move move);
    bool moveTo(int place);

private:
    std::optional<CardEdit> write(int place, char face);
    std::optional<CardEdit> writeAndAdvance(char face);
    int lastPlace() const { return placeCount() - 1; }

    QByteArray answers_;
    // 53 counters per deck, index 0 unused.
    QVector<quint16> uses_;
    int rowWidth_;
    int cursor_ = 0;
    int pending_ = 0;
};
