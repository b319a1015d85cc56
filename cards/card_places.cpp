// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_places.h"

#include "cards/card_rules.h"
#include "cards/card_symbols.h"
#include "widgets/window_helpers.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <array>

namespace {

const QColor EmptyPlace(228, 228, 228);
const QColor EmptyFrame(170, 170, 170);
const QColor MissingPlace(255, 190, 190);
const QColor RightMark(0, 150, 0);
const QColor WrongMark(210, 0, 0);
const QColor RepeatMark(240, 140, 0);
const QColor CursorMark(30, 90, 220);

int rowsOfDeck(int cardsInDeck)
{
    return (cardsInDeck + TCardPlaces::Columns - 1) / TCardPlaces::Columns;
}

} // namespace

TCardPlaces::TCardPlaces(const CardPictureStore& pictures, QWidget* parent)
    : QWidget(parent), small_(pictures, QSize(CardWidth, CardHeight))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(PixelFont(11, false));
}

void TCardPlaces::setPlaceCount(int count)
{
    faces_ = QByteArray(qMax(0, count), '\0');
    expected_.clear();
    headings_.clear();
    cursor_ = -1;
    pending_ = 0;
    resize(sizeHint());
    update();
}

int TCardPlaces::deckCount() const
{
    return (placeCount() + CardsPerDeck - 1) / CardsPerDeck;
}

int TCardPlaces::deckTop(int deck) const
{
    return Margin + deck * (HeadingHeight + RowsPerDeck * PitchY);
}

QSize TCardPlaces::sizeHint() const
{
    const int width = 2 * Margin + Columns * PitchX;
    const int decks = deckCount();
    if (decks == 0)
        return {width, 2 * Margin};
    const int lastCards = placeCount() - (decks - 1) * CardsPerDeck;
    return {width, deckTop(decks - 1) + HeadingHeight + rowsOfDeck(lastCards) * PitchY + Margin};
}

QRect TCardPlaces::placeRect(int place) const
{
    const int deck = place / CardsPerDeck;
    const int inDeck = place % CardsPerDeck;
    const int x = Margin + (inDeck % Columns) * PitchX + (PitchX - CardWidth) / 2;
    const int y = deckTop(deck) + HeadingHeight + (inDeck / Columns) * PitchY + (PitchY - CardHeight) / 2;
    return {x, y, CardWidth, CardHeight};
}

int TCardPlaces::placeAt(QPoint point) const
{
    const int deckHeight = HeadingHeight + RowsPerDeck * PitchY;
    const int deck = (point.y() - Margin) / deckHeight;
    const int inDeckY = point.y() - deckTop(deck) - HeadingHeight;
    const int column = (point.x() - Margin) / PitchX;
    if (point.y() < Margin || inDeckY < 0 || point.x() < Margin || column >= Columns)
        return -1;
    const int place = deck * CardsPerDeck + (inDeckY / PitchY) * Columns + column;
    return place < placeCount() && placeRect(place).contains(point) ? place : -1;
}

void TCardPlaces::setFaces(const QByteArray& faces)
{
    faces_ = faces.left(placeCount());
    faces_.resize(placeCount(), '\0');
    update();
}

void TCardPlaces::updatePlace(int place)
{
    if (place >= 0 && place < placeCount())
        update(placeRect(place).adjusted(-2, -2, 2, 2));
}

void TCardPlaces::setFace(int place, char face)
{
    if (place < 0 || place >= placeCount() || faces_.at(place) == face)
        return;
    faces_[place] = face;
    // A card used twice marks the other places of its deck as well.
    if (repeatsMarked_)
        update(0, deckTop(place / CardsPerDeck), width(), HeadingHeight + RowsPerDeck * PitchY);
    else
        updatePlace(place);
}

void TCardPlaces::setCursor(int place, int pendingValue)
{
    if (place == cursor_ && pendingValue == pending_)
        return;
    updatePlace(qMin(cursor_, placeCount() - 1));
    cursor_ = place;
    pending_ = pendingValue;
    updatePlace(qMin(cursor_, placeCount() - 1));
}

void TCardPlaces::setRepeatsMarked(bool marked)
{
    repeatsMarked_ = marked;
    update();
}

void TCardPlaces::setExpected(const QByteArray& expected)
{
    expected_ = expected.isEmpty() ? QByteArray() : expected.left(placeCount());
    if (!expected_.isEmpty())
        expected_.resize(placeCount(), '\0');
    update();
}

void TCardPlaces::setDeckHeadings(const QStringList& headings)
{
    headings_ = headings;
    update();
}

