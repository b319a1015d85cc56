#include "history/history_table.h"

#include "core/app_context.h"
#include "core/formats.h"

#include <QSaveFile>
#include <algorithm>

bool IsTimedRun(int discipline)
{
    return discipline < 10;
}

std::optional<double> ResultOf(const AttemptRecord& attempt)
{
    if (!attempt.completed)
        return std::nullopt;
    if (IsTimedRun(attempt.discipline))
        return attempt.result.runSeconds;
    if (attempt.result.points)
        return double(*attempt.result.points);
    return std::nullopt;
}

QList<int> KnownDisciplines()
{
    return {0, 10, 1, 11, 2, 13};
}

QString DisciplineName(const AppContext& ctx, int discipline)
{
    switch (discipline) {
    case 0:
        return ctx.InterfaceText(183, QStringLiteral("Zahlen – Bildertraining"));
    case 1:
        return ctx.InterfaceText(184, QStringLiteral("Binärzahlen – Bildertraining"));
    case 2:
        return ctx.InterfaceText(185, QStringLiteral("Spielkarten"));
    case 10:
        return ctx.InterfaceText(186, QStringLiteral("Zahlen – Memorieren"));
    case 11:
        return ctx.InterfaceText(187, QStringLiteral("Binärzahlen – Memorieren"));
    case 13:
        return ctx.InterfaceText(188, QStringLiteral("Gesprochene Zahlen"));
    default:
        return ctx.InterfaceText(189, QStringLiteral("Disziplin %1")).arg(discipline);
    }
}

QString SettingText(const AppContext& ctx, const AttemptRecord::Setting& setting)
{
    QStringList parts;
    const auto add = [&](const std::optional<int>& value, int id, const char* german) {
        if (value)
            parts << ctx.InterfaceText(id, QString::fromUtf8(german)).arg(*value);
    };
    add(setting.count, 211, "Anzahl %1");
    add(setting.perLine, 212, "%1 pro Zeile");
    add(setting.memoMinutes, 213, "Memorieren %1 min");
    add(setting.recallMinutes, 214, "Wiedergabe %1 min");
    add(setting.pulseMs, 222, "Takt %1 ms");
    return parts.join(QStringLiteral(", "));
}

QList<HistoryColumn> ColumnsOf(int discipline)
{
    using C = HistoryColumn;
    // A scored attempt always ends in its scoring; only a run can be broken off.
    if (IsTimedRun(discipline))
        return {C::Started, C::RunSeconds, C::Completed, C::Saved};
    return {C::Started, C::Points, C::CorrectDigits, C::MarkedErrors, C::MemoSeconds, C::RecallSeconds, C::Saved};
}

QString ColumnTitle(const AppContext& ctx, HistoryColumn column)
{
    switch (column) {
    case HistoryColumn::Discipline:
        return ctx.InterfaceText(181, QStringLiteral("Disziplin"));
    case HistoryColumn::Setting:
        return ctx.InterfaceText(182, QStringLiteral("Einstellung"));
    case HistoryColumn::Started:
        return ctx.InterfaceText(190, QStringLiteral("Beginn"));
    case HistoryColumn::RunSeconds:
        return ctx.InterfaceText(191, QStringLiteral("Zeit (s)"));
    case HistoryColumn::Points:
        return ctx.InterfaceText(192, QStringLiteral("Punkte"));
    case HistoryColumn::CorrectDigits:
        return ctx.InterfaceText(193, QStringLiteral("Korrekte Ziffern"));
    case HistoryColumn::MarkedErrors:
        return ctx.InterfaceText(194, QStringLiteral("Fehler"));
    case HistoryColumn::MemoSeconds:
        return ctx.InterfaceText(195, QStringLiteral("Memorieren (s)"));
    case HistoryColumn::RecallSeconds:
        return ctx.InterfaceText(196, QStringLiteral("Wiedergabe (s)"));
    case HistoryColumn::Completed:
        return ctx.InterfaceText(197, QStringLiteral("Beendet"));
    case HistoryColumn::Saved:
        return ctx.InterfaceText(198, QStringLiteral("Rekord gespeichert"));
    }
    return QString();
}

namespace {

QString secondsText(const std::optional<double>& seconds, CellStyle style)
{
    if (!seconds)
        return QString();
    return style == CellStyle::Screen ? FormatFixed(*seconds, 2) : QString::number(*seconds, 'g', 15);
}

QString countText(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QString();
}

} // namespace

