#include "records/xbase_table.h"

#include <QFile>
#include <QFileInfo>

#include <shapefil.h>

#include <algorithm>
#include <atomic>
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

namespace {

// shapelib formats and parses numbers with the C library, which follows the
// process locale; under a German LC_NUMERIC it would write "250,5" into the file
// and read "250.5" as 250. Every call into shapelib runs under the C locale.
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

    static locale_t cLocale()
    {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        return c;
    }

private:
    locale_t previous_;
};

std::string errnoText(int error)
{
    return std::strerror(error);
}

// ---------------------------------------------------------------------------
// File hooks. shapelib opens files by names it derives itself (it swaps the
// extension for ".dbf", then ".DBF", and looks for a ".cpg" beside the table), has
// no locking and trusts whatever header it finds. Our hooks open exactly the file
// the engine means, lock it, vet its header before shapelib sees it, and serve the
// record-by-record reads of an index build from a read cache.

struct HookFile {
    int fd = -1;
    bool ownsFd = true;
    std::uint64_t pos = 0;
    std::vector<char> cache;
    std::uint64_t cacheStart = 0;
    std::uint64_t cacheLength = 0;
    std::uint64_t readEnd = 0;
    // What the header claims and what the file can hold, found at open.
    std::uint32_t headerCount = 0;
    std::uint64_t recordsHeld = 0;
    unsigned headerLength = 0;
    unsigned recordLength = 0;
    int fieldCount = 0;
    int* errorSink = nullptr; // where the write error goes at close, for a new table
    // The first write that failed, as errno. shapelib drops the result of most of
    // its writes (the header, the end mark, a record flushed on the way to another),
    // so whoever lets it write checks this afterwards.
    int writeError = 0;
    // While a change is under way: the file's length before it and every stretch
    // of the old file its writes covered, so a change that fails can be undone.
    bool journaling = false;
    std::uint64_t lengthBefore = 0;
    std::vector<std::pair<std::uint64_t, std::string>> overwritten;
};

constexpr std::uint64_t kCacheChunk = 256 * 1024;

struct OpenRequest {
    std::string path;
    bool writable = true;  // wanted; a file marked read-only is opened for reading all the same
    bool exclusive = true; // locked against every other opener, not only writers
    bool openedWritable = false;
    int createdFd = -1; // a freshly created file to hand out instead of opening
    int writeError = 0;  // the first write to it that failed
    bool attempted = false;
    std::string error;
    HookFile* file = nullptr;
};

thread_local OpenRequest* tRequest = nullptr;
thread_local std::string tShapelibError;

class RequestScope {
public:
    explicit RequestScope(OpenRequest* request) { tRequest = request; }
    ~RequestScope() { tRequest = nullptr; }
    RequestScope(const RequestScope&) = delete;
    RequestScope& operator=(const RequestScope&) = delete;
};

HookFile* hookFile(SAFile file)
{
    return reinterpret_cast<HookFile*>(file);
}

std::uint64_t readAt(HookFile& file, char* out, std::uint64_t length, std::uint64_t offset)
{
    std::uint64_t done = 0;
    while (done < length) {
        const std::uint64_t at = offset + done;
        if (at >= file.cacheStart && at < file.cacheStart + file.cacheLength) {
            const std::uint64_t part = std::min(length - done, file.cacheStart + file.cacheLength - at);
            std::memcpy(out + done, file.cache.data() + (at - file.cacheStart), part);
            done += part;
            continue;
        }
        // Only a read that continues the previous one fills the cache: a scan
        // reads on in order, while a lookup wants one record and would pay for
        // the whole chunk.
        if (length - done >= kCacheChunk || at != file.readEnd) {
            const ssize_t got = ::pread(file.fd, out + done, length - done, static_cast<off_t>(at));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += static_cast<std::uint64_t>(got);
            continue;
        }
        file.cache.resize(kCacheChunk);
        const ssize_t got = ::pread(file.fd, file.cache.data(), kCacheChunk, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            file.cacheLength = 0;
            break;
        }
        file.cacheStart = at;
        file.cacheLength = static_cast<std::uint64_t>(got);
    }
    file.readEnd = offset + done;
    return done;
}

