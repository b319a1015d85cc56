// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt.h"

#include <optional>

// One ended attempt of a training window, as the training history keeps it. The
// window tells what was set and what came out; the wall-clock time is the log's
// business, so a window never reads the date.
//
// A field a discipline does not have stays empty: a picture run has no points, a
// memorisation attempt no run time, and the history stores them as nothing rather
// than as a misleading zero.
struct AttemptRecord {
    // The discipline's code (a DisciplineCode); kept as a plain number, as a
    // history written by a later version may hold codes this one does not know.
    int discipline = 0;

    struct Setting {
        std::optional<int> count;          // digits or cards of the attempt
        std::optional<int> perLine;        // picture runs: items shown at once
        std::optional<int> memoMinutes;    // the memorisation limit
        std::optional<int> recallMinutes;  // the recall limit
        std::optional<int> pulseMs;        // spoken numbers: one digit every pulse
        bool operator==(const Setting&) const = default;
    } setting;

    struct Result {
        std::optional<double> runSeconds;         // picture runs: the time of the run
        std::optional<int> points;                // scored attempts
        std::optional<int> correctDigits;
        std::optional<int> markedErrors;
        std::optional<double> memoSecondsUsed;
        std::optional<double> recallSecondsUsed;
        bool operator==(const Result&) const = default;
    } result;

    // False for a run the user broke off before its end.
    bool completed = true;
    // True when the user answered yes to the record question and the records
    // table took the record.
    bool savedAsRecord = false;

    // The material, the answers and the item times, for whatever looks at the
    // attempt later; empty where the window had none to tell.
    Attempt items;
    // The items of one row of the sheet the answers were typed on, by which a
    // position is told as a column and a row; 0 where there was no sheet.
    int itemsPerRow = 0;

    bool operator==(const AttemptRecord&) const = default;

    // The time the attempt took from its start to its end, from which the log
    // dates its start.
    double secondsUsed() const
    {
        if (result.runSeconds)
            return *result.runSeconds;
        return result.memoSecondsUsed.value_or(0) + result.recallSecondsUsed.value_or(0);
    }
};

// Where the training windows report each attempt when it ends. record() never
// throws and never blocks the window for long: a history that cannot be written
// reports that itself, and the training goes on.
class AttemptLog {
public:
    virtual ~AttemptLog() = default;
    virtual void record(const AttemptRecord& attempt) = 0;
};
