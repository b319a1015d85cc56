// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_rules.h"

namespace {

bool isRedSuit(int suit)
{
    return suit == 1 || suit == 2;
}

} // namespace

int FaceIndexOf(int value, int suit)
{
    if (value != 0)
        return value + 13 * suit;
    return isRedSuit(suit) ? FaceCount - 1 : 0;
}

bool PlayingCardState::setFaceIndex(int faceIndex)
{
    if (faceIndex == faceIndex_)
        return false;
    if (faceIndex < 0 || faceIndex >= FaceCount)
        throw EPlayingCard("Face index out of range");
    faceIndex_ = faceIndex;
    if (faceIndex >= 1 && faceIndex <= CardsPerDeck) {
        value_ = (faceIndex - 1) % 13 + 1;
        suit_ = (faceIndex - 1) / 13;
    } else if (faceIndex == 0) {
        // A joker normalises a suit of its own colour (spades to clubs, hearts to
        // diamonds) and keeps one of the other colour: forms write the suit after
        // the face index, and that later write decides which joker the card is.
        value_ = 0;
        if (!isRedSuit(suit_))
            suit_ = 0;
    } else {
        value_ = 0;
        if (isRedSuit(suit_))
            suit_ = 1;
    }
    return show_ == soFace;
}

bool PlayingCardState::setToolIndex(int toolIndex)
{
    if (toolIndex == toolIndex_)
        return false;
    if (toolIndex < 0 || toolIndex >= ToolCount)
        throw EPlayingCard("Tool index out of range");
    toolIndex_ = toolIndex;
    return show_ == soTool;
}

bool PlayingCardState::setBackIndex(int backIndex)
{
    if (backIndex == backIndex_)
        return false;
    if (backIndex < 0 || backIndex >= BackCount)
        throw EPlayingCard("Back index out of range");
    backIndex_ = backIndex;
    return show_ == soBack;
}

// Value and suit set the face index directly: the pair is in range by now, so
// the face index writer's own range test and derivation have nothing to add.
bool PlayingCardState::setValue(int value)
{
    if (value == value_)
        return false;
    if (value < 0 || value > MaxValue)
        throw EPlayingCard("Value out of range");
    value_ = value;
    faceIndex_ = FaceIndexOf(value_, suit_);
    return show_ == soFace;
}

bool PlayingCardState::setSuit(int suit)
{
    if (suit == suit_)
        return false;
    if (suit < 0 || suit > MaxSuit)
        throw EPlayingCard("Suit out of range");
    suit_ = suit;
    faceIndex_ = FaceIndexOf(value_, suit_);
    return show_ == soFace;
}

bool PlayingCardState::setShow(TShowOption show)
{
    if (show == show_)
        return false;
    show_ = show;
    return true;
}

bool PlayingCardState::setSelected(bool selected)
{
    if (selected == selected_)
        return false;
    selected_ = selected;
    return true;
}
