// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "records/xbase_error.h"
#include "records/xbase_number.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class FileWatch;


struct XBaseField {
    std::string name;
    char type = 'N'; // 'N' numeric, 'D' date, 'C' character, 'L' logical
    int width = 0;
    int decimals = 0;
};

// A small xBase engine over shapelib's DBF functions: one dBase III table, held
// exclusively while open, with any number of indexes whose keys are STR()
// expressions over numeric fields. The engine seeks in memory and keeps every
// index current as records are written, in memory and in its NTX file, which
// Clipper-compatible tools can open with the table (NtxIndex).
//
// Record numbers are 1-based as in xBase; 0 means no current record.
class XBaseTable {
public:
    XBaseTable();
    ~XBaseTable();
    XBaseTable(const XBaseTable&) = delete;
    XBaseTable& operator=(const XBaseTable&) = delete;

    // Writes an empty table with these fields. The file appears whole or not at
    // all, and an existing file is never replaced, unless it is empty: a file of
    // no bytes holds no table.
    static void create(const QString& fileName, const std::vector<XBaseField>& fields, QDate today);
    // Renames `from` onto `to` in one step, replacing `to`, and makes the rename
    // durable, so a crash leaves either file whole under the name `to`. `from`
    // takes the mode of `to`, and its owner where that may be given away.
    static void replaceFile(const QString& from, const QString& to);
    // Removes what create(fileName) left when its process was killed while it
    // wrote the new table: the private files of processes that no longer run and
    // that nobody holds. Best effort; a file that cannot be removed stays.
    static void removeLeftovers(const QString& fileName);

    // Opens for reading and writing, locked against every other opener until
    // close(). `today` becomes the header's date of last update once anything is
    // written. A file marked read-only (its owner may not write it), or one the
    // system will not let us write, is opened for reading only, locked all the
    // same; isWritable() tells.
    void use(const QString& fileName, QDate today);
    // Opens for reading only, sharing the lock with other readers.
    void useReadOnly(const QString& fileName);
    void close();
    bool isOpen() const { return handle_ != nullptr; }
    // Whether the file under the table's name is no longer the one this table
    // last opened or wrote: another program replaced or removed it, or wrote to
    // it (its length or time of change moved). Other programs take no notice of
    // our lock. A quick look asks the file's watch first and compares the status
    // only when something happened; `thorough` always compares it, and the
    // header's record count too, for a writer that changed that alone within
    // one clock tick. Nothing is read into the table; a changed table must be
    // opened again.
    bool changedOnDisk(bool thorough) const;
    bool isWritable() const { return handle_ != nullptr && writable_; }
    const QString& fileName() const { return fileName_; }

    int fieldCount() const;
    // 1-based number of the field, 0 when the table has none of that name.
    int fieldNum(std::string_view name) const;
    std::optional<XBaseField> fieldInfo(int fieldNum) const;
    int recCount() const;
    int recNo() const { return current_; }

    // Appends every record of `source`, filling fields of the same name and leaving
    // the others blank. Refuses, and appends nothing at all, when a value cannot be
    // carried over exactly.
    void appendFrom(XBaseTable& source);
    void appendFrom(const QString& sourceFileName);

    // Builds an index over the whole table from a key expression of STR(field,width)
    // and STR(field,width,decimals) terms joined by '+', writes it to indexFile as
    // an NTX file, replacing what was there, and returns its order number (1, 2,
    // ...). Deleted records and records whose key fields hold no number are left
    // out.
    int index(const QString& indexFile, std::string_view keyExpression);
    // Order 0 means natural record order.
    void setOrder(int order);
    int order() const { return order_; }
    int keyLength(int order) const;

    // Finds the first record in the current order whose key begins with `key`. On
    // failure the last record of the order becomes current.
    bool seek(std::string_view key);
    void goBottom();
    void go(int recNo);

    // The value of a numeric field of the current record: a blank field reads as 0,
    // text that is no number reads as nothing.
    std::optional<double> readNumeric(std::string_view fieldName);
    // The raw text of a field of the current record.
    std::string readRaw(std::string_view fieldName);

    void appendBlank();
    // Replacements refuse a value that would not fit the field rather than cut it.
    void replaceInt(std::string_view fieldName, std::int64_t value);
    void replaceDouble(std::string_view fieldName, double value);
    void replaceDate(std::string_view fieldName, QDate value);
    // Writes the current record and the header and waits until both are on disk.
    // A commit that fails takes back everything since the last one that worked:
    // the file's bytes and length, the record count and the indexes.
    void commit();
    // Drops every change since the last commit, on disk and in memory. Should the
    // file not be put back, the table is closed instead, as nothing more may be
    // written to it.
    void discardChanges();
    void setLastUpdate(QDate today);

private:
    struct Index;
    struct KeyTerm;
    struct Layout;

    struct DiskState {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = -1;
        std::int64_t modifiedSeconds = 0;
        std::int64_t modifiedNanoseconds = 0;
        std::uint32_t headerCount = 0;
    };

    void openWith(const QString& fileName, bool writable, QDate today);
    void noteDiskState();
    int fieldIndexOrThrow(std::string_view name) const;
    void requireCurrent() const;
    void touchCurrent();
    void flushPending();
    void beginChange();
    void endIndexChanges();
    std::string undoChange();
    [[noreturn]] void failChange(const std::string& why);
    void abandon();
    void release();
    void appendRecordsOf(XBaseTable& source);
    const char* tuple(int recNo);
    bool wellFormed(const char* record) const;
    void writeField(int field, const std::string& expected, const std::function<bool()>& write);
    std::vector<KeyTerm> parseKeyExpression(std::string_view expression) const;
    bool buildKey(const Index& index, const char* record, std::string& key) const;
    void rebuildEntries(Index& index);
    void reindexCurrent();
    [[noreturn]] void fail(const std::string& what) const;

    void* handle_ = nullptr; // DBFHandle; shapelib stays out of this header
    QString fileName_;
    std::string path_; // fileName_ as the system spells it
    bool writable_ = false;
    int current_ = 0;
    bool dirty_ = false;
    bool dirtyIsNew_ = false;
    std::string before_; // the current record as it was before its first change
    int recordsBefore_ = 0; // the record count and current record when the change began
    int currentBefore_ = 0;
    DiskState disk_; // the file as this table last left it
    std::unique_ptr<FileWatch> watch_; // what happened to it since
    mutable bool seenChange_ = false;
    std::vector<Layout> layout_;
    std::vector<Index> indexes_;
    int order_ = 0;
};


