// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "records/ntx_index.h"

#include "records/xbase_error.h"
#include "records/xbase_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace xbase_io;

namespace {

constexpr std::size_t kPageSize = NtxTree::kPageSize;
constexpr std::uint16_t kSignature = 6; // Clipper 5
constexpr std::size_t kExpressionLength = 256;
constexpr std::size_t kExpressionAt = 22;
constexpr std::size_t kUniqueAt = kExpressionAt + kExpressionLength;

// Returns false, with errno set, when a write fails or the disk takes no more.
bool writeFully(int fd, const char* data, std::size_t length, std::uint64_t offset)
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t put = ::pwrite(fd, data + done, length - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace

NtxIndex::NtxIndex(const QString& fileName, std::string_view expression, int keyLength)
    : fileName_(fileName), path_(localName(fileName)), expression_(expression), keyLength_(keyLength), tree_(keyLength)
{
    if (tree_.maxItems() < 2)
        throw XBaseError(path_ + ": keys of " + std::to_string(keyLength) + " characters do not fit an index page");
    if (expression_.size() >= kExpressionLength)
        throw XBaseError(path_ + ": key expression too long for an index file");
}

NtxIndex::~NtxIndex()
{
    // A store waits for the table alone; the pages it wrote here reach the disk
    // when the table closes. Until then a power cut may leave the file torn,
    // which the next start builds anew.
    if (fd_ >= 0 && !changing_ && unsynced_)
        ::fdatasync(fd_);
    closeFile();
}

void NtxIndex::build(const std::vector<IndexEntry>& sorted)
{
    tree_.build(sorted);
    version_ = 1;
    writeWhole();
}

void NtxIndex::rebuild(const std::vector<IndexEntry>& sorted)
{
    beginChange();
    tree_.build(sorted);
    rewrite_ = true;
    endChange();
}

void NtxIndex::headerPage(char* out) const
{
    std::memset(out, 0, kPageSize);
    NtxTree::putWord(out, kSignature);
    NtxTree::putWord(out + 2, version_);
    NtxTree::putLong(out + 4, tree_.rootOffset());
    NtxTree::putLong(out + 8, tree_.freeListOffset());
    NtxTree::putWord(out + 12, static_cast<std::uint32_t>(keyLength_ + 8));
    NtxTree::putWord(out + 14, static_cast<std::uint32_t>(keyLength_));
    NtxTree::putWord(out + 16, 0); // a key of STR() terms is text: no decimals of its own
    NtxTree::putWord(out + 18, static_cast<std::uint32_t>(tree_.maxItems()));
    NtxTree::putWord(out + 20, static_cast<std::uint32_t>(tree_.halfPage()));
    std::memcpy(out + kExpressionAt, expression_.data(), expression_.size());
    out[kUniqueAt] = 0;
}

// Writes the whole file under a private name, which then replaces the file under
// our name in one rename: a reader finds the old file or the new one, whole.
void NtxIndex::writeWhole()
{
    PrivateFile file;
    try {
        file = createPrivate(fileName_);
    } catch (const XBaseError&) {
        writeWholeInPlace();
        return;
    }
    try {
        writePages(file.fd);
        if (::fsync(file.fd) != 0)
            throw XBaseError(path_ + ": cannot be written to disk: " + errnoText(errno));
        replace(file.path, path_);
    } catch (...) {
        ::close(file.fd);
        ::unlink(file.path.c_str());
        throw;
    }
    syncDirectory(fileName_);
    // The file now goes by our name; nobody needs to tell it from a leftover.
    ::flock(file.fd, LOCK_UN);
    closeFile();
    fd_ = file.fd;
    wroteWhole();
}

// A folder that holds the table but may not be written takes no file beside
// ours: the file is rewritten where it is, marked out of date until its header
// comes last.
void NtxIndex::writeWholeInPlace()
{
    reopenByName();
    static const char outOfDate[2] = {0, 0};
    if (fd_ < 0 || !writeFully(fd_, outOfDate, sizeof outOfDate, 0))
        throw XBaseError(path_ + ": cannot be written: " + errnoText(fd_ < 0 ? ENOENT : errno));
    writePages(fd_);
    if (::ftruncate(fd_, static_cast<off_t>(NtxTree::offsetOf(tree_.pageCount()))) != 0)
        throw XBaseError(path_ + ": cannot be written: " + errnoText(errno));
    ::fdatasync(fd_);
    wroteWhole();
}

void NtxIndex::wroteWhole()
{
    unsynced_ = false;
    noteFile();
    rewrite_ = false;
    tree_.takeChangedPages(); // all written
}

// Every page from the first on, then the header, whose signature makes the file
// valid. Raises XBaseError when a write fails.
void NtxIndex::writePages(int fd) const
{
    std::vector<char> buffer(64 * kPageSize);
    std::uint32_t first = 1;
    while (first < tree_.pageCount()) {
        const std::uint32_t end = std::min<std::uint32_t>(tree_.pageCount(), first + 64);
        for (std::uint32_t page = first; page < end; ++page)
            tree_.pageImage(page, buffer.data() + (page - first) * kPageSize);
        if (!writeFully(fd, buffer.data(), (end - first) * kPageSize, NtxTree::offsetOf(first)))
            throw XBaseError(path_ + ": cannot be written: " + errnoText(errno));
        first = end;
    }
    headerPage(buffer.data());
    if (!writeFully(fd, buffer.data(), kPageSize, 0))
        throw XBaseError(path_ + ": cannot be written: " + errnoText(errno));
}

// The pages the change touched, then the header, whose signature makes the file
// valid again: until that last write a reader finds the file marked.
bool NtxIndex::writeChanges()
{
    char image[kPageSize];
    const std::vector<std::uint32_t> changed = tree_.takeChangedPages();
    for (const std::uint32_t page : changed) {
        tree_.pageImage(page, image);
        if (!writeFully(fd_, image, kPageSize, NtxTree::offsetOf(page)))
            return false;
    }
    if (!changed.empty())
        ++version_; // tools that share an index look here for a change
    headerPage(image);
    if (!writeFully(fd_, image, kPageSize, 0))
        return false;
    unsynced_ = true;
    noteFile();
    return true;
}

void NtxIndex::noteFile()
{
    struct stat status {};
    if (fd_ < 0 || ::fstat(fd_, &status) != 0) {
        size_ = -1;
        return;
    }
    device_ = status.st_dev;
    inode_ = status.st_ino;
    size_ = status.st_size;
    modified_ = status.st_mtim;
}

// Whether the file under our name is still the one we last wrote, as we left it:
// another tool may have rebuilt it meanwhile, and our pages would not fit there.
bool NtxIndex::stillOurs() const
{
    struct stat named {};
    return fd_ >= 0 && size_ >= 0 && ::stat(path_.c_str(), &named) == 0 && named.st_dev == device_
        && named.st_ino == inode_ && named.st_size == size_ && named.st_mtim.tv_sec == modified_.tv_sec
        && named.st_mtim.tv_nsec == modified_.tv_nsec;
}

void NtxIndex::reopenByName()
{
    closeFile();
    fd_ = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
    struct stat status {};
    if (fd_ >= 0 && (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)))
        closeFile();
}

void NtxIndex::closeFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    size_ = -1;
}

void NtxIndex::beginChange()
{
    if (changing_)
        return;
    changing_ = true;
    if (!stillOurs()) {
        // Whatever is there now is marked too, and written whole at the end.
        rewrite_ = true;
        reopenByName();
    }
    if (fd_ < 0)
        return; // no file under our name: none that could list wrong records
    static const char outOfDate[2] = {0, 0};
    if (!writeFully(fd_, outOfDate, sizeof outOfDate, 0)) {
        // A file that may come to list wrong record numbers is better gone.
        ::unlink(path_.c_str());
        closeFile();
        rewrite_ = true;
    }
}

void NtxIndex::endChange()
{
    if (!changing_)
        return;
    changing_ = false;
    if (rewrite_) {
        try {
            writeWhole();
        } catch (const XBaseError&) {
            // The file under our name keeps its mark until a later change
            // manages to write it, or the next start builds it anew.
        }
        return;
    }
    if (!writeChanges())
        rewrite_ = true;
}
