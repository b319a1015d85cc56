#include "records/records_table.h"

#include "app/korvanis_error.h"

// Placeholder until the xBase engine layer lands: the table stays closed, so
// lookups find nothing and stores fail as they do on a closed dataset.
class XBaseTable {};

RecordsTable::RecordsTable() = default;
RecordsTable::~RecordsTable() = default;

void RecordsTable::OpenRecordsTable(const QString& programDir) { programDir_ = programDir; }
void RecordsTable::CloseRecordsTable() {}
bool RecordsTable::isOpen() const { return false; }

std::optional<double> RecordsTable::LookupBestTime(int, int, int) { return std::nullopt; }
std::optional<double> RecordsTable::LookupPointsRecord(int, double, double) { return std::nullopt; }

static void throwClosed()
{
    throw KorvanisError(QStringLiteral("DBDaten: Operation bei geschlossener Datenmenge nicht ausführbar"));
}

void RecordsTable::StoreBestTime(int, int, int, double) { throwClosed(); }
void RecordsTable::StorePointsRecord(int, int, double, double, int, double, double) { throwClosed(); }

std::optional<QString> BestTimeKey(int, int, int) { return std::nullopt; }
std::optional<QString> PointsKey(int, double, double) { return std::nullopt; }
