#pragma once

#include "history/history_store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class AppContext;

// RFC 4180: fields quoted where they hold a separator, a quote or a line break,
// lines ending in CR LF, UTF-8 without a byte-order mark.
QByteArray CsvText(const QList<QStringList>& rows);
// The attempts of one setting as a table with a header row, as the CSV holds it.
QList<QStringList> CsvRows(const AppContext& ctx, const std::vector<StoredAttempt>& newestFirst);

// Writes the file whole or not at all: a full disk or a folder that may not be
// written leaves any earlier file of that name as it was. False with the reason.
bool SaveCsv(const QString& fileName, const QByteArray& text, QString* error);
