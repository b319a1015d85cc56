// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/scaled_card_faces.h"

#include "cards/card_picture_store.h"
#include "cards/card_rules.h"

ScaledCardFaces::ScaledCardFaces(const CardPictureStore& pictures, QSize size) : size_(size)
{
    faces_.reserve(CardsPerDeck + 1);
    faces_ << QImage();
    for (int i = 1; i <= CardsPerDeck; ++i) {
        const QImage picture = pictures.facePicture(i);
        faces_ << (picture.isNull() ? QImage()
                                    : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
}

const QImage& ScaledCardFaces::face(int faceIndex) const
{
    return faceIndex >= 1 && faceIndex <= CardsPerDeck ? faces_[faceIndex] : none_;
}
