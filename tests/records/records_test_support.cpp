// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "tests/records/records_test_support.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtEndian>
#include <algorithm>

std::vector<DbfField> RecordsLayout()
{
    return {{"DISZIPLIN", 'N', 3},    {"ANZAHL", 'N', 5},       {"PUNKTE", 'N', 7, 1},
            {"ZEILE", 'N', 3},        {"ZEIT", 'N', 8, 2},      {"REPLAYZEIT", 'N', 8, 2},
            {"ZEIT_NUTZ", 'N', 8, 2}, {"REPL_NUTZ", 'N', 8, 2}, {"DATUM", 'D', 8}};
}

std::vector<DbfField> OldRecordsLayout()
{
    std::vector<DbfField> fields = RecordsLayout();
    fields.erase(fields.begin() + 5);
    return fields;
}

QByteArray DbfImage(const std::vector<DbfField>& fields, const std::vector<QStringList>& records, QDate updated)
{
    int recordLength = 1;
    for (const DbfField& field : fields)
        recordLength += field.width;
    const int headerLength = 32 + 32 * static_cast<int>(fields.size()) + 1;

    QByteArray image(32, '\0');
    image[0] = 0x03;
    image[1] = static_cast<char>(updated.year() - 1900);
    image[2] = static_cast<char>(updated.month());
    image[3] = static_cast<char>(updated.day());
    image[8] = static_cast<char>(headerLength & 0xFF);
    image[9] = static_cast<char>(headerLength >> 8);
    image[10] = static_cast<char>(recordLength & 0xFF);
    image[11] = static_cast<char>(recordLength >> 8);
    SetDbfRecordCount(image, static_cast<quint32>(records.size()));
    for (const DbfField& field : fields) {
        QByteArray descriptor(32, '\0');
        descriptor.replace(0, field.name.size(), field.name);
        descriptor[11] = field.type;
        descriptor[16] = static_cast<char>(field.width);
        descriptor[17] = static_cast<char>(field.decimals);
        image += descriptor;
    }
    image += '\x0D';
    for (const QStringList& record : records) {
        image += ' ';
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const QString text = static_cast<qsizetype>(i) < record.size() ? record[static_cast<qsizetype>(i)] : QString();
            image += text.toLatin1().rightJustified(fields[i].width, ' ', true);
        }
    }
    image += '\x1A';
    return image;
}

int DbfHeaderLength(const QByteArray& image)
{
    return static_cast<unsigned char>(image[8]) | static_cast<unsigned char>(image[9]) << 8;
}

int DbfRecordLength(const QByteArray& image)
{
    return static_cast<unsigned char>(image[10]) | static_cast<unsigned char>(image[11]) << 8;
}

quint32 DbfRecordCount(const QByteArray& image)
{
    quint32 count = 0;
    for (int i = 3; i >= 0; --i)
        count = count << 8 | static_cast<unsigned char>(image[4 + i]);
    return count;
}

void SetDbfRecordCount(QByteArray& image, quint32 count)
{
    for (int i = 0; i < 4; ++i)
        image[4 + i] = static_cast<char>(count >> (8 * i) & 0xFF);
}

QString RunPython(const QString& script, const QStringList& arguments, bool* ok, QString* errors)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + arguments);
    const bool finished = python.waitForFinished(60000);
    *ok = finished && python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
    if (errors)
        *errors = QString::fromUtf8(python.readAllStandardError());
    return QString::fromUtf8(python.readAllStandardOutput());
}

namespace {

const char* kReadTable = R"(
import dbfread, json, sys
table = dbfread.DBF(sys.argv[1], load=True)
print(json.dumps({
    'version': table.header.dbversion,
    'updated': str(table.date),
    'fields': [[f.name, f.type, f.length, f.decimal_count] for f in table.fields],
    'records': [dict(r) for r in table.records],
}, default=str))
)";

} // namespace

QJsonObject ReadWithDbfread(const QString& fileName)
{
    bool ok = false;
    QString errors;
    const QString out = RunPython(QString::fromLatin1(kReadTable), {fileName}, &ok, &errors);
    if (!ok)
        qWarning("dbfread: %s", qPrintable(errors));
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

bool HavePython(const char* module)
{
    bool ok = false;
    RunPython(QStringLiteral("import %1").arg(QLatin1String(module)), {}, &ok);
    return ok;
}

namespace {

const char* kReadIndex = R"(
use strict;
use XBase::Index;
my $index = XBase::Index->new($ARGV[0], type => 'C')
    or do { print STDERR XBase::Index->errstr; exit 3; };
$index->prepare_select;
while (my ($key, $recno) = $index->fetch) { print "$recno\t$key\n"; }
)";

QString RunPerl(const QString& script, const QStringList& arguments, bool* ok, QString* errors)
{
    QProcess perl;
    perl.start(QStringLiteral("/usr/bin/perl"), QStringList{QStringLiteral("-e"), script} + arguments);
    const bool finished = perl.waitForFinished(60000);
    *ok = finished && perl.exitStatus() == QProcess::NormalExit && perl.exitCode() == 0;
    if (errors)
        *errors = QString::fromUtf8(perl.readAllStandardError());
    return QString::fromLatin1(perl.readAllStandardOutput());
}

} // namespace

