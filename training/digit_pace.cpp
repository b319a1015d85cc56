// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/digit_pace.h"

std::optional<double> DigitsPerMinute(int correctDigits, quint32 memoMs)
{
    // Under a tenth of a second is no memorisation, only a START pressed twice.
    if (memoMs < 100 || correctDigits < 0)
        return std::nullopt;
    return correctDigits * 60000.0 / memoMs;
}
