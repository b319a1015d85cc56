// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QColor>
#include <QPainterPath>

class QPainter;
class QRectF;

// The suit symbols drawn as shapes, so they look the same whatever fonts the
// system has: the outline of suit 0..3 (clubs, diamonds, hearts, spades) in a
// unit square, and its colour.
QPainterPath SuitPath(int suit);
QColor SuitColor(int suit);

// A card as a small index card, legible where a picture of the card would be
// too small to read: a white card with the value letter over the suit symbol,
// in the suit's colour. Face index 1..52.
void PaintCardIndex(QPainter& painter, const QRectF& rect, int faceIndex);

// The letter of a card's value as the card pictures print it: A, 2..10, J, Q, K.
QString CardValueLetter(int faceIndex);
