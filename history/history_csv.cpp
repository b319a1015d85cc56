// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/history_csv.h"

#include "core/app_context.h"
#include "core/disciplines.h"

#include <QLocale>
#include <QSaveFile>
#include <functional>

namespace {

// What one column holds of an attempt, with '.' for a decimal point; words in
// the file's language.
using Cell = std::function<QString(const StoredAttempt&, const AppContext&, bool interfaceLanguage)>;

struct CsvColumn {
    const char* name;
    int textId;
    const char* german;
    Cell cell;
    bool decimal = false;
};

QString number(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QString();
}

QString number(const std::optional<double>& value)
{
    return value ? QString::number(*value, 'g', 15) : QString();
}

QString flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString markText(const AppContext& ctx, AttemptMark mark, bool interfaceLanguage)
{
    if (!interfaceLanguage || mark == AttemptMark::Counted)
        return MarkWord(mark);
    return mark == AttemptMark::Deleted ? ctx.InterfaceText(359, QStringLiteral("gelöscht"))
                                        : ctx.InterfaceText(358, QStringLiteral("markiert"));
}

QString disciplineText(const AppContext& ctx, int code, bool interfaceLanguage)
{
    if (interfaceLanguage)
        return DisciplineName(ctx, code);
    const InterfaceTextTable& texts = InterfaceTextTable::builtIn();
    if (const Discipline* known = FindDiscipline(code))
        return texts.lookup(1, known->nameTextId, QString::fromUtf8(known->name));
    return texts.lookup(1, 189, QStringLiteral("Discipline %1")).arg(code);
}

const QList<CsvColumn>& columns()
{
    using S = const StoredAttempt&;
    using C = const AppContext&;
    static const QList<CsvColumn> list = {
        {"id", 350, "Nr.", [](S s, C, bool) { return QString::number(s.id); }},
        {"started_local", 190, "Beginn",
         [](S s, C, bool) { return s.started.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }},
        {"discipline_code", 351, "Disziplin-Code", [](S s, C, bool) { return QString::number(s.attempt.discipline); }},
        {"discipline", 181, "Disziplin",
         [](S s, C ctx, bool local) { return disciplineText(ctx, s.attempt.discipline, local); }},
        {"item_count", 352, "Anzahl", [](S s, C, bool) { return number(s.attempt.setting.count); }},
        {"per_line", 353, "pro Zeile", [](S s, C, bool) { return number(s.attempt.setting.perLine); }},
        {"memo_minutes", 354, "Memorieren (min)", [](S s, C, bool) { return number(s.attempt.setting.memoMinutes); }},
        {"recall_minutes", 355, "Wiedergabe (min)", [](S s, C, bool) { return number(s.attempt.setting.recallMinutes); }},
        {"pulse_ms", 356, "Takt (ms)", [](S s, C, bool) { return number(s.attempt.setting.pulseMs); }},
        {"run_seconds", 191, "Zeit (s)", [](S s, C, bool) { return number(s.attempt.result.runSeconds); }, true},
        {"points", 192, "Punkte", [](S s, C, bool) { return number(s.attempt.result.points); }},
        {"correct_digits", 193, "Korrekte Ziffern", [](S s, C, bool) { return number(s.attempt.result.correctDigits); }},
        {"marked_errors", 194, "Fehler", [](S s, C, bool) { return number(s.attempt.result.markedErrors); }},
        {"memo_seconds_used", 195, "Memorieren (s)", [](S s, C, bool) { return number(s.attempt.result.memoSecondsUsed); },
         true},
        {"recall_seconds_used", 196, "Wiedergabe (s)",
         [](S s, C, bool) { return number(s.attempt.result.recallSecondsUsed); }, true},
        {"completed", 197, "Beendet", [](S s, C, bool) { return flag(s.attempt.completed); }},
        {"saved_as_record", 198, "Rekord gespeichert", [](S s, C, bool) { return flag(s.attempt.savedAsRecord); }},
        {"set_aside", 357, "Nicht gezählt", [](S s, C ctx, bool local) { return markText(ctx, s.mark, local); }},
    };
    return list;
}

} // namespace

CsvFormat CsvFormat::Semicolon(const QLocale& locale)
{
    CsvFormat format;
    format.separator = QLatin1Char(';');
    const QString point = locale.decimalPoint();
    format.decimal = point.size() == 1 ? point.front() : QLatin1Char(',');
    return format;
}

QByteArray CsvText(const QList<QStringList>& rows, QChar separator)
{
    QByteArray text("\xEF\xBB\xBF");
    for (const QStringList& row : rows) {
        QStringList fields;
        for (QString field : row) {
            if (field.contains(separator) || field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\n'))
                || field.contains(QLatin1Char('\r'))) {
                field.replace(QLatin1String("\""), QLatin1String("\"\""));
                field = QLatin1Char('"') + field + QLatin1Char('"');
            }
            fields << field;
        }
        text += fields.join(separator).toUtf8() + "\r\n";
    }
    return text;
}

QStringList CsvColumnNames()
{
    QStringList names;
    for (const CsvColumn& column : columns())
        names << QString::fromLatin1(column.name);
    return names;
}

QList<QStringList> CsvRows(const AppContext& ctx, const std::vector<StoredAttempt>& attempts,
                           const CsvFormat& format)
{
    QList<QStringList> rows;
    QStringList header;
    for (const CsvColumn& column : columns())
        header << (format.interfaceLanguage ? ctx.InterfaceText(column.textId, QString::fromUtf8(column.german))
                                            : QString::fromLatin1(column.name));
    rows << header;
    for (const StoredAttempt& stored : attempts) {
        QStringList row;
        for (const CsvColumn& column : columns()) {
            QString text = column.cell(stored, ctx, format.interfaceLanguage);
            if (column.decimal)
                text.replace(QLatin1Char('.'), format.decimal);
            row << text;
        }
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
