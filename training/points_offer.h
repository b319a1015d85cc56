// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// What the records table holds for the points record of one pair of times, and
// what follows from it: the record shown beside the settings and whether a
// total is offered for saving. The window builds the key and asks the table
// once; this only judges the answer, so it needs no table.
class PointsOffer {
public:
    enum class Answer : quint8 {
        NoKey,       // the times do not fit a key: never looked up, never offered
        NoneStored,  // the key has no record yet
        Stored,      // the key's record holds points()
    };

    static PointsOffer noKey() { return PointsOffer(Answer::NoKey, 0); }
    // What a lookup found: nothing looked up when the key did not fit.
    static PointsOffer from(bool keyFits, std::optional<double> stored)
    {
        return keyFits ? lookedUp(stored) : noKey();
    }
    // The lookup's answer for an existing key.
    static PointsOffer lookedUp(std::optional<double> stored)
    {
        return stored ? PointsOffer(Answer::Stored, *stored) : PointsOffer(Answer::NoneStored, 0);
    }

    Answer answer() const { return answer_; }
    // The stored points; 0 unless answer() is Stored.
    double points() const { return points_; }

    // A total is offered when it is above 0 and beats the stored points, or
    // nothing is stored yet. Times without a key are never offered, rather than
    // stored under a key cut short.
    bool offersRecord(int total) const;

    // The points record as shown: the stored points without decimals, "0" when
    // there is none.
    QString recordText() const;

private:
    PointsOffer(Answer answer, double points) : answer_(answer), points_(points) {}

    Answer answer_;
    double points_;
};
