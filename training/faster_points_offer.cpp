// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/faster_points_offer.h"

#include "core/formats.h"

#include <cmath>

namespace {

qint64 hundredths(double seconds)
{
    return std::llround(seconds * 100);
}

} // namespace

bool FasterPointsOffer::offersRecord(int total, double memoSeconds, bool timeCounts) const
{
    if (points_.offersRecord(total))
        return true;
    const std::optional<double> stored = storedMemoSeconds();
    if (!timeCounts || total <= 0 || !stored || points_.points() != total)
        return false;
    return hundredths(memoSeconds) < hundredths(*stored);
}

QString FasterPointsOffer::recordText(bool withTime) const
{
    const QString points = points_.recordText();
    const std::optional<double> stored = storedMemoSeconds();
    if (!withTime || !stored)
        return points;
    return QStringLiteral("%1 in %2 s").arg(points, FormatFixed(*stored, 2));
}
