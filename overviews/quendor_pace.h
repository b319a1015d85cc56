// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The overview's computations on best times, paces and projections, on the
// texts its edits and panels show. Paces and projections are kept in hundredths,
// as shown, so what is compared is exactly what the user reads.

// What a best-time edit takes from the keyboard: the digits and Backspace.
bool BestTimeCharAccepted(QChar ch);

// A best-time edit's text as a whole number; empty for an empty edit or a text
// that is not one.
std::optional<qint64> BestTimeValue(const QString& text);

// The text a pace panel shows for a best time: "-" for a level without amount
// or without a time, else best time / amount x units per pace with two
// decimals. Empty when the time cannot be read: the panel keeps its text.
std::optional<QString> PaceText(const QString& bestTime, int amount, int unitsPerPace);

// The mean best time over the filled levels and the mean number of filled levels
// per discipline ("37,50 0,29"); empty when no level is filled. A text that is
// not a whole number counts as filled but adds nothing to the sum.
std::optional<QString> CaptionSummary(const QStringList& bestTimes, int disciplines);

// A pace panel's text in hundredths; empty for "-" or anything else that is no
// number.
std::optional<qint64> PaceCents(const QString& paceText);

// How a projection compares with the level's best time.
enum class ProjectionMark { Keep, Faster, Equal, Slower };

struct Projection {
    QString text;          // empty for a level without amount
    ProjectionMark mark;   // Keep: the level has no best time to compare with
};

// The time a level would take at a pace: amount / units per pace x pace, with
// two decimals, compared with the level's best time.
Projection ProjectLevel(qint64 paceCents, int amount, int unitsPerPace, const QString& bestTime);

// Hundredths as shown: two decimals and the user's decimal separator.
QString CentsText(qint64 cents);
