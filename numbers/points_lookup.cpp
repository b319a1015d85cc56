#include "numbers/points_lookup.h"

#include "records/records_table.h"

PointsOffer LookUpPoints(RecordsTable& table, int code, double memoSeconds, double recallSeconds)
{
    const std::optional<QString> key = PointsKey(code, memoSeconds, recallSeconds);
    if (!key)
        return PointsOffer::noKey();
    return PointsOffer::lookedUp(table.LookupPointsRecord(*key));
}
