// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QtGlobal>
#include <optional>

// How fast a sheet was memorised: the digits recalled right per minute of the
// memorisation time used. None when no time was used on a sheet (heard digits
// set their own pace) or when the time is too short to say anything.
std::optional<double> DigitsPerMinute(int correctDigits, quint32 memoMs);
