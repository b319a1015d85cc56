// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"

#include <QtGlobal>
#include <map>
#include <vector>

// What the analysis of a history counts, kept in the file under these numbers.
enum class TallyKind : int {
    Column = 1,     // key: the column of the sheet, from 0
    Row = 2,        // key: the row of the sheet, from 0
    Image = 3,      // key: the image (ImageKey); given and wrong
    Confusion = 4,  // key: ConfusionKey of given and written image; wrong counts
    ShowTime = 5,   // key: the image; given counts showings, with their sum and square sum
};

// The counts of one thing over some attempts.
struct TallyCounts {
    qint64 given = 0;
    qint64 wrong = 0;
    double msSum = 0;
    double msSquareSum = 0;
    bool operator==(const TallyCounts&) const = default;
};

// Where a count belongs: kind, image size (0 for positions) and key.
struct TallyPlace {
    TallyKind kind;
    int size;
    qint64 key;
    auto operator<=>(const TallyPlace&) const = default;
};

// The images an attempt's material is read in: decimal digits in pairs (00-99)
// and triples (000-999), binary digits in triples, cards one at a time and in
// pairs. An image never reaches across a row of the sheet.
std::vector<int> ImageSizesOf(int alphabetSize);
// How many different images of a size there are: the base of a confusion key.
qint64 ImageCount(int alphabetSize, int size);
// The image of items from `first` on: digits as the number they spell (binary
// ones in base 2), cards as (first - 1) * 52 + (second - 1) for pairs and the
// face index for single cards.
qint64 ImageKey(const QByteArray& items, int first, int size, int alphabetSize);
inline qint64 ConfusionKey(qint64 given, qint64 written, qint64 imageCount) { return given * imageCount + written; }

// The counts of attempts of one discipline, as they are added to the history:
//  - positions and images count only up to the last answer the user gave, as what
//    lies beyond was never reached; an item without an answer before that counts
//    as wrong;
//  - an image is wrong when any of its items is; it is a confusion with what was
//    written instead when every item was answered;
//  - each image shown item by item counts the time its items were on show: a
//    group of items that came on show together shares its time evenly, and the
//    time of a group is from its showing to the next group's (or, where known,
//    to its own last showing; the last group of a run ends with the run).
class ItemTally {
public:
    explicit ItemTally(int alphabetSize) : alphabet_(alphabetSize) {}

    void add(const AttemptRecord& attempt);
    const std::map<TallyPlace, TallyCounts>& counts() const { return counts_; }
    bool empty() const { return counts_.empty(); }
    void clear() { counts_.clear(); }

private:
    void addAnswers(const Attempt& a, int perRow);
    void addTimes(const Attempt& a, int perRow, double runMs);
    // The images of one size that lie whole in [0, end), row by row.
    template <typename F> void forImages(int end, int perRow, int size, F&& f) const;

    int alphabet_;
    std::map<TallyPlace, TallyCounts> counts_;
};
