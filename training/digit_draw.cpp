// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/digit_draw.h"

#include "core/services.h"

QByteArray DrawDigits(int count, int alphabetSize, Random& random)
{
    QByteArray digits(qMax(count, 0), Qt::Uninitialized);
    for (char& digit : digits)
        digit = char('0' + random.next(alphabetSize));
    return digits;
}
