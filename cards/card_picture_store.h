// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QImage>
#include <QList>
#include <QString>

class QByteArray;
class QPainter;
class QRect;

// The program's one store of card pictures: 54 faces, 5 tool pictures, 11 backs
// and the card outline, filled once at start-up before any window exists and
// kept until the program ends. Every playing-card control draws from it.
//
// Drawing cuts the picture to the outline, so the four cut corners show
// whatever lies under the card, and a selected card is the colour negative of
// its picture inside the outline. Rather than masking with scratch bitmaps and
// raster operations on every paint, the outline is applied once, as
// transparency, to each picture and to its negative when the store is filled,
// so a paint is a single scaled copy that allocates nothing.
// Scaling takes the nearest pixel, so a card of 142 x 192 shows picture and
// outline at exactly twice their size.
class CardPictureStore {
public:
    static constexpr int Width = 71;
    static constexpr int Height = 96;

    // Decodes every picture from the program's resources. Raises KorvanisError
    // naming a picture that is missing or not a 71 x 96 16-colour bitmap.
    void load();
    bool isLoaded() const { return !faces_.isEmpty(); }

    int faceCount() const { return int(faces_.size()); }
    int toolCount() const { return int(tools_.size()); }
    int backCount() const { return int(backs_.size()); }

    // Draws picture i of its list into `target`; an index outside the list
    // draws picture 0.
    void drawFace(QPainter& painter, const QRect& target, int i, bool inverted) const;
    void drawTool(QPainter& painter, const QRect& target, int i, bool inverted) const;
    void drawBack(QPainter& painter, const QRect& target, int i, bool inverted) const;

    // Face i cut to the outline, for drawings of their own at other sizes (index
    // outside the list: face 0); a null image before load().
    QImage facePicture(int i) const;

private:
    // A picture cut to the outline, as it is and as its negative.
    struct Picture {
        QImage plain;
        QImage negative;
    };
    static Picture cutToOutline(const QImage& picture, const QImage& outline);
    static void draw(QPainter& painter, const QRect& target, const QList<Picture>& list, int i, bool inverted);

    QList<Picture> faces_;
    QList<Picture> tools_;
    QList<Picture> backs_;
};

// A picture as the program carries it: a device-independent bitmap without a
// file header (a 40-byte header, the palette, rows bottom-up), of 71 x 96 pixels
// and 4 bits per pixel. A null image for anything else.
QImage DecodeCardPicture(const QByteArray& dib);
