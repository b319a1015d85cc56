// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>

// Texts of a picture page's best-time panels ("Bestzeit", "Zeit pro Zeile").

// The best time with two decimals and the user's decimal separator. A refresh
// shows the bare stored value, and "99999" when none is stored; after a finished
// run the time carries its unit, "99999,00s" included.
QString BestTimeText(double bestTime, bool afterRun);

// The time per line of a best time: two decimals and the unit, "0,46s".
QString TimePerLineText(double bestTime, int itemCount, int perLine);
