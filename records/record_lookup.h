// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"

#include <optional>

class RecordsTable;
struct Discipline;

// What the records table holds for the record of one setting of a discipline.
struct RecordLookup {
    // False when the setting's values do not fit a key: such a setting is never
    // looked up, and never stored under a key cut short.
    bool keyFits = false;
    // The best time of a picture run, or the points of a scored attempt.
    std::optional<double> stored;
    // With a stored points record, the memorisation time stored with it.
    std::optional<double> storedMemoSeconds;
};

// Looks the record of a setting up by the key its discipline forms: count and
// items per line for a picture run, the two times of the points key for a
// scored attempt.
RecordLookup LookupRecordOf(RecordsTable& table, const Discipline& discipline, const AttemptRecord::Setting& setting);

// Stores an attempt's result as the record of its setting. Raises KorvanisError
// as the table's stores do; a setting without a key is refused the same way.
void StoreRecordOf(RecordsTable& table, const Discipline& discipline, const AttemptRecord& attempt);
