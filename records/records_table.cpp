// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "records/records_table.h"

#include "core/korvanis_error.h"
#include "records/xbase_table.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTableName = QStringLiteral("KORVANIS.DBF");
const QString kCountIndexName = QStringLiteral("KORVANIS.NTX");
const QString kTimesIndexName = QStringLiteral("KORVANI2.NTX");
const QString kTempTableName = QStringLiteral("KVTEMP.DBF");

constexpr std::string_view kCountKey = "STR(DISZIPLIN,3)+STR(ANZAHL,5)+STR(ZEILE,3)";
constexpr std::string_view kTimesKey = "STR(DISZIPLIN,3)+STR(ZEIT,8,2)+STR(REPLAYZEIT,8,2)+STR(ANZAHL,5)";

const std::vector<XBaseField>& RecordFields()
{
    static const std::vector<XBaseField> fields = {
        {"DISZIPLIN", 'N', 3, 0}, {"ANZAHL", 'N', 5, 0},     {"PUNKTE", 'N', 7, 1},
        {"ZEILE", 'N', 3, 0},     {"ZEIT", 'N', 8, 2},       {"REPLAYZEIT", 'N', 8, 2},
        {"ZEIT_NUTZ", 'N', 8, 2}, {"REPL_NUTZ", 'N', 8, 2}, {"DATUM", 'D', 8, 0},
    };
    return fields;
}

const XBaseField& Field(std::string_view name)
{
    for (const XBaseField& field : RecordFields()) {
        if (field.name == name)
            return field;
    }
    throw std::logic_error("no records field " + std::string(name));
}

// Every field our records use must be there with the layout we write; a table
// where ZEIT is text or two characters narrower would have values cut or misread.
bool HasRecordLayout(const XBaseTable& table)
{
    for (const XBaseField& wanted : RecordFields()) {
        const std::optional<XBaseField> found = table.fieldInfo(table.fieldNum(wanted.name));
        if (!found || found->width != wanted.width || found->decimals != wanted.decimals)
            return false;
        const bool numeric = found->type == 'N' || found->type == 'F';
        if (wanted.type == 'N' ? !numeric : found->type != wanted.type)
            return false;
    }
    return true;
}

[[noreturn]] void ThrowClosed()
{
    throw KorvanisError(QStringLiteral("DBDaten: Operation bei geschlossener Datenmenge nicht ausführbar"));
}

// The engine has already taken back whatever of the record reached the file; what
// is left to tell is which file failed and why.
[[noreturn]] void ThrowNotStored(const XBaseError& error)
{
    throw KorvanisError(QStringLiteral("DBDaten: Der Rekord wurde nicht gespeichert: %1")
                            .arg(QString::fromLocal8Bit(error.what())));
}

// A record is stored whole or not at all: a value that its field cannot hold is
// refused before anything is written, never cut short.
void RequireFits(std::string_view fieldName, double value)
{
    const XBaseField& field = Field(fieldName);
    if (!(value >= 0) || !FormatXBaseNumber(value, field.width, field.decimals)) {
        throw KorvanisError(QStringLiteral("DBDaten: Der Wert %1 passt nicht in das Feld %2 (höchstens %3 Stellen, "
                                           "%4 nach dem Komma, nicht negativ); der Rekord wurde nicht gespeichert.")
                                .arg(QString::number(value, 'f', field.decimals),
                                     QLatin1String(fieldName.data(), static_cast<qsizetype>(fieldName.size())))
                                .arg(field.width)
                                .arg(field.decimals));
    }
}

// The part of a key for an unsigned value right-aligned in `width`, or nothing when
// it would need more room (printf would widen the key and shift every part after).
std::optional<QString> UnsignedPart(qint64 value, int width)
{
    if (value < 0)
        return std::nullopt;
    const QString text = QString::number(value);
    if (text.size() > width)
        return std::nullopt;
    return text.rightJustified(width, QLatin1Char(' '));
}

std::optional<QString> TimePart(double seconds)
{
    if (!(seconds >= 0))
        return std::nullopt;
    const std::optional<std::string> text = FormatXBaseNumber(seconds, 8, 2);
    if (!text)
        return std::nullopt;
    return QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size()));
}

