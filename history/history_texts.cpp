// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/history_texts.h"

#include "core/app_context.h"
#include "core/disciplines.h"
#include "core/formats.h"
#include "history/history_statistics.h"

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

QString ColumnTitle(const AppContext& ctx, HistoryColumn column, int discipline)
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
    case HistoryColumn::MemoSeconds: {
        // Spoken digits are listened to, not memorised from a sheet: the time
        // before recall is theirs, and the records table does not keep it.
        const Discipline* known = FindDiscipline(discipline);
        if (known && known->presentation == Presentation::Spoken)
            return ctx.InterfaceText(300, QStringLiteral("Zuhören (s)"));
        return ctx.InterfaceText(195, QStringLiteral("Memorieren (s)"));
    }
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
