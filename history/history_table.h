#pragma once

#include "history/history_store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class AppContext;

// What the history shows of its attempts: the names of disciplines and settings,
// the columns of a discipline, the texts of their cells, the statistics and the
// CSV export. Everything here is judged without a screen.

// Timed runs (codes below 10) are better the faster they are; scored attempts the
// more points they have.
bool IsTimedRun(int discipline);
// The result that the plot and the statistics follow: the seconds of a completed
// run, or the points of a scored attempt. Nothing for a broken-off run.
std::optional<double> ResultOf(const AttemptRecord& attempt);

// The disciplines the history window offers, in menu order.
QList<int> KnownDisciplines();
QString DisciplineName(const AppContext& ctx, int discipline);
QString SettingText(const AppContext& ctx, const AttemptRecord::Setting& setting);

enum class HistoryColumn {
    Discipline,
    Setting,
    Started,
    RunSeconds,
    Points,
    CorrectDigits,
    MarkedErrors,
    MemoSeconds,
    RecallSeconds,
    Completed,
    Saved,
};

// The columns a discipline's table shows.
QList<HistoryColumn> ColumnsOf(int discipline);
QString ColumnTitle(const AppContext& ctx, HistoryColumn column);

// On screen numbers carry the user's decimal separator and dates the program's
// format; in a file they carry '.' and ISO 8601, so other programs read them.
enum class CellStyle { Screen, File };
QString CellText(const AppContext& ctx, const StoredAttempt& stored, HistoryColumn column, CellStyle style);

struct HistoryStatistics {
    int attempts = 0;
    std::optional<double> best;
    std::optional<double> medianOfLastTen;
    // The median of the last ten less the median of the (up to) ten before them.
    std::optional<double> change;
};
// Over attempts given newest first; only results count for best, median and change.
HistoryStatistics ComputeStatistics(const std::vector<StoredAttempt>& newestFirst);
double Median(std::vector<double> values);

// RFC 4180: fields quoted where they hold a separator, a quote or a line break,
// lines ending in CR LF, UTF-8 without a byte-order mark.
QByteArray CsvText(const QList<QStringList>& rows);
// The attempts of one setting as a table with a header row, as the CSV holds it.
QList<QStringList> CsvRows(const AppContext& ctx, const std::vector<StoredAttempt>& newestFirst);

// Writes the file whole or not at all: a full disk or a folder that may not be
// written leaves any earlier file of that name as it was. False with the reason.
bool SaveCsv(const QString& fileName, const QByteArray& text, QString* error);
