#include "tests/records/records_test_support.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>

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
