// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>

#include <array>

class Random;

// The card image system: one image word for each of the 52 cards and a short
// reason that ties the word to the card, the names of the cards, and the rules by
// which the learning window moves on, judged without a screen. Cards are face
// indexes 1..52 (value + 13 x suit, suits 0 clubs, 1 diamonds, 2 hearts, 3 spades).

struct CardImage {
    QString word;
    QString reason;
};

// The entry of face index 1..52.
const CardImage& CardImageOf(int faceIndex);

// "As", "2" .. "10", "Bube", "Dame", "König" for values 1..13.
const QString& ValueName(int value);
// "Kreuz", "Karo", "Herz", "Pik" for suits 0..3.
const QString& SuitName(int suit);
// The suit name, a blank and the value name: face index 51 is "Pik Dame".
QString CardName(int faceIndex);

// Which suits take part, indexed by suit.
using SuitsOn = std::array<bool, 4>;

// The next card in random order: any card of a suit that is on, other than the
// current one, all equally likely. At least one suit must be on.
int NextCardRandom(int current, const SuitsOn& suits, Random& random);
// The next card in face-index order after the current one, 52 followed by 1,
// skipping the suits that are off. At least one suit must be on.
int NextCardSorted(int current, const SuitsOn& suits);

// What the meaning panel shows next: the image word unless it shows the word
// already, then the card's name, so repeated clicks alternate between the two.
QString ToggledMeaning(const QString& shown, int faceIndex);