// Marks the table as closed by the program: the header's year byte becomes 1.
// Only when nobody else holds the file.
void MarkClosed(const QString& fileName)
{
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat status {};
    const char one = 1;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)
        && status.st_size >= 32) {
        if (::pwrite(fd, &one, 1, 1) == 1)
            ::fdatasync(fd);
    }
    ::close(fd);
}

} // namespace

std::optional<QString> BestTimeKey(int code, int count, int perLine)
{
    const auto codePart = UnsignedPart(code, 3);
    const auto countPart = UnsignedPart(count, 5);
    const auto linePart = UnsignedPart(perLine, 3);
    if (!codePart || !countPart || !linePart)
        return std::nullopt;
    return *codePart + *countPart + *linePart;
}

std::optional<QString> PointsKey(int code, double memoTime, double recallTime)
{
    const auto codePart = UnsignedPart(code, 3);
    const auto memoPart = TimePart(memoTime);
    const auto recallPart = TimePart(recallTime);
    if (!codePart || !memoPart || !recallPart)
        return std::nullopt;
    return *codePart + *memoPart + *recallPart;
}

RecordsTable::RecordsTable() = default;
RecordsTable::~RecordsTable() = default;

bool RecordsTable::isOpen() const
{
    return table_ && table_->isOpen();
}

void RecordsTable::OpenRecordsTable(const QString& programDir)
{
    table_.reset();
    lost_ = false;
    countIndexOrder_ = 0;
    timesIndexOrder_ = 0;
    programDir_ = programDir;
    const QString tableFile = programDir + kTableName;

    // A file of no bytes is what a table that could not be written leaves behind;
    // it holds nothing, and without a new table the records would stay off for good.
    const QFileInfo existing(tableFile);
    if (!existing.exists() || (existing.isFile() && existing.size() == 0)) {
        try {
            XBaseTable::create(tableFile, RecordFields(), today_());
        } catch (const XBaseError& error) {
            throw KorvanisError(QStringLiteral("DBDaten: Die Tabelle kann nicht angelegt werden: %1")
                                    .arg(QString::fromLocal8Bit(error.what())));
        }
    }

    // From here on a failure ends the opening without a word: the program runs on
    // without records, and a store says the dataset is closed.
    try {
        OpenHeldTable();
    } catch (const std::exception&) {
    }
}

// Opens the table held against other copies, converts an old layout and builds
// both indexes. Raises at the first step that fails, leaving the table as far as
// it got: closed, or open without indexes.
void RecordsTable::OpenHeldTable()
{
    const QString tableFile = programDir_ + kTableName;
    auto table = std::make_unique<XBaseTable>();
    table->use(tableFile, today_());
    // With the table held no other copy is converting it or writing its indexes.
    // What copies killed while they made a table or index left behind is no
    // longer anybody's; a copy that still runs keeps its files.
    for (const QString& name : {kTableName, kTempTableName, kCountIndexName, kTimesIndexName})
        XBaseTable::removeLeftovers(programDir_ + name);
    if (table->fieldNum("REPLAYZEIT") == 0) {
        // A read-only table is not converted either: it stays open as it is, so
        // that a store can say why it keeps nothing.
        if (!table->isWritable()) {
            table_ = std::move(table);
            return;
        }
        table = ConvertOldTable(std::move(table));
    }
    if (!HasRecordLayout(*table))
        throw XBaseError(QFile::encodeName(tableFile).toStdString() + ": not the layout of the records table");
    table_ = std::move(table);
    countIndexOrder_ = table_->index(programDir_ + kCountIndexName, kCountKey);
    timesIndexOrder_ = table_->index(programDir_ + kTimesIndexName, kTimesKey);
    table_->setOrder(countIndexOrder_);
}