QList<NtxEntry> ReadWithXBaseIndex(const QString& fileName, QString* error)
{
    bool ok = false;
    QString errors;
    const QString out = RunPerl(QString::fromLatin1(kReadIndex), {fileName}, &ok, &errors);
    if (error)
        *error = ok ? QString() : errors.isEmpty() ? QStringLiteral("XBase::Index failed") : errors;
    QList<NtxEntry> entries;
    if (!ok)
        return entries;
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        entries.append({line.left(tab).toInt(), line.mid(tab + 1).toLatin1()});
    }
    return entries;
}

bool HaveXBaseIndex()
{
    bool ok = false;
    RunPerl(QStringLiteral("use XBase::Index;"), {}, &ok, nullptr);
    return ok;
}

QList<NtxEntry> ExpectedEntries(const QString& tableFile, const std::vector<StrTerm>& terms)
{
    return ExpectedEntries(ReadWithDbfread(tableFile)["records"].toArray(), terms);
}

QList<NtxEntry> ExpectedEntries(const QJsonArray& records, const std::vector<StrTerm>& terms)
{
    QList<NtxEntry> entries;
    for (qsizetype i = 0; i < records.size(); ++i) {
        QByteArray key;
        for (const StrTerm& term : terms) {
            const double value = records[i].toObject()[QLatin1String(term.field)].toDouble(0);
            key += QByteArray::number(value, 'f', term.decimals).rightJustified(term.width, ' ');
        }
        entries.append({static_cast<int>(i) + 1, key});
    }
    std::sort(entries.begin(), entries.end(), [](const NtxEntry& a, const NtxEntry& b) {
        return a.key != b.key ? a.key < b.key : a.recNo < b.recNo;
    });
    return entries;
}

namespace {

quint16 U16(const QByteArray& file, qint64 at)
{
    return qFromLittleEndian<quint16>(file.constData() + at);
}

quint32 U32(const QByteArray& file, qint64 at)
{
    return qFromLittleEndian<quint32>(file.constData() + at);
}

// Walks one page and everything below it; returns what is wrong, or nothing.
QString WalkNtxPage(const QByteArray& file, quint32 offset, int depth, int keyLength, int maxItems,
                    QList<NtxEntry>& entries, int& leafDepth, int& pages)
{
    if (offset == 0 || offset % 1024 != 0 || offset + 1024 > static_cast<quint64>(file.size()))
        return QStringLiteral("page offset %1 outside the file").arg(offset);
    if (++pages > file.size() / 1024 || depth > 64)
        return QStringLiteral("pages form a loop");
    const int count = U16(file, offset);
    if (count > maxItems || (depth > 0 && count == 0))
        return QStringLiteral("page at %1 holds %2 items").arg(offset).arg(count);
    bool leaf = true;
    for (int i = 0; i <= count; ++i) {
        const int item = U16(file, offset + 2 + 2 * i);
        if (item < 2 + 2 * (maxItems + 1) || item + keyLength + 8 > 1024)
            return QStringLiteral("item %1 of the page at %2 lies at %3").arg(i).arg(offset).arg(item);
        const quint32 child = U32(file, offset + item);
        if (i == 0) {
            leaf = child == 0;
            if (leaf && leafDepth >= 0 && leafDepth != depth)
                return QStringLiteral("leaves at depths %1 and %2").arg(leafDepth).arg(depth);
            if (leaf)
                leafDepth = depth;
        }
        if ((child == 0) != leaf)
            return QStringLiteral("the page at %1 mixes leaf and branch items").arg(offset);
        if (!leaf) {
            const QString wrong = WalkNtxPage(file, child, depth + 1, keyLength, maxItems, entries, leafDepth, pages);
            if (!wrong.isEmpty())
                return wrong;
        }
        if (i < count) {
            const NtxEntry entry{static_cast<int>(U32(file, offset + item + 4)),
                                 file.mid(offset + item + 8, keyLength)};
            if (!entries.isEmpty() && (entries.last().key > entry.key
                                       || (entries.last().key == entry.key && entries.last().recNo > entry.recNo)))
                return QStringLiteral("key \"%1\" after \"%2\"")
                    .arg(QString::fromLatin1(entry.key), QString::fromLatin1(entries.last().key));
            if (entry.recNo <= 0)
                return QStringLiteral("key \"%1\" without a record").arg(QString::fromLatin1(entry.key));
            entries.append(entry);
        }
    }
    return QString();
}

} // namespace

