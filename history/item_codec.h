// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt.h"

#include <QByteArray>
#include <QVariant>
#include <optional>

// How an attempt's items lie in the history file, compact enough that an attempt
// of 20000 digits takes a few dozen kilobytes and plain enough that other tools
// read its material.
//
// Material and answers of digits are text, one character an item and a blank
// where no answer was given, so sqlite3 shows them as the sheet did; cards (and
// anything else) are a blob of one byte an item, the face index, 0 for none.
//
// The three lists of times are one blob: a format byte, then for each list its
// length and its values as differences from the value before, zigzag-coded in
// base-128 groups. Times of one line or one key after another differ by little,
// so most take one or two bytes. A long attempt's blob is deflated as well; a
// short one is not, as unpacking 200000 small ones is what the analysis waits for.
class ItemCodec {
public:
    static QVariant symbols(const QByteArray& items);
    static QByteArray symbolsFrom(const QVariant& stored);

    static QByteArray times(const Attempt& attempt);
    // False when the blob is not one this program wrote; the lists are left empty.
    static bool readTimes(const QByteArray& blob, Attempt& attempt);

    // Above this many bytes the times are deflated.
    static constexpr int DeflateFrom = 2048;
};
