// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "records/xbase_file.h"

#include "records/xbase_error.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace xbase_io {

namespace {

constexpr std::uint64_t kCacheChunk = 256 * 1024;

} // namespace

thread_local OpenRequest* tRequest = nullptr;
thread_local std::string tShapelibError;

std::string errnoText(int error)
{
    return std::strerror(error);
}

std::string localName(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

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

void replace(const std::string& from, const std::string& to)
{
    struct stat replaced {};
    if (::stat(to.c_str(), &replaced) == 0) {
        const std::string failure = takeModeAndOwner(from, replaced);
        if (!failure.empty())
            throw XBaseError(from + ": " + failure);
    }
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw XBaseError(to + ": " + errnoText(errno));
}

PrivateFile createPrivate(const QString& fileName)
{
    static std::atomic<unsigned> serial{0};
    const QFileInfo info(fileName);
    const std::string prefix = localName(info.absolutePath() + QLatin1Char('/') + QLatin1Char('.') + info.fileName()) + '.'
        + std::to_string(::getpid()) + '.';
    PrivateFile file;
    for (int attempt = 0; attempt < 16 && file.fd < 0; ++attempt) {
        file.path = prefix + std::to_string(serial++);
        file.fd = ::open(file.path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file.fd < 0 && errno != EEXIST)
            break;
    }
    if (file.fd < 0)
        throw XBaseError(localName(fileName) + ": " + errnoText(errno));
    if (::flock(file.fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(file.fd);
        ::unlink(file.path.c_str());
        throw XBaseError(localName(fileName) + ": " + errnoText(error));
    }
    return file;
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

} // namespace xbase_io
