// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "records/xbase_table.h"

#include "records/file_watch.h"
#include "records/ntx_index.h"
#include "records/xbase_file.h"
#include "records/xbase_number.h"

#include <QFile>
#include <QFileInfo>

#include <shapefil.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <locale.h>
#include <memory>
#include <signal.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace xbase_io;

namespace {

DBFHandle dbf(void* handle)
{
    return static_cast<DBFHandle>(handle);
}

void setUpdateDate(DBFHandle handle, QDate today)
{
    if (!today.isValid())
        return;
    DBFSetLastModifiedDate(handle, std::clamp(today.year() - 1900, 0, 255), today.month(), today.day());
}

// The length of a dBase III file without records: the header, one descriptor per
// field, the header's terminator and the end mark.
std::uint64_t emptyTableLength(std::size_t fields)
{
    return 32 + 32 * static_cast<std::uint64_t>(fields) + 1 + 1;
}

} // namespace


// ---------------------------------------------------------------------------

struct XBaseTable::KeyTerm {
    int field = 0; // 0-based
    int width = 0;
    int decimals = 0;
};

// An index as seeks use it, its entries sorted in memory, and its file, which
// follows every change.
struct XBaseTable::Index {
    using Entry = IndexEntry;
    std::string expression;
    std::vector<KeyTerm> terms;
    int keyLength = 0;
    std::vector<Entry> entries; // sorted by key, then record number
    std::unique_ptr<NtxIndex> file;

    static bool before(const Entry& a, const Entry& b) { return IndexEntry::before(a, b); }
};

struct XBaseTable::Layout {
    XBaseField field;
    int offset = 0; // within the record, after the deletion flag
};

XBaseTable::XBaseTable() = default;

XBaseTable::~XBaseTable()
{
    try {
        close();
    } catch (...) {
        // Destruction must not throw; a failed last write is already reported
        // to whoever committed.
    }
}

void XBaseTable::fail(const std::string& what) const
{
    throw XBaseError(localName(fileName_) + ": " + what);
}

void XBaseTable::create(const QString& fileName, const std::vector<XBaseField>& fields, QDate today)
{
    const std::string path = localName(fileName);
    // Built under a private name and moved into place only when whole, so no
    // half-written table is ever found under the real name.
    const PrivateFile building = createPrivate(fileName);
    int fd = building.fd;
    try {
        OpenRequest request;
        request.path = building.path;
        request.createdFd = fd;
        {
            CLocaleScope cLocale;
            RequestScope scope(&request);
            SAHooks hooks = fileHooks();
            tShapelibError.clear();
            DBFHandle handle = DBFCreateLL(building.path.c_str(), "LDID/0", &hooks);
            if (!handle)
                throw XBaseError(path + ": cannot be created");
            for (const XBaseField& field : fields) {
                if (DBFAddNativeFieldType(handle, field.name.c_str(), field.type, field.width, field.decimals) < 0) {
                    DBFClose(handle);
                    throw XBaseError(path + ": field " + field.name + " cannot be added " + tShapelibError);
                }
            }
            setUpdateDate(handle, today);
            DBFClose(handle);
            if (request.writeError)
                throw XBaseError(path + ": cannot be written: " + errnoText(request.writeError));
            if (!tShapelibError.empty())
                throw XBaseError(path + ": " + tShapelibError);
        }
        // Every write said it was done; the length says whether the header is
        // really all there before anybody may find the file.
        struct stat status {};
        if (::fstat(fd, &status) != 0)
            throw XBaseError(path + ": " + errnoText(errno));
        if (static_cast<std::uint64_t>(status.st_size) != emptyTableLength(fields.size()))
            throw XBaseError(path + ": cannot be written whole (" + std::to_string(status.st_size) + " of "
                             + std::to_string(emptyTableLength(fields.size())) + " bytes)");
        if (::fsync(fd) != 0)
            throw XBaseError(path + ": " + errnoText(errno));
        ::close(fd);
        fd = -1;
        publish(building.path, path);
        syncDirectory(fileName);
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(building.path.c_str());
        throw;
    }
}