// Lets go of a table that is no longer the file under its name and opens that
// file as at start-up. Raises, naming the file, when it cannot; the table is then
// closed, as whatever is written to the old file is lost with it.
void RecordsTable::Reopen()
{
    table_.reset(); // every change is committed: closing writes nothing
    countIndexOrder_ = 0;
    timesIndexOrder_ = 0;
    lost_ = true;
    try {
        OpenHeldTable();
    } catch (const std::exception& error) {
        table_.reset();
        countIndexOrder_ = 0;
        timesIndexOrder_ = 0;
        throw KorvanisError(QStringLiteral("DBDaten: Die Tabelle %1 wurde von einem anderen Programm geändert und lässt "
                                           "sich nicht wieder öffnen (%2); der Rekord wurde nicht gespeichert.")
                                .arg(programDir_ + kTableName, QString::fromLocal8Bit(error.what())));
    }
    lost_ = false;
}

// Before a lookup: the quick look, one status call. False when the table is
// gone and could not be opened again.
bool RecordsTable::FollowTheFile()
{
    if (!table_->changedOnDisk(false))
        return true;
    try {
        Reopen();
    } catch (const KorvanisError&) {
        return false;
    }
    return isOpen();
}

// The old layout lacks REPLAYZEIT. Its records are carried into a complete new
// table under KVTEMP.DBF, which then takes the old table's place in one rename:
// whenever the program stops, KORVANIS.DBF is the old table or the new one, whole.
// The old table stays open and locked until then, so a second copy starting now
// cannot convert it too.
std::unique_ptr<XBaseTable> RecordsTable::ConvertOldTable(std::unique_ptr<XBaseTable> old)
{
    const QString tempFile = programDir_ + kTempTableName;
    const QString tableFile = programDir_ + kTableName;
    ::unlink(QFile::encodeName(tempFile).constData()); // left by a conversion that was cut off
    XBaseTable::create(tempFile, RecordFields(), today_());
    try {
        XBaseTable temp;
        temp.use(tempFile, today_());
        temp.appendFrom(*old);
        temp.close();
        XBaseTable::replaceFile(tempFile, tableFile);
    } catch (...) {
        ::unlink(QFile::encodeName(tempFile).constData());
        throw;
    }
    old->close();
    auto table = std::make_unique<XBaseTable>();
    table->use(tableFile, today_());
    return table;
}

void RecordsTable::CloseRecordsTable()
{
    // Only a table this program had open for writing and was the last to write
    // is marked: a file it could not use (held by another copy, damaged, of a
    // foreign layout), was only to read, or that another program has written or
    // put in its place since is left exactly as found.
    const bool held = isOpen() && table_->isWritable() && !table_->changedOnDisk(true);
    if (table_) {
        try {
            table_->close();
        } catch (const XBaseError&) {
            // Every store committed; nothing is left that a failed close could lose.
        }
        table_.reset();
    }
    lost_ = false;
    countIndexOrder_ = 0;
    timesIndexOrder_ = 0;
    if (held)
        MarkClosed(programDir_ + kTableName);
}

std::optional<double> RecordsTable::LookupBestTime(int code, int count, int perLine)
{
    const std::optional<QString> key = BestTimeKey(code, count, perLine);
    if (!isOpen() || !key || !FollowTheFile() || countIndexOrder_ == 0)
        return std::nullopt;
    try {
        table_->setOrder(countIndexOrder_);
        if (!table_->seek(key->toStdString()))
            return std::nullopt;
        return table_->readNumeric("ZEIT");
    } catch (const XBaseError&) {
        return std::nullopt;
    }
}

std::optional<double> RecordsTable::LookupPointsRecord(int code, double memoTime, double recallTime)
{
    const std::optional<QString> key = PointsKey(code, memoTime, recallTime);
    if (!key)
        return std::nullopt;
    return LookupPointsRecord(*key);
}

std::optional<double> RecordsTable::LookupPointsRecord(const QString& key)
{
    const std::optional<PointsEntry> entry = LookupPointsEntry(key);
    return entry ? std::optional<double>(entry->points) : std::nullopt;
}

std::optional<RecordsTable::PointsEntry> RecordsTable::LookupPointsEntry(const QString& key)
{
    if (!isOpen() || !FollowTheFile() || timesIndexOrder_ == 0)
        return std::nullopt;
    try {
        table_->setOrder(timesIndexOrder_);
        if (!table_->seek(key.toStdString()))
            return std::nullopt;
        // A record without points is no record, as it always was.
        const std::optional<double> points = table_->readNumeric("PUNKTE");
        if (!points)
            return std::nullopt;
        return PointsEntry{*points, table_->readNumeric("ZEIT_NUTZ")};
    } catch (const XBaseError&) {
        return std::nullopt;
    }
}

