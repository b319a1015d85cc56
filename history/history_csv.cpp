#include "history/history_csv.h"

#include "history/history_texts.h"

#include <QSaveFile>

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
    const int discipline = newestFirst.front().attempt.discipline;
    QList<HistoryColumn> columns = {HistoryColumn::Discipline, HistoryColumn::Setting};
    columns += ColumnsOf(discipline);
    QStringList header;
    for (HistoryColumn column : columns)
        header << ColumnTitle(ctx, column, discipline);
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
