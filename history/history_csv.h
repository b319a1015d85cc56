// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/history_store.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class AppContext;
class QLocale;

// How an exported file is laid out. Comma-separated with "." is what programs
// read; a spreadsheet under regional settings with a decimal comma splits
// fields at semicolons and reads "50,5" as a number, so that is the other choice.
struct CsvFormat {
    QChar separator = QLatin1Char(',');
    QChar decimal = QLatin1Char('.');
    // The header row in the user's language instead of the fixed English names,
    // and the discipline and mark words with it.
    bool interfaceLanguage = false;

    static CsvFormat Comma() { return {}; }
    static CsvFormat Semicolon(const QLocale& locale);
};

// RFC 4180 with the format's separator: fields quoted where they hold a
// separator, a quote or a line break, lines ending in CR LF, UTF-8 behind a
// byte-order mark (without it spreadsheets read the umlauts as another code page).
QByteArray CsvText(const QList<QStringList>& rows, QChar separator = QLatin1Char(','));

// The fixed names of the columns, the same as the history file's readable view.
QStringList CsvColumnNames();
// The attempts as a table with a header row, one column per setting value and
// result, in the order given. Starts are the local time of that moment, as
// "yyyy-MM-dd HH:mm:ss", which every spreadsheet takes as a date and time.
QList<QStringList> CsvRows(const AppContext& ctx, const std::vector<StoredAttempt>& attempts,
                           const CsvFormat& format);

// Writes the file whole or not at all: a full disk or a folder that may not be
// written leaves any earlier file of that name as it was. False with the reason.
bool SaveCsv(const QString& fileName, const QByteArray& text, QString* error);
