// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <QVariant>

// Whether an attempt counts. The user sets aside an attempt that says nothing of
// the training (a phone call, a wrong key at the start): a marked one stays in
// the table, greyed, and leaves the statistics and the plot; a deleted one is
// hidden as well, unless the table is asked to show deleted attempts. Neither is
// ever removed from the file, so a stray key loses nothing and every change can
// be taken back.
enum class AttemptMark { Counted, Marked, Deleted };

// The file holds the mark as a word, so that it reads without this program: no
// value for an attempt that counts, "marked" or "deleted".
QVariant MarkValue(AttemptMark mark);
// A value this program does not know counts as marked: the attempt stays visible
// and out of the statistics, as whoever set the value meant it not to count.
AttemptMark MarkOf(const QVariant& value);
QString MarkWord(AttemptMark mark);