QString CheckNtxLayout(const QByteArray& file, const QByteArray& expression, int keyLength, QList<NtxEntry>* listed)
{
    if (file.size() < 2048 || file.size() % 1024 != 0)
        return QStringLiteral("%1 bytes are no whole pages").arg(file.size());
    if (U16(file, 0) != 6)
        return QStringLiteral("signature %1").arg(U16(file, 0));
    if (U16(file, 12) != keyLength + 8 || U16(file, 14) != keyLength || U16(file, 16) != 0)
        return QStringLiteral("item size %1, key length %2, decimals %3")
            .arg(U16(file, 12)).arg(U16(file, 14)).arg(U16(file, 16));
    const int maxItems = U16(file, 18);
    const int halfPage = U16(file, 20);
    if (maxItems < 2 || halfPage != maxItems / 2 || 2 + (maxItems + 1) * (2 + keyLength + 8) > 1024)
        return QStringLiteral("%1 items, half page %2").arg(maxItems).arg(halfPage);
    const QByteArray written = file.mid(22, 256);
    if (written.left(written.indexOf('\0')) != expression)
        return QStringLiteral("key expression \"%1\"").arg(QString::fromLatin1(written));
    if (file.at(278) != 0)
        return QStringLiteral("marked unique");
    QList<NtxEntry> entries;
    int leafDepth = -1;
    int pages = 0;
    const QString wrong = WalkNtxPage(file, U32(file, 4), 0, keyLength, maxItems, entries, leafDepth, pages);
    if (listed)
        *listed = entries;
    return wrong;
}

QString CheckBothIndexes(const QString& folder, bool markedWillDo)
{
    const QJsonObject table = ReadWithDbfread(folder + QStringLiteral("KORVANIS.DBF"));
    if (table.isEmpty())
        return QStringLiteral("dbfread cannot read the table");
    const struct {
        const char* file;
        QByteArray expression;
        int keyLength;
        std::vector<StrTerm> terms;
    } indexes[] = {
        {"KORVANIS.NTX", "STR(DISZIPLIN,3)+STR(ANZAHL,5)+STR(ZEILE,3)", 11, {{"DISZIPLIN", 3}, {"ANZAHL", 5}, {"ZEILE", 3}}},
        {"KORVANI2.NTX", "STR(DISZIPLIN,3)+STR(ZEIT,8,2)+STR(REPLAYZEIT,8,2)+STR(ANZAHL,5)", 24,
         {{"DISZIPLIN", 3}, {"ZEIT", 8, 2}, {"REPLAYZEIT", 8, 2}, {"ANZAHL", 5}}},
    };
    for (const auto& index : indexes) {
        const QString fileName = folder + QLatin1String(index.file);
        const QList<NtxEntry> expected = ExpectedEntries(table["records"].toArray(), index.terms);
        QFile file(fileName);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QString error;
        const QList<NtxEntry> read = ReadWithXBaseIndex(fileName, &error);
        if (!error.isEmpty()) {
            const bool marked = bytes.size() >= 2 && bytes.at(0) == 0 && bytes.at(1) == 0;
            if (markedWillDo && marked && error.contains(QStringLiteral("signature")))
                continue;
            return QStringLiteral("%1: %2").arg(QLatin1String(index.file), error.trimmed());
        }
        auto differs = [&](const char* reader, const QList<NtxEntry>& listed) {
            qsizetype at = 0;
            while (at < listed.size() && at < expected.size() && listed[at] == expected[at])
                ++at;
            return QStringLiteral("%1: %2 lists %3 entries, the table %4; first difference at %5")
                .arg(QLatin1String(index.file), QLatin1String(reader))
                .arg(listed.size())
                .arg(expected.size())
                .arg(at);
        };
        if (read != expected)
            return differs("XBase::Index", read);
        QList<NtxEntry> walked;
        const QString wrong = CheckNtxLayout(bytes, index.expression, index.keyLength, &walked);
        if (!wrong.isEmpty())
            return QStringLiteral("%1: %2").arg(QLatin1String(index.file), wrong);
        if (walked != expected)
            return differs("the layout", walked);
    }
    return QString();
}
