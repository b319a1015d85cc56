// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "cards/card_rules.h"
#include "training/picture_drill.h"

#include <QByteArray>
#include <array>

class Random;

// The cards of a run of `count` cards, as face indexes 1..52 (one byte each, as
// an attempt keeps its material) in the order they are turned up: fresh decks
// one after another, each drawn without repeats by the program's generator, the
// last one cut short after `count` cards.
QByteArray DealCards(int count, Random& random);

// What one of the three card places of the cards window shows.
struct CardSlot {
    TShowOption show = soBack;
    int faceIndex = 0;  // the face shown, when show is soFace

    friend bool operator==(const CardSlot&, const CardSlot&) = default;
};
using CardLine = std::array<CardSlot, 3>;

// The places while a run shows `group` of `cards` in lines of `perLine`: a card
// face for each card of the line, a back for a place of the line that the last,
// short line leaves empty, and the blank tool picture beyond the line's length.
CardLine LineOfCards(const QByteArray& cards, DrillGroup group, int perLine);

// The places while no run is under way: backs as far as a line reaches, blank
// cards beyond it.
CardLine IdlePlaceholders(int perLine);