QString TCardPlaces::deckHeading(int deck) const
{
    if (deck >= 0 && deck < headings_.size() && !headings_[deck].isEmpty())
        return headings_[deck];
    return QStringLiteral("Stapel %1").arg(deck + 1);
}

// ---------------------------------------------------------------------------
// Painting

const QImage& TCardPlaces::emptyPlace(int number) const
{
    // Drawn once each: a screenful of empty places is then as quick to paint as
    // one of cards, when the recall moves on to the next deck.
    QImage& picture = emptyPlaces_[number];
    if (!picture.isNull())
        return picture;
    picture = QImage(CardWidth, CardHeight, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(EmptyFrame);
    painter.setBrush(number ? EmptyPlace : MissingPlace);
    painter.drawRoundedRect(QRectF(0.5, 0.5, CardWidth - 1, CardHeight - 1), 3, 3);
    if (number) {
        painter.setFont(font());
        painter.drawText(picture.rect(), Qt::AlignCenter, QString::number(number));
    }
    return picture;
}

void TCardPlaces::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, palette().color(QPalette::Base));
    const int deckHeight = HeadingHeight + RowsPerDeck * PitchY;
    const int firstDeck = qMax(0, (exposed.top() - Margin) / deckHeight);
    const int lastDeck = qMin(deckCount() - 1, (exposed.bottom() - Margin) / deckHeight);
    for (int deck = firstDeck; deck <= lastDeck; ++deck)
        paintDeck(painter, deck, exposed);
}

void TCardPlaces::paintDeck(QPainter& painter, int deck, const QRect& exposed) const
{
    const int top = deckTop(deck);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(Margin + 2, top, width() - 2 * Margin, HeadingHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     deckHeading(deck));
    const int first = deck * CardsPerDeck;
    const int end = qMin(placeCount(), first + CardsPerDeck);
    // How often each face is in the deck, for the marks of cards used twice.
    std::array<quint8, CardsPerDeck + 1> uses{};
    if (repeatsMarked_) {
        for (int i = first; i < end; ++i)
            ++uses[quint8(faces_.at(i))];
    }
    for (int place = first; place < end; ++place) {
        if (!placeRect(place).adjusted(-3, -3, 3, 3).intersects(exposed))
            continue;
        const int face = quint8(faces_.at(place));
        paintPlace(painter, place, repeatsMarked_ && face && uses[face] > 1);
    }
}

void TCardPlaces::paintPlace(QPainter& painter, int place, bool repeated) const
{
    const QRect r = placeRect(place);
    const int face = quint8(faces_.at(place));
    const int expected = marked() ? quint8(expected_.at(place)) : 0;
    const bool missing = marked() && !face;
    if (face)
        painter.drawImage(r.topLeft(), small_.face(face));
    else
        painter.drawImage(r.topLeft(), emptyPlace(missing ? 0 : place % CardsPerDeck + 1));
    // Pictures are copied pixel for pixel; only the marks need smoothing.
    painter.setRenderHint(QPainter::Antialiasing, true);
    const auto frame = [&](const QColor& colour, qreal width, Qt::PenStyle style = Qt::SolidLine) {
        QPen pen(colour, width, style);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(r).adjusted(-1, -1, 1, 1), 4, 4);
    };
    if (marked()) {
        if (face && face == expected) {
            frame(RightMark, 2.5);
        } else {
            if (face)
                frame(WrongMark, 2.5);
            // The card that belongs here, small beside the wrong one or in the empty place.
            const QRectF mini = face ? QRectF(r.right() - 22, r.bottom() - 29, 24, 32)
                                     : QRectF(r.center().x() - 12, r.center().y() - 16, 24, 32);
            PaintCardIndex(painter, mini, expected);
        }
    } else if (repeated) {
        frame(RepeatMark, 2.5, Qt::DashLine);
    }
    if (place == cursor_) {
        frame(CursorMark, 3);
        if (pending_) {
            const QRectF box = QRectF(r).adjusted(4, 14, -4, -14);
            painter.setPen(CursorMark);
            painter.setBrush(QColor(255, 255, 255, 230));
            painter.drawRoundedRect(box, 3, 3);
            QFont bold = PixelFont(15, true);
            painter.setFont(bold);
            painter.drawText(box, Qt::AlignCenter, CardValueLetter(pending_) + QLatin1Char('?'));
            painter.setFont(font());
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// ---------------------------------------------------------------------------
// Keys and the mouse

void TCardPlaces::keyPressEvent(QKeyEvent* event)
{
    if (keyHook && keyHook(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TCardPlaces::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const int place = placeAt(event->position().toPoint());
        if (place >= 0)
            Q_EMIT placeClicked(place);
    }
    QWidget::mousePressEvent(event);
}
