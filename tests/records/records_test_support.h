#pragma once

#include "tests/support/fakes.h"

#include <QByteArray>
#include <QDate>
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
