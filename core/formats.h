// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>

// Number and date texts shown to the user. The decimal separator follows the
// system's regional settings (the default QLocale); record keys and table numbers
// never come through here, they always use '.'.

QChar DecimalSeparator();

// Fixed notation with the given number of decimals, the user's decimal separator
// and no thousands separator: FormatFixed(45.678, 2) is "45,68" under a comma
// locale.
QString FormatFixed(double value, int decimals);

// The shortest decimal text of a number (at most 15 significant digits), with the
// user's decimal separator: 125 gives "125", 4.5 gives "4,5".
QString FormatShortest(double value);

// Parses a number written with the user's decimal separator, ',' or '.';
// surrounding blanks are ignored. Returns false for anything else.
bool ParseDecimal(const QString& text, double& value);