namespace {

// The process id in a private name create() gives `prefix`: ".<name>.<pid>.<n>".
std::optional<pid_t> builderOf(std::string_view name, std::string_view prefix)
{
    if (name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    name.remove_prefix(prefix.size());
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size())
        return std::nullopt;
    const std::string_view serial = name.substr(dot + 1);
    if (!std::all_of(serial.begin(), serial.end(), isDigit))
        return std::nullopt;
    pid_t pid = 0;
    const auto result = std::from_chars(name.data(), name.data() + dot, pid);
    if (result.ec != std::errc() || result.ptr != name.data() + dot || pid <= 0)
        return std::nullopt;
    return pid;
}

} // namespace

void XBaseTable::removeLeftovers(const QString& fileName)
{
    const QFileInfo info(fileName);
    DIR* folder = ::opendir(localName(info.absolutePath()).c_str());
    if (!folder)
        return;
    const std::string prefix = '.' + localName(info.fileName()) + '.';
    const int at = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        const std::optional<pid_t> builder = builderOf(entry->d_name, prefix);
        // Only a process that no longer exists: one that runs may be writing it.
        // A process id taken over by another program keeps its file there; that
        // costs a few hundred bytes, a wrong guess would cost a table.
        if (!builder || ::kill(*builder, 0) == 0 || errno != ESRCH)
            continue;
        const int fd = ::openat(at, entry->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // The lock proves it once more: a builder we cannot see (another process
        // namespace sharing the folder) still holds it.
        struct stat held {};
        struct stat named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode)
            && ::fstatat(at, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == held.st_dev
            && named.st_ino == held.st_ino)
            ::unlinkat(at, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(folder);
}

void XBaseTable::replaceFile(const QString& from, const QString& to)
{
    replace(localName(from), localName(to));
    syncDirectory(to);
}

void XBaseTable::use(const QString& fileName, QDate today)
{
    openWith(fileName, true, today);
}

void XBaseTable::useReadOnly(const QString& fileName)
{
    openWith(fileName, false, QDate());
}

void XBaseTable::openWith(const QString& fileName, bool writable, QDate today)
{
    close();
    OpenRequest request;
    request.path = localName(fileName);
    request.writable = writable;
    request.exclusive = writable;
    DBFHandle handle = nullptr;
    {
        CLocaleScope cLocale;
        RequestScope scope(&request);
        SAHooks hooks = fileHooks();
        tShapelibError.clear();
        handle = DBFOpenLL(request.path.c_str(), writable ? "rb+" : "rb", &hooks);
    }
    if (!handle) {
        const std::string why = !request.error.empty() ? request.error
            : !tShapelibError.empty()                  ? tShapelibError
                                                       : std::string("cannot be opened");
        throw XBaseError(request.path + ": " + why);
    }
    handle_ = handle;
    fileName_ = fileName;
    path_ = request.path;
    writable_ = request.openedWritable;
    current_ = 0;
    order_ = 0;

    try {
        if (!request.file)
            fail("header not understood");
        const HookFile& file = *request.file;
        if (handle->nHeaderLength != static_cast<int>(file.headerLength)
            || handle->nRecordLength != static_cast<int>(file.recordLength) || handle->nFields != file.fieldCount)
            fail("header not understood");
        layout_.clear();
        int offset = 1;
        for (int i = 0; i < handle->nFields; ++i) {
            char name[XBASE_FLDNAME_LEN_READ + 1] = {};
            int width = 0;
            int decimals = 0;
            DBFGetFieldInfo(handle, i, name, &width, &decimals);
            layout_.push_back({XBaseField{name, DBFGetNativeFieldType(handle, i), width, decimals}, offset});
            offset += width;
        }

        // The header's count is only a claim. Past the end of what the file holds
        // there is nothing to read, and a truncated last record is no record, so a
        // larger count is cut back. A smaller count (a crash between writing a
        // record and its count, or a careless tool) would let the next append
        // overwrite whole records the file still holds, so those are taken in as
        // long as each one is well formed.
        std::uint64_t count = std::min<std::uint64_t>(file.headerCount, file.recordsHeld);
        if (file.recordsHeld > count) {
            handle->nRecords = static_cast<int>(file.recordsHeld);
            while (count < file.recordsHeld && wellFormed(tuple(static_cast<int>(count) + 1)))
                ++count;
        }
        handle->nRecords = static_cast<int>(count);
    } catch (...) {
        handle->nRecords = 0;
        close();
        throw;
    }
    if (writable_)
        setUpdateDate(handle, today);
    watch_ = std::make_unique<FileWatch>(path_);
    noteDiskState();
}

namespace {

std::optional<std::uint32_t> headerCountOf(int fd)
{
    unsigned char count[4];
    if (::pread(fd, count, sizeof count, 4) != static_cast<ssize_t>(sizeof count))
        return std::nullopt;
    return count[0] | count[1] << 8 | count[2] << 16 | std::uint32_t(count[3]) << 24;
}

} // namespace

void XBaseTable::noteDiskState()
{
    // What our own writes set off is no news; anything later is.
    if (watch_)
        watch_->forget();
    seenChange_ = false;
    disk_ = DiskState{};
    const int fd = hookFile(dbf(handle_)->fp)->fd;
    struct stat status {};
    const std::optional<std::uint32_t> count = headerCountOf(fd);
    // Unknown stays unknown: the next look takes it for a change and opens afresh.
    if (!count || ::fstat(fd, &status) != 0)
        return;
    disk_ = DiskState{status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec, status.st_mtim.tv_nsec,
                      *count};
}

bool XBaseTable::changedOnDisk(bool thorough) const
{
    if (!handle_)
        return false;
    // A change once seen stays seen: the watch has told of it only once.
    if (seenChange_)
        return true;
    if (!thorough && watch_ && !watch_->somethingHappened())
        return false;
    // One look at the name answers for a replaced or removed file and, while the
    // name still means our file, for a write to it.
    struct stat named {};
    if (::stat(path_.c_str(), &named) != 0 || named.st_dev != disk_.device || named.st_ino != disk_.inode
        || named.st_size != disk_.size || named.st_mtim.tv_sec != disk_.modifiedSeconds
        || named.st_mtim.tv_nsec != disk_.modifiedNanoseconds) {
        seenChange_ = true;
    } else if (thorough) {
        const std::optional<std::uint32_t> count = headerCountOf(hookFile(dbf(handle_)->fp)->fd);
        seenChange_ = !count || *count != disk_.headerCount;
    }
    return seenChange_;
}

bool XBaseTable::wellFormed(const char* record) const
{
    if (record[0] != ' ' && record[0] != '*')
        return false;
    for (const Layout& layout : layout_) {
        const std::string_view text(record + layout.offset, static_cast<std::size_t>(layout.field.width));
        switch (layout.field.type) {
        case 'N':
        case 'F':
            if (!parseDecimal(text))
                return false;
            break;
        case 'D':
            if (text != std::string_view("        ", 8) && !std::all_of(text.begin(), text.end(), isDigit))
                return false;
            break;
        case 'L':
            if (std::string_view("?YyNnTtFf ").find(text[0]) == std::string_view::npos)
                return false;
            break;
        default:
            break;
        }
    }
    return true;
}

void XBaseTable::close()
{
    if (!handle_)
        return;
    std::string failure;
    try {
        flushPending();
    } catch (const XBaseError& e) {
        failure = e.what();
    }
    release();
    if (!failure.empty())
        throw XBaseError(failure);
}

void XBaseTable::release()
{
    if (handle_) {
        CLocaleScope cLocale;
        DBFClose(dbf(handle_));
    }
    handle_ = nullptr;
    watch_.reset();
    indexes_.clear();
    layout_.clear();
    order_ = 0;
    current_ = 0;
    dirty_ = false;
    dirtyIsNew_ = false;
    before_.clear();
}

int XBaseTable::fieldCount() const
{
    return static_cast<int>(layout_.size());
}

int XBaseTable::fieldNum(std::string_view name) const
{
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        const std::string& candidate = layout_[i].field.name;
        if (candidate.size() == name.size() && strncasecmp(candidate.data(), name.data(), name.size()) == 0)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

std::optional<XBaseField> XBaseTable::fieldInfo(int fieldNum) const
{
    if (fieldNum < 1 || fieldNum > fieldCount())
        return std::nullopt;
    return layout_[static_cast<std::size_t>(fieldNum - 1)].field;
}

int XBaseTable::recCount() const
{
    return handle_ ? DBFGetRecordCount(dbf(handle_)) : 0;
}

int XBaseTable::fieldIndexOrThrow(std::string_view name) const
{
    if (!handle_)
        fail("table is not open");
    const int number = fieldNum(name);
    if (number == 0)
        fail("no field " + std::string(name));
    return number - 1;
}

const char* XBaseTable::tuple(int recNo)
{
    const char* record = DBFReadTuple(dbf(handle_), recNo - 1);
    if (!record)
        fail("record " + std::to_string(recNo) + " cannot be read");
    return record;
}

void XBaseTable::requireCurrent() const
{
    if (!handle_)
        fail("table is not open");
    if (current_ < 1 || current_ > recCount())
        fail("no current record");
}

void XBaseTable::touchCurrent()
{
    requireCurrent();
    if (!writable_)
        fail("table is open for reading only");
    if (!dirty_) {
        beginChange();
        before_.assign(tuple(current_), static_cast<std::size_t>(dbf(handle_)->nRecordLength));
        dirty_ = true;
        dirtyIsNew_ = false;
    }
}

void XBaseTable::flushPending()
{
    if (dirty_)
        commit();
}

// From here until the next commit, whatever reaches the file can be taken back.
void XBaseTable::beginChange()
{
    HookFile& file = *hookFile(dbf(handle_)->fp);
    if (file.journaling)
        return;
    if (!beginJournal(file))
        fail("cannot be written: " + errnoText(errno));
    recordsBefore_ = recCount();
    currentBefore_ = current_;
    // Before the table changes, so that an index file never lists what the
    // table no longer holds, whenever the program stops.
    for (Index& index : indexes_)
        index.file->beginChange();
}

// The index files catch up with the table: with the change made, or with the
// table as it was when the change was undone.
void XBaseTable::endIndexChanges()
{
    for (Index& index : indexes_)
        index.file->endChange();
}

// Takes the file and the engine back to where the change began. Returns the
// reason when the file could not be put back.
std::string XBaseTable::undoChange()
{
    DBFHandle handle = dbf(handle_);
    HookFile& file = *hookFile(handle->fp);
    if (!file.journaling && !dirty_)
        return {};
    const bool began = file.journaling;
    const std::string failure = undoJournal(file);
    // shapelib still holds the refused record and would write it out at the next
    // chance; it must be read afresh from the file instead. The header is back
    // as it was, so closing has nothing to write either.
    handle->bCurrentRecordModified = 0;
    handle->bUpdated = 0;
    handle->nCurrentRecord = -1;
    if (began) {
        handle->nRecords = recordsBefore_;
        current_ = currentBefore_;
    }
    dirty_ = false;
    dirtyIsNew_ = false;
    before_.clear();
    noteDiskState();
    // Index files stay marked while the table is neither as it was nor as it
    // was to become.
    if (failure.empty())
        endIndexChanges();
    return failure;
}

void XBaseTable::failChange(const std::string& why)
{
    const std::string undone = undoChange();
    if (undone.empty())
        fail(why);
    // The file is neither the old table nor the new one. Nothing more may be
    // written to it; opening it again makes the most of what it holds.
    const std::string name = localName(fileName_);
    abandon();
    throw XBaseError(name + ": " + why + "; the table could not be put back (" + undone + ") and was closed");
}

void XBaseTable::abandon()
{
    DBFHandle handle = dbf(handle_);
    handle->bCurrentRecordModified = 0;
    handle->bUpdated = 0;
    release();
}

void XBaseTable::discardChanges()
{
    if (!handle_ || !writable_)
        return;
    if (!undoChange().empty())
        abandon();
}

// ---------------------------------------------------------------------------
// Appending from another table.

namespace {

bool isNumericType(char type)
{
    return type == 'N' || type == 'F';
}

} // namespace

void XBaseTable::appendFrom(const QString& sourceFileName)
{
    XBaseTable source;
    source.useReadOnly(sourceFileName);
    appendFrom(source);
}

void XBaseTable::appendFrom(XBaseTable& source)
{
    if (!handle_ || !source.handle_)
        fail("table is not open");
    if (!writable_)
        fail("table is open for reading only");
    flushPending();
    beginChange();
    try {
        appendRecordsOf(source);
    } catch (...) {
        discardChanges();
        throw;
    }
    for (Index& index : indexes_) {
        rebuildEntries(index);
        index.file->rebuild(index.entries);
    }
}

void XBaseTable::appendRecordsOf(XBaseTable& source)
{
    struct Carry {
        const Layout* from;
        const Layout* to;
    };
    std::vector<Carry> carries;
    for (const Layout& to : layout_) {
        if (const int from = source.fieldNum(to.field.name))
            carries.push_back({&source.layout_[static_cast<std::size_t>(from - 1)], &to});
    }

    const int recordLength = dbf(handle_)->nRecordLength;
    const int sourceLength = dbf(source.handle_)->nRecordLength;
    std::string record;
    std::string out;
    for (int recNo = 1; recNo <= source.recCount(); ++recNo) {
        record.assign(source.tuple(recNo), static_cast<std::size_t>(sourceLength));
        out.assign(static_cast<std::size_t>(recordLength), ' ');
        out[0] = record[0] == '*' ? '*' : ' ';
        for (const Carry& carry : carries) {
            const XBaseField& from = carry.from->field;
            const XBaseField& to = carry.to->field;
            const std::string_view text(record.data() + carry.from->offset, static_cast<std::size_t>(from.width));
            char* target = out.data() + carry.to->offset;
            auto refuse = [&] {
                fail("record " + std::to_string(recNo) + " of " + localName(source.fileName_) + ": field " + to.name
                     + " cannot take \"" + std::string(text) + "\"");
            };
            const bool sameKind = from.type == to.type || (isNumericType(from.type) && isNumericType(to.type));
            if (sameKind && from.width == to.width && from.decimals == to.decimals) {
                std::memcpy(target, text.data(), text.size());
                continue;
            }
            if (isNumericType(to.type)) {
                const std::optional<DecimalText> number = parseDecimal(text);
                if (!number)
                    refuse();
                if (number->blank)
                    continue;
                const std::string_view dropped = number->fractionDigits.substr(
                    std::min<std::size_t>(number->fractionDigits.size(), static_cast<std::size_t>(to.decimals)));
                if (dropped.find_first_not_of('0') != std::string_view::npos)
                    refuse(); // carrying it would round the value
                std::string formatted;
                appendStr(formatted, *number, to.width, to.decimals);
                if (formatted.find('*') != std::string::npos)
                    refuse();
                std::memcpy(target, formatted.data(), formatted.size());
                continue;
            }
            std::string_view trimmed = text;
            while (!trimmed.empty() && trimmed.front() == ' ')
                trimmed.remove_prefix(1);
            while (!trimmed.empty() && trimmed.back() == ' ')
                trimmed.remove_suffix(1);
            if (trimmed.empty())
                continue;
            const bool fits = to.type == 'C' ? trimmed.size() <= static_cast<std::size_t>(to.width)
                : to.type == 'D'            ? trimmed.size() == 8 && std::all_of(trimmed.begin(), trimmed.end(), isDigit)
                                            : false;
            if (!fits)
                refuse();
            std::memcpy(target, trimmed.data(), trimmed.size());
        }
        CLocaleScope cLocale;
        if (!DBFWriteTuple(dbf(handle_), recCount(), out.data()))
            fail("record cannot be appended");
    }
    current_ = recCount();
    commit();
}

// ---------------------------------------------------------------------------
// Indexes.

std::vector<XBaseTable::KeyTerm> XBaseTable::parseKeyExpression(std::string_view expression) const
{
    std::vector<KeyTerm> terms;
    std::string text;
    for (char c : expression) {
        if (c != ' ')
            text += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    auto bad = [&] { fail("key expression \"" + std::string(expression) + "\" not understood"); };
    std::string_view rest(text);
    while (true) {
        if (rest.substr(0, 4) != "STR(")
            bad();
        rest.remove_prefix(4);
        const std::size_t close = rest.find(')');
        if (close == std::string_view::npos)
            bad();
        std::string_view arguments = rest.substr(0, close);
        rest.remove_prefix(close + 1);

        std::vector<std::string_view> parts;
        for (std::size_t comma; (comma = arguments.find(',')) != std::string_view::npos;) {
            parts.push_back(arguments.substr(0, comma));
            arguments.remove_prefix(comma + 1);
        }
        parts.push_back(arguments);
        if (parts.size() < 2 || parts.size() > 3)
            bad();
        KeyTerm term;
        const int field = fieldNum(parts[0]);
        if (field == 0)
            fail("key expression names no field " + std::string(parts[0]));
        if (!isNumericType(layout_[static_cast<std::size_t>(field - 1)].field.type))
            fail("STR() needs a numeric field, " + std::string(parts[0]) + " is none");
        term.field = field - 1;
        auto number = [&](std::string_view digits, int& value) {
            const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
            if (result.ec != std::errc() || result.ptr != digits.data() + digits.size())
                bad();
        };
        number(parts[1], term.width);
        if (parts.size() == 3)
            number(parts[2], term.decimals);
        if (term.width < 1 || term.width > 20 || term.decimals < 0 || term.decimals >= term.width)
            bad();
        terms.push_back(term);
        if (rest.empty())
            break;
        if (rest.front() != '+')
            bad();
        rest.remove_prefix(1);
    }
    return terms;
}

bool XBaseTable::buildKey(const Index& index, const char* record, std::string& key) const
{
    key.clear();
    for (const KeyTerm& term : index.terms) {
        const Layout& layout = layout_[static_cast<std::size_t>(term.field)];
        const std::optional<DecimalText> number
            = parseDecimal(std::string_view(record + layout.offset, static_cast<std::size_t>(layout.field.width)));
        if (!number)
            return false;
        appendStr(key, *number, term.width, term.decimals);
    }
    return true;
}

namespace {

// Eight bytes of a key from `at` on as one big-endian number, zeros past its
// end: such words order as the bytes do.
std::uint64_t keyWord(const std::string& key, std::size_t at)
{
    std::uint64_t word = 0;
    for (std::size_t i = at; i < at + 8; ++i)
        word = word << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return word;
}

} // namespace

// At start-up every record is sorted into both indexes, the bulk of opening a
// large table: the keys are sorted as rows of words that compare without a call.
void XBaseTable::rebuildEntries(Index& index)
{
    const auto length = static_cast<std::size_t>(index.keyLength);
    const std::size_t width = (length + 7) / 8;
    const auto count = static_cast<std::size_t>(recCount());
    std::string keys;
    std::vector<std::uint64_t> words;
    std::vector<int> recNos;
    keys.reserve(count * length);
    words.reserve(count * width);
    recNos.reserve(count);
    std::string key;
    for (int recNo = 1; recNo <= recCount(); ++recNo) {
        const char* record = tuple(recNo);
        if (record[0] == '*' || !buildKey(index, record, key))
            continue;
        keys += key;
        for (std::size_t at = 0; at < length; at += 8)
            words.push_back(keyWord(key, at));
        recNos.push_back(recNo);
    }
    std::vector<std::uint32_t> order(recNos.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<std::uint32_t>(i);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const std::uint64_t* left = words.data() + a * width;
        const std::uint64_t* right = words.data() + b * width;
        for (std::size_t word = 0; word < width; ++word) {
            if (left[word] != right[word])
                return left[word] < right[word];
        }
        return recNos[a] < recNos[b];
    });
    index.entries.clear();
    index.entries.reserve(order.size());
    for (const std::uint32_t at : order)
        index.entries.push_back({keys.substr(at * length, length), recNos[at]});
}

int XBaseTable::index(const QString& indexFile, std::string_view keyExpression)
{
    if (!handle_)
        fail("table is not open");
    flushPending();
    Index index;
    index.expression = keyExpression;
    index.terms = parseKeyExpression(keyExpression);
    for (const KeyTerm& term : index.terms)
        index.keyLength += term.width;
    rebuildEntries(index);
    index.file = std::make_unique<NtxIndex>(indexFile, index.expression, index.keyLength);
    index.file->build(index.entries);
    indexes_.push_back(std::move(index));
    return static_cast<int>(indexes_.size());
}

void XBaseTable::setOrder(int order)
{
    if (order < 0 || order > static_cast<int>(indexes_.size()))
        fail("no index order " + std::to_string(order));
    order_ = order;
}

int XBaseTable::keyLength(int order) const
{
    if (order < 1 || order > static_cast<int>(indexes_.size()))
        return 0;
    return indexes_[static_cast<std::size_t>(order - 1)].keyLength;
}

bool XBaseTable::seek(std::string_view key)
{
    if (!handle_)
        fail("table is not open");
    flushPending();
    if (order_ > 0) {
        const auto& entries = indexes_[static_cast<std::size_t>(order_ - 1)].entries;
        const auto found = std::lower_bound(entries.begin(), entries.end(), key,
            [](const Index::Entry& entry, std::string_view wanted) { return entry.key.compare(0, wanted.size(), wanted) < 0; });
        if (found != entries.end() && found->key.compare(0, key.size(), key) == 0) {
            current_ = found->recNo;
            return true;
        }
    }
    goBottom();
    return false;
}

void XBaseTable::goBottom()
{
    if (!handle_)
        fail("table is not open");
    flushPending();
    if (order_ > 0) {
        const auto& entries = indexes_[static_cast<std::size_t>(order_ - 1)].entries;
        current_ = entries.empty() ? 0 : entries.back().recNo;
    } else {
        current_ = recCount();
    }
}

void XBaseTable::go(int recNo)
{
    if (!handle_)
        fail("table is not open");
    flushPending();
    if (recNo < 1 || recNo > recCount())
        fail("no record " + std::to_string(recNo));
    current_ = recNo;
}

void XBaseTable::reindexCurrent()
{
    const char* record = tuple(current_);
    std::string oldKey;
    std::string newKey;
    for (Index& index : indexes_) {
        const bool hadKey = !dirtyIsNew_ && before_[0] != '*' && buildKey(index, before_.data(), oldKey);
        const bool hasKey = record[0] != '*' && buildKey(index, record, newKey);
        if (hadKey && hasKey && oldKey == newKey)
            continue;
        if (hadKey) {
            const Index::Entry old{oldKey, current_};
            const auto at = std::lower_bound(index.entries.begin(), index.entries.end(), old, Index::before);
            if (at != index.entries.end() && at->recNo == current_ && at->key == oldKey)
                index.entries.erase(at);
            index.file->erase(oldKey, current_);
        }
        if (hasKey) {
            index.file->insert(newKey, current_);
            Index::Entry entry{newKey, current_};
            const auto at = std::lower_bound(index.entries.begin(), index.entries.end(), entry, Index::before);
            index.entries.insert(at, std::move(entry));
        }
    }
}

// ---------------------------------------------------------------------------
// Reading and writing fields.

std::string XBaseTable::readRaw(std::string_view fieldName)
{
    const int field = fieldIndexOrThrow(fieldName);
    requireCurrent();
    const Layout& layout = layout_[static_cast<std::size_t>(field)];
    return std::string(tuple(current_) + layout.offset, static_cast<std::size_t>(layout.field.width));
}

std::optional<double> XBaseTable::readNumeric(std::string_view fieldName)
{
    const std::string text = readRaw(fieldName);
    const std::optional<DecimalText> number = parseDecimal(text);
    if (!number)
        return std::nullopt;
    if (number->blank)
        return 0.0;
    std::string plain(number->negative ? "-" : "");
    plain.append(number->integerDigits.empty() ? std::string_view("0") : number->integerDigits);
    if (!number->fractionDigits.empty()) {
        plain += '.';
        plain.append(number->fractionDigits);
    }
    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc())
        return std::nullopt;
    return value;
}

void XBaseTable::appendBlank()
{
    if (!handle_)
        fail("table is not open");
    if (!writable_)
        fail("table is open for reading only");
    flushPending();
    beginChange();
    const std::string blank(static_cast<std::size_t>(dbf(handle_)->nRecordLength), ' ');
    {
        CLocaleScope cLocale;
        if (!DBFWriteTuple(dbf(handle_), recCount(), const_cast<char*>(blank.data())))
            fail("record cannot be appended");
    }
    current_ = recCount();
    before_.clear();
    dirty_ = true;
    dirtyIsNew_ = true;
}

// Writes through one of shapelib's typed writers and checks that the field now
// holds exactly the text we expect: shapelib cuts a value that is too wide and
// formats with the C library, and neither a cut value nor a foreign decimal comma
// may reach the file.
void XBaseTable::writeField(int field, const std::string& expected, const std::function<bool()>& write)
{
    const Layout& layout = layout_[static_cast<std::size_t>(field)];
    const std::string previous = std::string(tuple(current_) + layout.offset, static_cast<std::size_t>(layout.field.width));
    bool written = false;
    {
        CLocaleScope cLocale;
        written = write();
    }
    if (written && std::string_view(tuple(current_) + layout.offset, expected.size()) == expected)
        return;
    {
        CLocaleScope cLocale;
        DBFWriteAttributeDirectly(dbf(handle_), current_ - 1, field, const_cast<char*>(previous.c_str()));
    }
    fail("field " + layout.field.name + " was not written as \"" + expected + "\"");
}

void XBaseTable::replaceInt(std::string_view fieldName, std::int64_t value)
{
    const int field = fieldIndexOrThrow(fieldName);
    const Layout& layout = layout_[static_cast<std::size_t>(field)];
    if (!isNumericType(layout.field.type))
        fail("field " + layout.field.name + " is not numeric");
    const std::optional<std::string> text
        = std::abs(value) < (std::int64_t(1) << 53) ? FormatXBaseNumber(static_cast<double>(value), layout.field.width, layout.field.decimals)
                                                    : std::nullopt;
    if (!text)
        fail(std::to_string(value) + " does not fit field " + layout.field.name);
    touchCurrent();
    writeField(field, *text, [&] { return DBFWriteDoubleAttribute(dbf(handle_), current_ - 1, field, static_cast<double>(value)) != 0; });
}

void XBaseTable::replaceDouble(std::string_view fieldName, double value)
{
    const int field = fieldIndexOrThrow(fieldName);
    const Layout& layout = layout_[static_cast<std::size_t>(field)];
    if (!isNumericType(layout.field.type))
        fail("field " + layout.field.name + " is not numeric");
    if (value == 0)
        value = 0.0;
    const std::optional<std::string> text = FormatXBaseNumber(value, layout.field.width, layout.field.decimals);
    if (!text)
        fail("value does not fit field " + layout.field.name);
    touchCurrent();
    writeField(field, *text, [&] { return DBFWriteDoubleAttribute(dbf(handle_), current_ - 1, field, value) != 0; });
}

void XBaseTable::replaceDate(std::string_view fieldName, QDate value)
{
    const int field = fieldIndexOrThrow(fieldName);
    const Layout& layout = layout_[static_cast<std::size_t>(field)];
    if (layout.field.type != 'D')
        fail("field " + layout.field.name + " is not a date");
    if (!value.isValid() || value.year() < 1000 || value.year() > 9999)
        fail("date does not fit field " + layout.field.name);
    // A date goes in as the number yyyymmdd: shapelib formats 'D' fields like
    // numbers, so a text would be read as 0.
    const int number = value.year() * 10000 + value.month() * 100 + value.day();
    touchCurrent();
    writeField(field, std::to_string(number), [&] { return DBFWriteIntegerAttribute(dbf(handle_), current_ - 1, field, number) != 0; });
}

void XBaseTable::setLastUpdate(QDate today)
{
    if (handle_ && writable_)
        setUpdateDate(dbf(handle_), today);
}

void XBaseTable::commit()
{
    if (!handle_)
        fail("table is not open");
    if (!writable_)
        return;
    DBFHandle handle = dbf(handle_);
    HookFile& file = *hookFile(handle->fp);
    beginChange();
    {
        CLocaleScope cLocale;
        tShapelibError.clear();
        DBFUpdateHeader(handle);
    }
    // A failed write leaves the record half there, or counted and missing; either
    // would be taken for a record by the next commit or the next reader.
    if (file.writeError)
        failChange("cannot be written: " + errnoText(file.writeError));
    if (!tShapelibError.empty())
        failChange(tShapelibError);
    // One sync covers record and count: a crash before it leaves at worst an
    // uncounted record or a count the file cannot hold, and opening copes with
    // both.
    if (::fdatasync(file.fd) != 0)
        failChange("cannot be written to disk: " + errnoText(errno));
    endJournal(file);
    // The header is on disk with this count. Left set, the flag would have
    // shapelib write the count once more when the table closes, over whatever
    // another program has appended since.
    handle->bUpdated = 0;
    noteDiskState();
    if (dirty_) {
        dirty_ = false;
        if (current_ >= 1)
            reindexCurrent();
        dirtyIsNew_ = false;
        before_.clear();
    }
    endIndexChanges();
}