void RecordsTable::RequireWritable() const
{
    if (!table_->isWritable())
        throw KorvanisError(QStringLiteral("DBDaten: Die Tabelle %1 ist schreibgeschützt; der Rekord wurde nicht gespeichert.")
                                .arg(programDir_ + kTableName));
}

void RecordsTable::RequireIndex(int order, const QString& indexName) const
{
    // Without its index a store could not tell whether the record exists and
    // would add a second one for the same setting.
    if (order == 0)
        throw KorvanisError(QStringLiteral("DBDaten: Der Index %1 fehlt; der Rekord wurde nicht gespeichert.")
                                .arg(indexName));
}

// One store: the table followed to the file under its name, the record written
// and committed. A store that went into a file another program replaced or wrote
// to meanwhile may be lost with that file; it is made once more in the file now
// there (finding its own record again if it did arrive), never reported done.
void RecordsTable::Store(const int& order, const QString& indexName, const std::function<void(QDate)>& write)
{
    for (int attempt = 1;; ++attempt) {
        if (lost_ || table_->changedOnDisk(true))
            Reopen();
        RequireWritable();
        RequireIndex(order, indexName);
        const QDate today = today_();
        try {
            table_->setLastUpdate(today);
            write(today);
        } catch (const XBaseError& error) {
            table_->discardChanges();
            ThrowNotStored(error);
        }
        if (!table_->changedOnDisk(true))
            return;
        if (attempt == 2)
            throw KorvanisError(QStringLiteral("DBDaten: Die Tabelle %1 wird von einem anderen Programm geändert; der "
                                               "Rekord wurde nicht gespeichert.")
                                    .arg(programDir_ + kTableName));
    }
}

void RecordsTable::StoreBestTime(int code, int count, int perLine, double time)
{
    if (!isOpen() && !lost_)
        ThrowClosed();
    RequireFits("DISZIPLIN", code);
    RequireFits("ANZAHL", count);
    RequireFits("ZEILE", perLine);
    RequireFits("ZEIT", time);
    const std::string key = BestTimeKey(code, count, perLine)->toStdString();
    Store(countIndexOrder_, kCountIndexName, [&](QDate today) {
        table_->setOrder(countIndexOrder_);
        if (!table_->seek(key)) {
            table_->appendBlank();
            table_->replaceInt("DISZIPLIN", code);
            table_->replaceInt("ANZAHL", count);
            table_->replaceInt("ZEILE", perLine);
        }
        table_->replaceDouble("ZEIT", time);
        table_->replaceDate("DATUM", today);
        table_->commit();
    });
}

void RecordsTable::StorePointsRecord(int code, int count, double memoTime, double recallTime, int points,
                                     double memoTimeUsed, double recallTimeUsed)
{
    if (!isOpen() && !lost_)
        ThrowClosed();
    RequireFits("DISZIPLIN", code);
    RequireFits("ANZAHL", count);
    RequireFits("ZEIT", memoTime);
    RequireFits("REPLAYZEIT", recallTime);
    RequireFits("PUNKTE", points);
    RequireFits("ZEIT_NUTZ", memoTimeUsed);
    RequireFits("REPL_NUTZ", recallTimeUsed);
    const std::string key = PointsKey(code, memoTime, recallTime)->toStdString();
    Store(timesIndexOrder_, kTimesIndexName, [&](QDate today) {
        table_->setOrder(timesIndexOrder_);
        if (!table_->seek(key)) {
            table_->appendBlank();
            table_->replaceInt("DISZIPLIN", code);
            table_->replaceInt("ANZAHL", count);
            table_->replaceDouble("ZEIT", memoTime);
            table_->replaceDouble("REPLAYZEIT", recallTime);
        }
        table_->replaceInt("PUNKTE", points);
        table_->replaceDouble("ZEIT_NUTZ", memoTimeUsed);
        table_->replaceDouble("REPL_NUTZ", recallTimeUsed);
        table_->replaceDate("DATUM", today);
        table_->commit();
    });
}
