// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QObject>
#include <stdexcept>

// The rules of a playing card, judged without a screen: how value, suit and face
// index of a card follow from each other, the index ranges of the three picture
// lists, and which property writes change what the card shows.
namespace Cards {
Q_NAMESPACE

// Which picture a card shows, in the order forms store it.
enum TShowOption { soFace = 0, soTool = 1, soBack = 2 };
Q_ENUM_NS(TShowOption)

} // namespace Cards

using Cards::TShowOption;
using enum Cards::TShowOption;

// The sizes of the picture lists, which are also the valid index ranges.
inline constexpr int FaceCount = 54;   // 0 the black-and-white joker, 1..52 the deck, 53 the coloured joker
inline constexpr int ToolCount = 5;
inline constexpr int BackCount = 11;
inline constexpr int CardsPerDeck = 52;

// Values run 0 (joker), 1 (ace) .. 13 (king); suits 0 clubs, 1 diamonds,
// 2 hearts, 3 spades.
inline constexpr int MaxValue = 13;
inline constexpr int MaxSuit = 3;

// The control's own error: a property written out of range.
class EPlayingCard : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The face index that value and suit make: value + 13 x suit, and for value 0
// the joker of the suit's colour (0 for the black suits, 53 for the red ones).
int FaceIndexOf(int value, int suit);

// The seven properties of a card. Each writer raises EPlayingCard for a value out
// of range and then leaves everything as it was; a write of the value a property
// already has does nothing at all. A writer returns whether the card on screen
// must be painted again, which is only when the picture it changed is the one
// shown.
class PlayingCardState {
public:
    int FaceIndex() const { return faceIndex_; }
    int ToolIndex() const { return toolIndex_; }
    int BackIndex() const { return backIndex_; }
    int Value() const { return value_; }
    int Suit() const { return suit_; }
    TShowOption Show() const { return show_; }
    bool Selected() const { return selected_; }

    bool setFaceIndex(int faceIndex);
    bool setToolIndex(int toolIndex);
    bool setBackIndex(int backIndex);
    bool setValue(int value);
    bool setSuit(int suit);
    bool setShow(TShowOption show);
    bool setSelected(bool selected);

private:
    int faceIndex_ = 1;
    int toolIndex_ = 0;
    int backIndex_ = 0;
    int value_ = 1;
    int suit_ = 0;
    TShowOption show_ = soFace;
    bool selected_ = false;
};