QString CellText(const AppContext& ctx, const StoredAttempt& stored, HistoryColumn column, CellStyle style)
{
    const AttemptRecord& a = stored.attempt;
    const QString yes = ctx.InterfaceText(199, QStringLiteral("ja"));
    switch (column) {
    case HistoryColumn::Discipline:
        return DisciplineName(ctx, a.discipline);
    case HistoryColumn::Setting:
        return SettingText(ctx, a.setting);
    case HistoryColumn::Started:
        return style == CellStyle::Screen ? stored.started.toString(QStringLiteral("dd.MM.yy hh:mm"))
                                          : stored.started.toString(Qt::ISODate);
    case HistoryColumn::RunSeconds:
        return secondsText(a.result.runSeconds, style);
    case HistoryColumn::Points:
        return countText(a.result.points);
    case HistoryColumn::CorrectDigits:
        return countText(a.result.correctDigits);
    case HistoryColumn::MarkedErrors:
        return countText(a.result.markedErrors);
    case HistoryColumn::MemoSeconds:
        return secondsText(a.result.memoSecondsUsed, style);
    case HistoryColumn::RecallSeconds:
        return secondsText(a.result.recallSecondsUsed, style);
    case HistoryColumn::Completed:
        return a.completed ? yes : ctx.InterfaceText(201, QStringLiteral("abgebrochen"));
    case HistoryColumn::Saved:
        return a.savedAsRecord ? yes : ctx.InterfaceText(200, QStringLiteral("nein"));
    }
    return QString();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(middle), values.end());
    const double upper = values[middle];
    if (values.size() % 2)
        return upper;
    const double lower = *std::max_element(values.begin(), values.begin() + std::ptrdiff_t(middle));
    return (lower + upper) / 2;
}

HistoryStatistics ComputeStatistics(const std::vector<StoredAttempt>& newestFirst)
{
    HistoryStatistics stats;
    stats.attempts = int(newestFirst.size());
    std::vector<double> results;
    for (const StoredAttempt& stored : newestFirst) {
        if (const std::optional<double> result = ResultOf(stored.attempt))
            results.push_back(*result);
    }
    if (results.empty())
        return stats;
    const bool timed = IsTimedRun(newestFirst.front().attempt.discipline);
    stats.best = timed ? *std::min_element(results.begin(), results.end())
                       : *std::max_element(results.begin(), results.end());
    const auto last = results.begin() + std::ptrdiff_t(std::min<std::size_t>(10, results.size()));
    stats.medianOfLastTen = Median({results.begin(), last});
    if (results.size() > 10) {
        const auto before = results.begin() + std::ptrdiff_t(std::min<std::size_t>(20, results.size()));
        stats.change = *stats.medianOfLastTen - Median({last, before});
    }
    return stats;
}

QByteArray CsvText(const QList<QStringList>& rows)
{
    QByteArray text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (QString field : row) {
            if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))
                || field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
                field.replace(QLatin1String("\""), QLatin1String("\"\""));
                field = QLatin1Char('"') + field + QLatin1Char('"');
            }
            fields << field;
        }
        text += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
    }
    return text;
}

QList<QStringList> CsvRows(const AppContext& ctx, const std::vector<StoredAttempt>& newestFirst)
{
    QList<QStringList> rows;
    if (newestFirst.empty())
        return rows;
    // Each row names its discipline and setting, so the file stands on its own
    // when it is opened beside others.
    QList<HistoryColumn> columns = {HistoryColumn::Discipline, HistoryColumn::Setting};
    columns += ColumnsOf(newestFirst.front().attempt.discipline);
    QStringList header;
    for (HistoryColumn column : columns)
        header << ColumnTitle(ctx, column);
    rows << header;
    for (const StoredAttempt& stored : newestFirst) {
        QStringList row;
        for (HistoryColumn column : columns)
            row << CellText(ctx, stored, column, CellStyle::File);
        rows << row;
    }
    return rows;
}

bool SaveCsv(const QString& fileName, const QByteArray& text, QString* error)
{
    // Unbuffered, so a full disk fails the write itself: a buffered QSaveFile
    // would report success and then publish an empty file.
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(text) == text.size() && file.flush()
        && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    return false;
}
