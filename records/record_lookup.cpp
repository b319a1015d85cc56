// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "records/record_lookup.h"

#include "core/disciplines.h"
#include "core/korvanis_error.h"
#include "records/records_table.h"

namespace {

[[noreturn]] void ThrowNoKey()
{
    throw KorvanisError(QStringLiteral("DBDaten: Die Einstellung passt in keinen Schlüssel; der Rekord wurde nicht "
                                       "gespeichert."));
}

} // namespace

RecordLookup LookupRecordOf(RecordsTable& table, const Discipline& discipline, const AttemptRecord::Setting& setting)
{
    RecordLookup found;
    if (discipline.isPictureRun()) {
        if (!setting.count || !setting.perLine || !BestTimeKey(discipline.code, *setting.count, *setting.perLine))
            return found;
        found.keyFits = true;
        found.stored = table.LookupBestTime(discipline.code, *setting.count, *setting.perLine);
        return found;
    }
    const std::optional<PointsKeyTimes> times = discipline.pointsKeyTimes(setting);
    const std::optional<QString> key = times ? PointsKey(discipline.code, times->first, times->recall) : std::nullopt;
    if (!key)
        return found;
    found.keyFits = true;
    if (const std::optional<RecordsTable::PointsEntry> entry = table.LookupPointsEntry(*key)) {
        found.stored = entry->points;
        found.storedMemoSeconds = entry->memoTimeUsed;
    }
    return found;
}

void StoreRecordOf(RecordsTable& table, const Discipline& discipline, const AttemptRecord& attempt)
{
    const AttemptRecord::Setting& s = attempt.setting;
    const AttemptRecord::Result& r = attempt.result;
    if (discipline.isPictureRun()) {
        if (!s.count || !s.perLine || !r.runSeconds)
            ThrowNoKey();
        table.StoreBestTime(discipline.code, *s.count, *s.perLine, *r.runSeconds);
        return;
    }
    const std::optional<PointsKeyTimes> times = discipline.pointsKeyTimes(s);
    if (!times || !s.count || !r.points)
        ThrowNoKey();
    // The records table keeps only the user's own memorisation time; listening
    // to spoken digits is not.
    const double memoUsed = discipline.memoTimeIsUsers() ? r.memoSecondsUsed.value_or(0) : 0;
    table.StorePointsRecord(discipline.code, *s.count, times->first, times->recall, *r.points, memoUsed,
                            r.recallSecondsUsed.value_or(0));
}
