// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/points_offer.h"

#include <optional>

// The points record of a discipline in which a result of equal points is the
// better one when it was memorised in less time, where its scoring rule lets
// time count. It judges what the records table answered for the setting: the
// points record and the memorisation time stored with it.
class FasterPointsOffer {
public:
    FasterPointsOffer(PointsOffer points, std::optional<double> storedMemoSeconds)
        : points_(points), storedMemoSeconds_(storedMemoSeconds)
    {
    }

    const PointsOffer& points() const { return points_; }
    // The memorisation time of the stored record; none when nothing is stored.
    std::optional<double> storedMemoSeconds() const
    {
        return points_.answer() == PointsOffer::Answer::Stored ? storedMemoSeconds_ : std::nullopt;
    }

    // A total is offered when it beats the stored points as any points record
    // does, or, where time counts, when it equals them and was memorised in less
    // time. Times are compared to the hundredth the table keeps, so a time the
    // table would store as the one it holds is no improvement.
    bool offersRecord(int total, double memoSeconds, bool timeCounts) const;

    // The record as shown: its points, and with withTime the memorisation time
    // stored with it in seconds ("52 in 83,45 s"); "0" when there is none.
    QString recordText(bool withTime) const;

private:
    PointsOffer points_;
    std::optional<double> storedMemoSeconds_;
};
