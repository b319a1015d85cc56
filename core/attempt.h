// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QByteArray>
#include <QVector>
#include <QtGlobal>

// The material of one attempt and what the user answered, item by item, as
// data. The sheets, panels and card places show it; none of them is its home,
// so whatever comes after the attempt (scoring, the history) reads it here.
struct Attempt {
    // The items in the order they were given: a digit as its character ('0' to
    // '9'), a card as its face index (1 to 52).
    QByteArray given;
    // The user's answer for each item, in the same code, 0 where none was given;
    // empty for an attempt without recall.
    QByteArray answers;
    // Per item the milliseconds from the start of the attempt at which it first
    // came on show; -1 where that is not known.
    QVector<qint32> shownAtMs;
    // Per item the milliseconds from the start of the attempt at which it was
    // last on show: when it last went off the screen, or the end of memorising
    // for what was on show then; -1 where that is not known. Empty where the
    // material is not looked through item by item.
    QVector<qint32> lastShownAtMs;
    // Per item the milliseconds from the start of recall of the last key that set
    // or cleared its answer; -1 where no key did.
    QVector<qint32> answeredAtMs;

    int size() const { return int(given.size()); }
    bool operator==(const Attempt&) const = default;
};
