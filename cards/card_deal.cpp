// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_deal.h"

#include "core/services.h"

#include <numeric>

QByteArray DealCards(int count, Random& random)
{
    QByteArray cards;
    cards.reserve(qMax(count, 0));
    QList<int> pool;
    pool.reserve(CardsPerDeck);
    while (cards.size() < count) {
        pool.resize(CardsPerDeck);
        std::iota(pool.begin(), pool.end(), 1);
        while (!pool.isEmpty() && cards.size() < count) {
            const int r = random.next(int(pool.size()));
            cards.append(char(pool[r]));
            pool.removeAt(r);
        }
    }
    return cards;
}

CardLine LineOfCards(const QByteArray& cards, DrillGroup group, int perLine)
{
    CardLine line;
    for (int place = 0; place < int(line.size()); ++place) {
        if (place >= perLine)
            line[place] = {soTool, 0};
        else if (place < group.size && group.first + place < cards.size())
            line[place] = {soFace, cards[group.first + place]};
        else
            line[place] = {soBack, 0};
    }
    return line;
}

CardLine IdlePlaceholders(int perLine)
{
    return LineOfCards({}, DrillGroup{}, perLine);
}
