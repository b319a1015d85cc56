// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "tests/support/fakes.h"

#include <QByteArray>
#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <vector>

// Tables written byte by byte, independently of the engine under test, so tests can
// hand it old layouts and damaged files.
struct DbfField {
    QByteArray name;
    char type;
    int width;
    int decimals = 0;
};

// The nine fields of the records table, in their order.
std::vector<DbfField> RecordsLayout();
// The records layout without REPLAYZEIT, as tables of the old layout have it.
std::vector<DbfField> OldRecordsLayout();

// A dBase III file with these fields and records; each record lists the raw text of
// every field, padded with blanks on the left to the field's width.
QByteArray DbfImage(const std::vector<DbfField>& fields, const std::vector<QStringList>& records, QDate updated = QDate(2024, 1, 2));

// Field offsets and the header length of an image, for tests that damage one spot.
int DbfHeaderLength(const QByteArray& image);
int DbfRecordLength(const QByteArray& image);
quint32 DbfRecordCount(const QByteArray& image);
void SetDbfRecordCount(QByteArray& image, quint32 count);

// Runs a script with Debian's /usr/bin/python3 (the first python3 on PATH may be
// another interpreter without the dbf modules). Returns its standard output; `ok`
// tells whether it ran and exited with 0.
QString RunPython(const QString& script, const QStringList& arguments, bool* ok, QString* errors = nullptr);

// The table as dbfread sees it: "version", "updated", "fields" and "records" (each
// record an object by field name). Empty when dbfread cannot read it.
QJsonObject ReadWithDbfread(const QString& fileName);
bool HavePython(const char* module);

// An index as Perl's XBase::Index (Debian libdbd-xbase-perl) reads it, walking
// the file as Clipper-compatible tools do: every key with its record number, in
// index order. Empty with `error` set when the module refuses the file.
struct NtxEntry {
    int recNo = 0;
    QByteArray key;
    bool operator==(const NtxEntry&) const = default;
};
QList<NtxEntry> ReadWithXBaseIndex(const QString& fileName, QString* error = nullptr);
bool HaveXBaseIndex();

// What an index over the table should list, computed from the table as dbfread
// reads it: for each record the key expression's STR() terms (width and decimals
// per field; a blank field counts as 0), sorted by key, then record number.
struct StrTerm {
    const char* field;
    int width;
    int decimals = 0;
};
QList<NtxEntry> ExpectedEntries(const QString& tableFile, const std::vector<StrTerm>& terms);
QList<NtxEntry> ExpectedEntries(const QJsonArray& records, const std::vector<StrTerm>& terms);

// Checks an index file against the NTX layout on its own: the header page, pages
// of 1024 bytes, every page within its limits, keys in order, every leaf at the
// same depth. Returns what is wrong, or nothing; `entries` gets what it lists.
QString CheckNtxLayout(const QByteArray& file, const QByteArray& expression, int keyLength,
                       QList<NtxEntry>* entries = nullptr);

// Whether KORVANIS.NTX and KORVANI2.NTX in `folder` list exactly what KORVANIS.DBF
// holds, as XBase::Index reads them and as CheckNtxLayout walks them; with
// `markedWillDo` an index marked out of date, which every reader refuses, passes
// too. Returns what is wrong, or nothing.
QString CheckBothIndexes(const QString& folder, bool markedWillDo = false);
