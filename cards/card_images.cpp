// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_images.h"

#include "cards/card_rules.h"
#include "core/services.h"

#include <algorithm>

namespace {

// The words of a suit share a theme: clubs crime and justice, diamonds the
// circus, hearts the body and the hospital, spades nature and the garden. The
// texts are kept exactly as the system was first written down, odd blanks and
// all, so that learners who know it find it unchanged.
const std::array<CardImage, CardsPerDeck> Images = {{
    {QStringLiteral("Gesetzbuch"), QStringLiteral("A auf Kopf gestellt= offenes Buch")},
    {QStringLiteral("Kirchenglocke"), QStringLiteral("Wegen der Form, links gedreht")},
    {QStringLiteral("Schlüssel"), QStringLiteral("3 gedreht = Schlüsselbart")},
    {QStringLiteral("Hammer / Spitzhacke"), QStringLiteral("Wegen der Form, links gedreht")},
    {QStringLiteral("Schwere Hantel"), QStringLiteral("Gedreht, Links/rechts Verdickung")},
    {QStringLiteral("Schornstein (Fluchtweg?)"), QStringLiteral("runder Schornstein, Rauchfahne")},
    {QStringLiteral(" Pistole"), QStringLiteral("Wegen der Form, links gedreht")},
    {QStringLiteral("Handschelle"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Giftspritze"), QStringLiteral("oben rund, unten spitz")},
    {QStringLiteral("Ko-Spray"), QStringLiteral("0 = Dose, 1 (gedreht) = Sprühkopf")},
    {QStringLiteral("Verbrecher, (tätowiert?)"), QStringLiteral("Jung, männlich")},
    {QStringLiteral("Geld"), QStringLiteral("D wie D-Mark")},
    {QStringLiteral("Richter"), QStringLiteral("männlich, alt")},

    {QStringLiteral("Zirkuszelt"), QStringLiteral("A = Wegen der Form")},
    {QStringLiteral("Hocker (z.B. für Elefanten)"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Sicherungsring für Seiltänzer"), QStringLiteral("Wegen der Form, (3 schnappt zu)")},
    {QStringLiteral("Zeltstange (mit Querbalken?)"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Einrad"), QStringLiteral("Unten das Rad, oben der Sattel")},
    {QStringLiteral("Trompete"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Peitsche"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("2 Jonglierbälle"), QStringLiteral("8 = 2 fliegende Bälle")},
    {QStringLiteral("Großer Clown-Schuh"), QStringLiteral("Wegen der Form, rechts gedreht")},
    {QStringLiteral("Trommel"), QStringLiteral("1 = Schlegel, 0 = Trommel")},
    {QStringLiteral("Clownm, bunt bemaltes Gesicht"), QStringLiteral("Männlich, jung")},
    {QStringLiteral("Seiltänzerin"), QStringLiteral("Weiblich")},
    {QStringLiteral("Löwe (beißt?)"), QStringLiteral("Männlich, alt (König der Tiere)")},

    {QStringLiteral("Kopf / Hut"), QStringLiteral("A = wegen der Form")},
    {QStringLiteral("Ohr"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Brust"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Nase"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Hand"), QStringLiteral("5 Finger")},
    {QStringLiteral("Rücken"), QStringLiteral("Krumm, gebeugt")},
    {QStringLiteral("Arm / Knochen"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Pulsierendes Herz"), QStringLiteral("8 = zwei Herzkammern")},
    {QStringLiteral("Tupfer"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Bett"), QStringLiteral("1 gedreht = Matratze, 0 = Kissen")},
    {QStringLiteral("Baby"), QStringLiteral("Männlich, jung")},
    {QStringLiteral("Mutter oder Krankenschwester"), QStringLiteral("Weiblich")},
    {QStringLiteral("Vater oder Doktor"), QStringLiteral("Männlich, alt")},

    {QStringLiteral("Tannenbaum"), QStringLiteral("A = wegen der Form")},
    {QStringLiteral("Schwan"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Kolibri"), QStringLiteral("Wegen der Form, links gedreht")},
    {QStringLiteral("Laubblatt"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Vertrockneter Ast"), QStringLiteral("Krumm und verdreht")},
    {QStringLiteral("Birne"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Sense"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Schneemann"), QStringLiteral("Wegen der Form")},
    {QStringLiteral("Sonne"), QStringLiteral("Rund, mit einem Strahl")},
    {QStringLiteral("Blume"), QStringLiteral("1 = Stengel, 0 = Blüte (0 über 1)")},
    {QStringLiteral("Affe"), QStringLiteral("Männlich, jung")},
    {QStringLiteral("Ziege (leckend?)"), QStringLiteral("Weiblich, alt")},
    {QStringLiteral("Gärtner (mit Hacke?)"), QStringLiteral("Männlich, alt")},
}};

const std::array<QString, MaxValue> ValueNames = {
    QStringLiteral("As"), QStringLiteral("2"), QStringLiteral("3"),    QStringLiteral("4"),
    QStringLiteral("5"),  QStringLiteral("6"), QStringLiteral("7"),    QStringLiteral("8"),
    QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("Bube"), QStringLiteral("Dame"),
    QStringLiteral("König")};

const std::array<QString, MaxSuit + 1> SuitNames = {QStringLiteral("Kreuz"), QStringLiteral("Karo"),
                                                     QStringLiteral("Herz"), QStringLiteral("Pik")};

int deckIndex(int faceIndex)
{
    return std::clamp(faceIndex, 1, CardsPerDeck) - 1;
}

int suitOf(int faceIndex)
{
    return deckIndex(faceIndex) / MaxValue;
}

bool anySuitOn(const SuitsOn& suits)
{
    return std::find(suits.begin(), suits.end(), true) != suits.end();
}

} // namespace

const CardImage& CardImageOf(int faceIndex)
{
    return Images[deckIndex(faceIndex)];
}

const QString& ValueName(int value)
{
    return ValueNames[std::clamp(value, 1, MaxValue) - 1];
}

const QString& SuitName(int suit)
{
    return SuitNames[std::clamp(suit, 0, MaxSuit)];
}

QString CardName(int faceIndex)
{
    const int i = deckIndex(faceIndex);
    return SuitName(i / MaxValue) + QLatin1Char(' ') + ValueName(i % MaxValue + 1);
}

int NextCardRandom(int current, const SuitsOn& suits, Random& random)
{
    // With no suit on no card could ever be drawn; the window never lets that happen.
    if (!anySuitOn(suits))
        return current;
    // Drawing from the whole deck and throwing back what does not fit keeps every
    // allowed card equally likely; a suit holds 13 cards, so a fitting one is near.
    for (;;) {
        const int k = random.next(CardsPerDeck) + 1;
        if (k != current && suits[suitOf(k)])
            return k;
    }
}

int NextCardSorted(int current, const SuitsOn& suits)
{
    if (!anySuitOn(suits))
        return current;
    int k = current;
    do
        k = k % CardsPerDeck + 1;
    while (!suits[suitOf(k)]);
    return k;
}

QString ToggledMeaning(const QString& shown, int faceIndex)
{
    const QString& word = CardImageOf(faceIndex).word;
    return shown != word ? word : CardName(faceIndex);
}
