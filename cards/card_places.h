// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "cards/scaled_card_faces.h"

#include <QByteArray>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

class CardPictureStore;

// The places of a card attempt's recall, in rows of 13 and four rows to a deck
// under the deck's heading. A place shows the card written in it or is empty,
// and may carry the cursor (with a value waiting for its suit), the mark of a
// card used twice in its deck, or, in the result view, the mark of a right,
// wrong or missing card, with the right card small beside a wrong or missing
// one. Only the places on screen are painted, so ten thousand cost what a
// screenful does. Keys go to the window's hook first; a press on a place
// reports it.
class TCardPlaces : public QWidget {
    Q_OBJECT

public:
    static constexpr int Columns = 13;
    static constexpr int RowsPerDeck = 4;
    static constexpr int CardWidth = 44;
    static constexpr int CardHeight = 60;
    static constexpr int PitchX = 47;
    static constexpr int PitchY = 64;
    static constexpr int HeadingHeight = 18;
    static constexpr int Margin = 2;

    TCardPlaces(const CardPictureStore& pictures, QWidget* parent = nullptr);

    // An attempt of count places, each empty, no cursor and no marks.
    void setPlaceCount(int count);
    int placeCount() const { return int(faces_.size()); }
    // What every place shows (face index 1..52, 0 for empty), and one place.
    void setFaces(const QByteArray& faces);
    void setFace(int place, char face);
    const QByteArray& faces() const { return faces_; }
    // The cursor on a place (placeCount() for past the last, -1 for none), with
    // the value 1..13 waiting for its suit or 0.
    void setCursor(int place, int pendingValue);
    int cursor() const { return cursor_; }
    // Marks cards used twice in a deck, while the user recalls.
    void setRepeatsMarked(bool marked);
    // The result view: every place marked against the card that belongs there.
    // An empty expected ends it.
    void setExpected(const QByteArray& expected);
    bool marked() const { return !expected_.isEmpty(); }
    // The heading of each deck, "Stapel 1" unless given.
    void setDeckHeadings(const QStringList& headings);
    QString deckHeading(int deck) const;

    // Where a place lies in the widget, and the place at a point (-1 for none).
    QRect placeRect(int place) const;
    int placeAt(QPoint point) const;

    // Called first with every key the places get; true when it used the key.
    std::function<bool(QKeyEvent*)> keyHook;

    QSize sizeHint() const override;

Q_SIGNALS:
    void placeClicked(int place);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int deckCount() const;
    int deckTop(int deck) const;
    void paintDeck(QPainter& painter, int deck, const QRect& exposed) const;
    void paintPlace(QPainter& painter, int place, bool repeated) const;
    void updatePlace(int place);
    // An empty place showing its number in the deck, or, for 0, a missing card's.
    const QImage& emptyPlace(int number) const;

    ScaledCardFaces small_;
    mutable std::array<QImage, 53> emptyPlaces_;
    QByteArray faces_;
    QByteArray expected_;
    QStringList headings_;
    int cursor_ = -1;
    int pending_ = 0;
    bool repeatsMarked_ = false;
};
