// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QImage>
#include <QList>
#include <QSize>

class CardPictureStore;

// The 52 card faces of the store at one smaller size, scaled once and smoothly,
// so rows of small cards stay legible and a paint is a plain copy. The nearest-
// pixel scaling of the card control suits whole multiples of its size, not the
// reductions a row of places needs.
class ScaledCardFaces {
public:
    ScaledCardFaces(const CardPictureStore& pictures, QSize size);

    QSize size() const { return size_; }
    // Face index 1..52; a null image for any other.
    const QImage& face(int faceIndex) const;

private:
    QSize size_;
    QList<QImage> faces_;
    QImage none_;
};
