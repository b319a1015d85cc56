// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <QtGlobal>

// Texts of the training windows' clock panel.

// Elapsed time as "hh:mm:ss", the user's decimal separator and the tenths digit;
// hours run modulo 24, like a time of day (83 456 ms gives "00:01:23,4").
QString ClockText(quint32 elapsedMs);

// A time limit in minutes as "hh:mm:ss" without tenths (5 gives "00:05:00").
QString LimitText(int minutes);

// Seconds with one decimal, as the picture run's clock shows them while running,
// and with two decimals, as it shows the time of a finished run.
QString RunningSecondsText(quint32 elapsedMs);
QString FinalSecondsText(quint32 elapsedMs);

// The literal clock texts of the idle window; they always use a comma.
inline const QString ClockZeroText = QStringLiteral("00:00:00,0");
inline const QString PictureClockZeroText = QStringLiteral("0,0");
inline const QString ClosedClockText = QStringLiteral("0,00");
