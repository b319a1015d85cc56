// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_recall_entry.h"

#include "cards/card_rules.h"

#include <qnamespace.h>

namespace {

constexpr int FacesPerDeck = CardsPerDeck + 1;

} // namespace

int CardValueOfKey(QChar key)
{
    const char16_t c = key.toUpper().unicode();
    if (c >= u'2' && c <= u'9')
        return c - u'0';
    switch (c) {
    case u'A':
        return 1;
    case u'0':
    case u'T':
        return 10;
    case u'B':
    case u'J':
        return 11;
    case u'D':
    case u'Q':
        return 12;
    case u'K':
        return 13;
    default:
        return 0;
    }
}

int CardSuitOfKey(QChar key)
{
    switch (key.toUpper().unicode()) {
    case u'C':
        return 0;
    case u'D':
        return 1;
    case u'H':
        return 2;
    case u'P':
    case u'S':
        return 3;
    default:
        return -1;
    }
}

QString CardKeyMapText()
{
    return QStringLiteral("Wert: A, 2–9, 0 oder T, B oder J, D oder Q, K – dann Farbe: C Kreuz, D Karo, H Herz, "
                          "P oder S Pik");
}

CardRecallEntry::CardRecallEntry(int placeCount, int rowWidth) : rowWidth_(qMax(1, rowWidth))
{
    reset(placeCount);
}

void CardRecallEntry::reset(int placeCount)
{
    answers_ = QByteArray(qMax(0, placeCount), '\0');
    uses_ = QVector<quint16>(deckCount() * FacesPerDeck, 0);
    cursor_ = 0;
    pending_ = 0;
}

int CardRecallEntry::deckOf(int place)
{
    return place / CardsPerDeck;
}

int CardRecallEntry::deckCount() const
{
    return (placeCount() + CardsPerDeck - 1) / CardsPerDeck;
}

int CardRecallEntry::usesInDeck(int deck, int face) const
{
    if (deck < 0 || deck >= deckCount() || face < 1 || face > CardsPerDeck)
        return 0;
    return uses_[deck * FacesPerDeck + face];
}

std::optional<CardEdit> CardRecallEntry::write(int place, char face)
{
    if (place < 0 || place > lastPlace())
        return std::nullopt;
    const char old = answers_.at(place);
    const int deck = deckOf(place) * FacesPerDeck;
    if (old)
        --uses_[deck + old];
    if (face)
        ++uses_[deck + face];
    answers_[place] = face;
    return CardEdit{place, face};
}

std::optional<CardEdit> CardRecallEntry::writeAndAdvance(char face)
{
    pending_ = 0;
    const std::optional<CardEdit> edit = write(cursor_, face);
    if (edit)
        ++cursor_;
    return edit;
}

std::optional<CardEdit> CardRecallEntry::type(QChar key)
{
    if (key == QLatin1Char(' '))
        return writeAndAdvance(0);
    if (pending_) {
        const int suit = CardSuitOfKey(key);
        if (suit >= 0)
            return writeAndAdvance(char(FaceIndexOf(pending_, suit)));
    }
    // A value key while a value waits puts the new value in its place.
    if (const int value = CardValueOfKey(key); value && cursor_ <= lastPlace())
        pending_ = value;
    return std::nullopt;
}

std::optional<CardEdit> CardRecallEntry::backspace()
{
    if (pending_) {
        pending_ = 0;
        return std::nullopt;
    }
    if (cursor_ == 0)
        return std::nullopt;
    --cursor_;
    return write(cursor_, 0);
}

std::optional<CardEdit> CardRecallEntry::erase()
{
    pending_ = 0;
    return write(cursor_, 0);
}

std::optional<CardEdit> CardRecallEntry::pick(int face)
{
    if (face < 1 || face > CardsPerDeck)
        return std::nullopt;
    return writeAndAdvance(char(face));
}

bool CardRecallEntry::moveTo(int place)
{
    pending_ = 0;
    if (place < 0 || place > lastPlace() || place == cursor_)
        return false;
    cursor_ = place;
    return true;
}

bool CardRecallEntry::move(Move move)
{
    if (placeCount() == 0)
        return false;
    // From past the last card every move starts on the last one.
    const int at = qMin(cursor_, lastPlace());
    const int deckStart = deckOf(at) * CardsPerDeck;
    int target = at;
    switch (move) {
    case Move::Left:
        target = cursor_ - 1;
        break;
    case Move::Right:
        target = at + 1;
        break;
    case Move::Up:
        target = at - rowWidth_;
        break;
    case Move::Down:
        target = at + rowWidth_;
        break;
    case Move::DeckStart:
        target = deckStart;
        break;
    case Move::DeckEnd:
        target = qMin(deckStart + CardsPerDeck - 1, lastPlace());
        break;
    case Move::First:
        target = 0;
        break;
    case Move::Last:
        target = lastPlace();
        break;
    case Move::PreviousDeck:
        target = at - CardsPerDeck;
        break;
    case Move::NextDeck:
        target = qMin(at + CardsPerDeck, lastPlace());
        if (deckOf(target) == deckOf(at))
            target = at;
        break;
    }
    return moveTo(target);
}

std::optional<CardRecallEntry::Move> CardRecallEntry::moveForKey(int key, bool control)
{
    switch (key) {
    case Qt::Key_Left: return Move::Left;
    case Qt::Key_Right: return Move::Right;
    case Qt::Key_Up: return Move::Up;
    case Qt::Key_Down: return Move::Down;
    case Qt::Key_Home: return control ? Move::First : Move::DeckStart;
    case Qt::Key_End: return control ? Move::Last : Move::DeckEnd;
    case Qt::Key_PageUp: return Move::PreviousDeck;
    case Qt::Key_PageDown: return Move::NextDeck;
    default: return std::nullopt;
    }
}
