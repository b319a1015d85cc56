// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/item_tally.h"

#include <cmath>

std::vector<int> ImageSizesOf(int alphabetSize)
{
    switch (alphabetSize) {
    case 10:
        return {2, 3};
    case 2:
        return {3};
    case 52:
        return {1, 2};
    default:
        return {};
    }
}

qint64 ImageCount(int alphabetSize, int size)
{
    qint64 count = 1;
    for (int i = 0; i < size; ++i)
        count *= alphabetSize;
    return count;
}

qint64 ImageKey(const QByteArray& items, int first, int size, int alphabetSize)
{
    qint64 key = 0;
    for (int i = first; i < first + size; ++i) {
        // Digits are stored as their characters, cards as face indexes from 1.
        const int value = alphabetSize == 52 ? quint8(items[i]) - 1 : items[i] - '0';
        key = key * alphabetSize + value;
    }
    return alphabetSize == 52 && size == 1 ? key + 1 : key;
}

template <typename F> void ItemTally::forImages(int end, int perRow, int size, F&& f) const
{
    const int row = perRow > 0 ? perRow : end;
    for (int rowStart = 0; rowStart < end; rowStart += row) {
        const int rowEnd = std::min(rowStart + row, end);
        for (int first = rowStart; first + size <= rowEnd; first += size)
            f(first);
    }
}

void ItemTally::add(const AttemptRecord& record)
{
    const Attempt& a = record.items;
    if (a.size() == 0 || ImageSizesOf(alphabet_).empty())
        return;
    if (a.answers.size() == a.given.size())
        addAnswers(a, record.itemsPerRow);
    if (a.shownAtMs.size() == a.given.size()) {
        const double runMs = record.result.runSeconds && record.completed ? *record.result.runSeconds * 1000.0 : -1;
        addTimes(a, record.itemsPerRow, runMs);
    }
}

void ItemTally::addAnswers(const Attempt& a, int perRow)
{
    int end = a.size();
    while (end > 0 && a.answers[end - 1] == 0)
        --end;
    for (int i = 0; i < end; ++i) {
        const bool wrong = a.answers[i] != a.given[i];
        const int column = perRow > 0 ? i % perRow : i;
        const int row = perRow > 0 ? i / perRow : 0;
        for (const TallyPlace place : {TallyPlace{TallyKind::Column, 0, column}, TallyPlace{TallyKind::Row, 0, row}}) {
            TallyCounts& c = counts_[place];
            ++c.given;
            c.wrong += wrong ? 1 : 0;
        }
    }
    for (int size : ImageSizesOf(alphabet_)) {
        const qint64 images = ImageCount(alphabet_, size);
        forImages(end, perRow, size, [&](int first) {
            const qint64 given = ImageKey(a.given, first, size, alphabet_);
            bool wrong = false;
            bool whole = true;
            for (int i = first; i < first + size; ++i) {
                wrong = wrong || a.answers[i] != a.given[i];
                whole = whole && a.answers[i] != 0;
            }
            TallyCounts& c = counts_[{TallyKind::Image, size, given}];
            ++c.given;
            if (!wrong)
                return;
            ++c.wrong;
            if (whole)
                ++counts_[{TallyKind::Confusion, size, ConfusionKey(given, ImageKey(a.answers, first, size, alphabet_), images)}]
                      .wrong;
        });
    }
}

void ItemTally::addTimes(const Attempt& a, int perRow, double runMs)
{
    const int n = a.size();
    const bool withEnds = a.lastShownAtMs.size() == n;
    // Each item's share of its group's time, or -1 where it is not known.
    std::vector<double> share(std::size_t(n), -1);
    for (int first = 0; first < n;) {
        int end = first + 1;
        while (end < n && a.shownAtMs[end] == a.shownAtMs[first]
               && (!withEnds || a.lastShownAtMs[end] == a.lastShownAtMs[first]))
            ++end;
        double ms = -1;
        if (a.shownAtMs[first] >= 0) {
            if (withEnds && a.lastShownAtMs[first] >= 0)
                ms = a.lastShownAtMs[first] - a.shownAtMs[first];
            else if (!withEnds && end < n && a.shownAtMs[end] >= 0)
                ms = a.shownAtMs[end] - a.shownAtMs[first];
            else if (!withEnds && end == n && runMs >= 0)
                ms = runMs - a.shownAtMs[first];
        }
        if (ms >= 0) {
            for (int i = first; i < end; ++i)
                share[std::size_t(i)] = ms / (end - first);
        }
        first = end;
    }
    for (int size : ImageSizesOf(alphabet_)) {
        forImages(n, perRow, size, [&](int first) {
            double ms = 0;
            for (int i = first; i < first + size; ++i) {
                if (share[std::size_t(i)] < 0)
                    return;
                ms += share[std::size_t(i)];
            }
            TallyCounts& c = counts_[{TallyKind::ShowTime, size, ImageKey(a.given, first, size, alphabet_)}];
            ++c.given;
            c.msSum += ms;
            c.msSquareSum += ms * ms;
        });
    }
}