std::uint64_t writeAt(HookFile& file, const char* in, std::uint64_t length, std::uint64_t offset)
{
    std::string old;
    if (file.journaling && offset < file.lengthBefore) {
        old.resize(std::min(length, file.lengthBefore - offset));
        const ssize_t got = ::pread(file.fd, old.data(), old.size(), static_cast<off_t>(offset));
        if (got != static_cast<ssize_t>(old.size())) {
            // What is not saved could not be put back: better not written at all.
            if (!file.writeError)
                file.writeError = got < 0 ? errno : EIO;
            return 0;
        }
    }
    std::uint64_t done = 0;
    while (done < length) {
        const ssize_t put = ::pwrite(file.fd, in + done, length - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (!file.writeError)
                file.writeError = put < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::uint64_t>(put);
    }
    if (!old.empty() && done > 0) {
        old.resize(std::min<std::uint64_t>(old.size(), done));
        file.overwritten.emplace_back(offset, std::move(old));
    }
    const std::uint64_t low = std::max(offset, file.cacheStart);
    const std::uint64_t high = std::min(offset + done, file.cacheStart + file.cacheLength);
    if (low < high)
        std::memcpy(file.cache.data() + (low - file.cacheStart), in + (low - offset), high - low);
    return done;
}

// Starts keeping what the writes of a change overwrite. Nothing to undo yet.
bool beginJournal(HookFile& file)
{
    struct stat status {};
    if (::fstat(file.fd, &status) != 0)
        return false;
    file.journaling = true;
    file.lengthBefore = static_cast<std::uint64_t>(status.st_size);
    file.overwritten.clear();
    return true;
}

void endJournal(HookFile& file)
{
    file.journaling = false;
    file.overwritten.clear();
}

// Puts the file back as it was when the journal began: the overwritten bytes in
// reverse order of writing (so the oldest copy of a byte is the last one put back),
// then the old length, which drops anything appended. Only bytes that were written
// once are written again, so this needs no room the change did not already get.
// Returns the reason when the file could not be put back.
std::string undoJournal(HookFile& file)
{
    std::string failure;
    const bool wasJournaling = file.journaling;
    file.journaling = false;
    file.writeError = 0;
    for (auto at = file.overwritten.rbegin(); at != file.overwritten.rend(); ++at) {
        if (writeAt(file, at->second.data(), at->second.size(), at->first) != at->second.size() && failure.empty())
            failure = errnoText(file.writeError);
    }
    if (wasJournaling && ::ftruncate(file.fd, static_cast<off_t>(file.lengthBefore)) != 0 && failure.empty())
        failure = errnoText(errno);
    if (::fdatasync(file.fd) != 0 && failure.empty())
        failure = errnoText(errno);
    file.cacheLength = 0;
    file.readEnd = 0;
    file.overwritten.clear();
    file.writeError = 0;
    return failure;
}

// The header as dBase III defines it, checked before shapelib reads it: shapelib
// allocates and indexes by whatever lengths it finds there.
std::string checkHeader(HookFile& file, std::uint64_t size)
{
    unsigned char head[32];
    if (size < sizeof head || ::pread(file.fd, head, sizeof head, 0) != static_cast<ssize_t>(sizeof head))
        return "truncated header";
    if (head[0] != 0x03 && head[0] != 0x83)
        return "not a dBase III table (version byte " + std::to_string(head[0]) + ")";
    const std::uint32_t count = head[4] | head[5] << 8 | head[6] << 16 | std::uint32_t(head[7]) << 24;
    const unsigned headerLength = head[8] | head[9] << 8;
    const unsigned recordLength = head[10] | head[11] << 8;
    if (headerLength < 32 + 32 + 1)
        return "header length " + std::to_string(headerLength) + " too small";
    if (size < headerLength)
        return "truncated header";
    std::vector<unsigned char> descriptors(headerLength - 32);
    if (::pread(file.fd, descriptors.data(), descriptors.size(), 32) != static_cast<ssize_t>(descriptors.size()))
        return "truncated header";

    unsigned fieldsLength = 1; // the deletion flag
    int fields = 0;
    bool terminated = false;
    for (std::size_t at = 0; at < descriptors.size(); at += 32) {
        if (descriptors[at] == 0x0D) {
            // Some writers pad the header after its terminator. Record bytes there
            // mean the header length is wrong and every record would be read
            // shifted.
            terminated = std::all_of(descriptors.begin() + static_cast<std::ptrdiff_t>(at) + 1, descriptors.end(),
                                     [](unsigned char c) { return c == 0x00 || c == 0x0D || c == 0x1A; });
            if (!terminated)
                return "header length disagrees with the fields";
            break;
        }
        if (at + 32 > descriptors.size())
            break;
        const unsigned char* field = &descriptors[at];
        const unsigned width = field[16];
        const unsigned decimals = field[17];
        bool fits = false;
        switch (field[11]) {
        case 'N':
        case 'F':
            fits = width >= 1 && width <= 20 && decimals < width;
            break;
        case 'D':
            fits = width == 8;
            break;
        case 'L':
            fits = width == 1;
            break;
        case 'C':
            fits = width >= 1 && decimals == 0;
            break;
        default:
            return "field " + std::to_string(fields + 1) + " has an unknown type";
        }
        if (!fits)
            return "field " + std::to_string(fields + 1) + " has an impossible width";
        fieldsLength += width;
        ++fields;
    }
    if (!terminated || fields == 0)
        return "field descriptors are not terminated";
    if (fieldsLength != recordLength)
        return "record length " + std::to_string(recordLength) + " disagrees with the fields ("
            + std::to_string(fieldsLength) + ")";
    file.headerCount = count;
    file.recordsHeld = std::min<std::uint64_t>((size - headerLength) / recordLength, 0x7FFFFFF0);
    file.headerLength = headerLength;
    file.recordLength = recordLength;
    file.fieldCount = fields;
    return {};
}

// A table whose owner may not write it is marked read-only, the way file managers
// show it and Samba maps the DOS read-only attribute. The mark is honoured even
// where the system would let us write (root, a group allowed to write): whoever
// set it wants the table kept as it is.
bool markedReadOnly(const struct stat& status)
{
    return (status.st_mode & S_IWUSR) == 0;
}

SAFile hookOpen(const char* name, const char* access)
{
    OpenRequest* request = tRequest;
    if (!request)
        return nullptr;
    const std::size_t nameLength = std::strlen(name);
    if (nameLength >= 4 && strcasecmp(name + nameLength - 4, ".cpg") == 0)
        return nullptr; // the table's code page is in its header, never beside it

    auto file = std::make_unique<HookFile>();
    if (request->createdFd >= 0) {
        file->fd = request->createdFd;
        file->ownsFd = false;
        file->errorSink = &request->writeError;
        if (access[0] == 'w' && ::ftruncate(file->fd, 0) != 0)
            return nullptr;
        return reinterpret_cast<SAFile>(file.release());
    }

    // shapelib tries a second spelling of the name when the first open fails; the
    // file we mean is the same, so the first answer stands.
    if (request->attempted)
        return nullptr;
    request->attempted = true;

    int fd = ::open(request->path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        request->error = errnoText(errno);
        return nullptr;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        request->error = "is not a regular file";
        ::close(fd);
        return nullptr;
    }
    if (request->writable && !markedReadOnly(status)) {
        const int writableFd = ::open(request->path.c_str(), O_RDWR | O_CLOEXEC);
        const int error = errno;
        struct stat again {};
        if (writableFd >= 0) {
            ::close(fd);
            fd = writableFd;
            if (::fstat(fd, &again) != 0 || again.st_dev != status.st_dev || again.st_ino != status.st_ino) {
                request->error = "was replaced while it was being opened";
                ::close(fd);
                return nullptr;
            }
            request->openedWritable = true;
        } else if (error != EACCES && error != EPERM && error != EROFS) {
            request->error = errnoText(error);
            ::close(fd);
            return nullptr;
        }
        // Otherwise the system will not let us write it: it is read, as one
        // marked read-only is.
    }
    file->fd = fd;
    if (::flock(fd, (request->exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        request->error = errno == EWOULDBLOCK ? "is in use by another program" : errnoText(errno);
        ::close(fd);
        return nullptr;
    }
    request->error = checkHeader(*file, static_cast<std::uint64_t>(status.st_size));
    if (!request->error.empty()) {
        ::close(fd);
        return nullptr;
    }
    request->file = file.get();
    return reinterpret_cast<SAFile>(file.release());
}

SAOffset hookRead(void* buffer, SAOffset size, SAOffset count, SAFile handle)
{
    HookFile& file = *hookFile(handle);
    if (size == 0 || count == 0)
        return 0;
    const std::uint64_t got = readAt(file, static_cast<char*>(buffer), size * count, file.pos);
    file.pos += got;
    return got / size;
}

SAOffset hookWrite(void* buffer, SAOffset size, SAOffset count, SAFile handle)
{
    HookFile& file = *hookFile(handle);
    if (size == 0 || count == 0)
        return 0;
    const std::uint64_t put = writeAt(file, static_cast<const char*>(buffer), size * count, file.pos);
    file.pos += put;
    return put / size;
}

SAOffset hookSeek(SAFile handle, SAOffset offset, int whence)
{
    HookFile& file = *hookFile(handle);
    switch (whence) {
    case SEEK_SET:
        file.pos = offset;
        return 0;
    case SEEK_CUR:
        file.pos += offset;
        return 0;
    case SEEK_END: {
        struct stat status {};
        if (::fstat(file.fd, &status) != 0)
            return static_cast<SAOffset>(-1);
        file.pos = static_cast<std::uint64_t>(status.st_size) + offset;
        return 0;
    }
    default:
        return static_cast<SAOffset>(-1);
    }
}

SAOffset hookTell(SAFile handle)
{
    return hookFile(handle)->pos;
}

int hookFlush(SAFile)
{
    return 0; // nothing is buffered on the way out; commit() syncs
}

int hookClose(SAFile handle)
{
    HookFile* file = hookFile(handle);
    if (file->errorSink && !*file->errorSink)
        *file->errorSink = file->writeError;
    int result = 0;
    if (file->ownsFd)
        result = ::close(file->fd);
    delete file;
    return result;
}

int hookRemove(const char*)
{
    return 0; // the only file shapelib removes is a ".cpg" we never write
}

void hookError(const char* message)
{
    tShapelibError = message;
}

double hookAtof(const char* text)
{
    return strtod_l(text, nullptr, CLocaleScope::cLocale());
}

SAHooks fileHooks()
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FOpen = hookOpen;
    hooks.FRead = hookRead;
    hooks.FWrite = hookWrite;
    hooks.FSeek = hookSeek;
    hooks.FTell = hookTell;
    hooks.FFlush = hookFlush;
    hooks.FClose = hookClose;
    hooks.Remove = hookRemove;
    hooks.Error = hookError;
    hooks.Atof = hookAtof;
    return hooks;
}

DBFHandle dbf(void* handle)
{
    return static_cast<DBFHandle>(handle);
}

std::string localName(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

void setUpdateDate(DBFHandle handle, QDate today)
{
    if (!today.isValid())
        return;
    DBFSetLastModifiedDate(handle, std::clamp(today.year() - 1900, 0, 255), today.month(), today.day());
}

void syncDirectory(const QString& fileName)
{
    const int fd = ::open(localName(QFileInfo(fileName).absolutePath()).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // best effort: some file systems refuse to sync a directory
    ::close(fd);
}

// Gives a file that takes another's place that file's owner and mode, so that a
// replaced table is neither more nor less open to others than before. The owner
// only where we may hand the file over; the mode always.
std::string takeModeAndOwner(const std::string& path, const struct stat& of)
{
    // The owner first: a change of owner clears the set-id bits that the mode
    // then puts back.
    if (::chown(path.c_str(), of.st_uid, of.st_gid) != 0)
        (void)::chown(path.c_str(), static_cast<uid_t>(-1), of.st_gid);
    if (::chmod(path.c_str(), of.st_mode & 07777) != 0)
        return errnoText(errno);
    return {};
}

// Moves a finished file to its name unless something is already there. Returns
// 0 or the reason as errno.
int linkNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno == EEXIST)
        return errno;
    // A file system without hard links: the check and the rename are two steps.
    if (::access(to.c_str(), F_OK) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Moves a finished file over an empty one: a file of no bytes holds no table,
// only what is left where one could not be written. Only while nobody holds it
// and the name still means that very file, so that two copies starting at once
// cannot both replace it, the second one the table the first has just made.
std::string replaceEmpty(const std::string& from, const std::string& to)
{
    const int fd = ::open(to.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errnoText(errno);
    std::string failure;
    struct stat held {};
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        failure = errno == EWOULDBLOCK ? "is in use by another program" : errnoText(errno);
    else if (::fstat(fd, &held) != 0 || ::stat(to.c_str(), &named) != 0)
        failure = errnoText(errno);
    else if (!S_ISREG(held.st_mode) || held.st_size != 0 || held.st_dev != named.st_dev || held.st_ino != named.st_ino)
        failure = errnoText(EEXIST);
    else if (markedReadOnly(held))
        failure = "is marked read-only";
    else
        failure = takeModeAndOwner(from, held);
    if (failure.empty() && ::rename(from.c_str(), to.c_str()) != 0)
        failure = errnoText(errno);
    ::close(fd);
    return failure;
}

void publish(const std::string& from, const std::string& to)
{
    const int error = linkNoReplace(from, to);
    if (error == 0)
        return;
    const std::string failure = error == EEXIST ? replaceEmpty(from, to) : errnoText(error);
    if (!failure.empty())
        throw XBaseError(to + ": " + failure);
}

// The length of a dBase III file without records: the header, one descriptor per
// field, the header's terminator and the end mark.
std::uint64_t emptyTableLength(std::size_t fields)
{
    return 32 + 32 * static_cast<std::uint64_t>(fields) + 1 + 1;
}

// ---------------------------------------------------------------------------
// Numbers as xBase keeps them: right-aligned text with '.' as the decimal point.

struct DecimalText {
    bool blank = false;
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<DecimalText> parseDecimal(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    DecimalText number;
    if (text.empty()) {
        number.blank = true;
        return number;
    }
    if (text.front() == '-' || text.front() == '+') {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t at = 0;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    number.integerDigits = text.substr(0, at);
    if (at < text.size() && text[at] == '.') {
        const std::size_t start = ++at;
        while (at < text.size() && isDigit(text[at]))
            ++at;
        number.fractionDigits = text.substr(start, at - start);
    }
    if (at != text.size() || (number.integerDigits.empty() && number.fractionDigits.empty()))
        return std::nullopt;
    return number;
}

// xBase STR(): the value rounded half away from zero to `decimals`, right-aligned in
// `width`, or asterisks when it does not fit. A blank field counts as 0.
void appendStr(std::string& out, const DecimalText& number, int width, int decimals)
{
    std::string_view integer = number.blank ? std::string_view() : number.integerDigits;
    while (!integer.empty() && integer.front() == '0')
        integer.remove_prefix(1);
    const std::string_view fraction = number.blank ? std::string_view() : number.fractionDigits;
    const auto places = static_cast<std::size_t>(decimals);
    if (integer.size() + places > 18) {
        out.append(static_cast<std::size_t>(width), '*');
        return;
    }
    std::uint64_t scaled = 0;
    for (char c : integer)
        scaled = scaled * 10 + static_cast<std::uint64_t>(c - '0');
    for (std::size_t i = 0; i < places; ++i)
        scaled = scaled * 10 + (i < fraction.size() ? static_cast<std::uint64_t>(fraction[i] - '0') : 0);
    if (places < fraction.size() && fraction[places] >= '5')
        ++scaled;

    char digits[24];
    const auto length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, scaled).ptr - digits);
    std::string text;
    if (number.negative && scaled != 0)
        text += '-';
    if (length <= places)
        text.append(places - length + 1, '0');
    text.append(digits, length);
    if (places > 0)
        text.insert(text.size() - places, 1, '.');
    if (text.size() > static_cast<std::size_t>(width)) {
        out.append(static_cast<std::size_t>(width), '*');
        return;
    }
    out.append(static_cast<std::size_t>(width) - text.size(), ' ');
    out += text;
}

} // namespace

std::optional<std::string> FormatXBaseNumber(double value, int width, int decimals)
{
    if (!std::isfinite(value) || width < 1 || decimals < 0)
        return std::nullopt;
    if (value == 0)
        value = 0.0; // printf would keep the sign of -0.0
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return std::nullopt;
    const std::size_t length = static_cast<std::size_t>(result.ptr - text);
    if (length > static_cast<std::size_t>(width))
        return std::nullopt;
    return std::string(static_cast<std::size_t>(width) - length, ' ') + std::string(text, length);
}

// ---------------------------------------------------------------------------

struct XBaseTable::KeyTerm {
    int field = 0; // 0-based
    int width = 0;
    int decimals = 0;
};

struct XBaseTable::Index {
    struct Entry {
        std::string key;
        int recNo = 0;
    };
    QString file;
    std::string expression;
    std::vector<KeyTerm> terms;
    int keyLength = 0;
    std::vector<Entry> entries; // sorted by key, then record number

    static bool before(const Entry& a, const Entry& b)
    {
        const int byKey = a.key.compare(b.key);
        return byKey < 0 || (byKey == 0 && a.recNo < b.recNo);
    }
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
    const QFileInfo info(fileName);
    static std::atomic<unsigned> serial{0};

    // Built under a private name and moved into place only when whole, so no
    // half-written table is ever found under the real name. The name carries our
    // process id and the file is locked while it is written, so that what a killed
    // process left can be told from what a running one is still writing
    // (removeLeftovers).
    std::string building;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        building = localName(info.absolutePath() + QLatin1Char('/') + QLatin1Char('.') + info.fileName()) + '.'
            + std::to_string(::getpid()) + '.' + std::to_string(serial++);
        fd = ::open(building.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw XBaseError(path + ": " + errnoText(errno));

    try {
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            throw XBaseError(path + ": " + errnoText(errno));
        OpenRequest request;
        request.path = building;
        request.createdFd = fd;
        {
            CLocaleScope cLocale;
            RequestScope scope(&request);
            SAHooks hooks = fileHooks();
            tShapelibError.clear();
            DBFHandle handle = DBFCreateLL(building.c_str(), "LDID/0", &hooks);
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
        publish(building, path);
        syncDirectory(fileName);
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(building.c_str());
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
    const std::string source = localName(from);
    const std::string target = localName(to);
    struct stat replaced {};
    if (::stat(target.c_str(), &replaced) == 0) {
        const std::string failure = takeModeAndOwner(source, replaced);
        if (!failure.empty())
            throw XBaseError(source + ": " + failure);
    }
    if (::rename(source.c_str(), target.c_str()) != 0)
        throw XBaseError(target + ": " + errnoText(errno));
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
    // chance; it must be read afresh from the file instead.
    handle->bCurrentRecordModified = 0;
    handle->nCurrentRecord = -1;
    if (began) {
        handle->nRecords = recordsBefore_;
        current_ = currentBefore_;
    }
    dirty_ = false;
    dirtyIsNew_ = false;
    before_.clear();
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
    for (Index& index : indexes_)
        rebuildEntries(index);
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

void XBaseTable::rebuildEntries(Index& index)
{
    index.entries.clear();
    const int count = recCount();
    index.entries.reserve(static_cast<std::size_t>(count));
    std::string key;
    for (int recNo = 1; recNo <= count; ++recNo) {
        const char* record = tuple(recNo);
        if (record[0] == '*')
            continue;
        if (buildKey(index, record, key))
            index.entries.push_back({key, recNo});
    }
    std::sort(index.entries.begin(), index.entries.end(), Index::before);
}

int XBaseTable::index(const QString& indexFile, std::string_view keyExpression)
{
    if (!handle_)
        fail("table is not open");
    flushPending();
    Index index;
    index.file = indexFile;
    index.expression = keyExpression;
    index.terms = parseKeyExpression(keyExpression);
    for (const KeyTerm& term : index.terms)
        index.keyLength += term.width;
    rebuildEntries(index);

    std::string out = "Korvanis index 1\n" + index.expression + '\n' + std::to_string(index.keyLength) + ' '
        + std::to_string(index.entries.size()) + '\n';
    out.reserve(out.size() + index.entries.size() * static_cast<std::size_t>(index.keyLength + 12));
    char number[16];
    for (const Index::Entry& entry : index.entries) {
        out += entry.key;
        out += ' ';
        out.append(number, std::to_chars(number, number + sizeof number, entry.recNo).ptr);
        out += '\n';
    }
    const std::string path = localName(indexFile);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw XBaseError(path + ": " + errnoText(errno));
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t put = ::write(fd, out.data() + done, out.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            const int error = errno;
            ::close(fd);
            throw XBaseError(path + ": " + errnoText(error));
        }
        done += static_cast<std::size_t>(put);
    }
    if (::close(fd) != 0)
        throw XBaseError(path + ": " + errnoText(errno));

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
        }
        if (hasKey) {
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
    if (dirty_) {
        dirty_ = false;
        if (current_ >= 1)
            reindexCurrent();
        dirtyIsNew_ = false;
        before_.clear();
    }
}
