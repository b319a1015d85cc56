// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/points_offer.h"

#include "core/formats.h"

bool PointsOffer::offersRecord(int total) const
{
    if (total <= 0)
        return false;
    switch (answer_) {
    case Answer::NoKey:
        return false;
    case Answer::NoneStored:
        return true;
    case Answer::Stored:
        return points_ < total;
    }
    return false;
}

QString PointsOffer::recordText() const
{
    if (answer_ != Answer::Stored)
        return QStringLiteral("0");
    return FormatFixed(points_, 0);
}
