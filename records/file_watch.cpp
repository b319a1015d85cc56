// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "records/file_watch.h"

#include <cerrno>
#include <cstring>
#include <linux/magic.h>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// inotify hears only what this machine does: on a network share another
// machine's writes would pass unnoticed.
bool isLocal(const std::string& folder)
{
    struct statfs status {};
    if (::statfs(folder.c_str(), &status) != 0)
        return false;
    switch (static_cast<unsigned long>(status.f_type)) {
    case NFS_SUPER_MAGIC:
    case SMB_SUPER_MAGIC:
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x65735546UL: // FUSE
    case V9FS_MAGIC:
    case AFS_SUPER_MAGIC:
    case CODA_SUPER_MAGIC:
        return false;
    default:
        return true;
    }
}

} // namespace

FileWatch::FileWatch(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    name_ = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!isLocal(folder))
        return;
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return;
    fileWatch_ = ::inotify_add_watch(fd_, path.c_str(), IN_MODIFY | IN_ATTRIB | IN_MOVE_SELF | IN_DELETE_SELF);
    // Only what happens to names in the folder, not every write to its files.
    folderWatch_ = ::inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE);
    if (fileWatch_ < 0 || folderWatch_ < 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

FileWatch::~FileWatch()
{
    if (fd_ >= 0)
        ::close(fd_);
}

// Reads every event queued; true when one concerns the file. A queue that
// overflowed, or cannot be read, concerns it too.
bool FileWatch::drain()
{
    if (fd_ < 0)
        return true;
    bool concerns = false;
    alignas(inotify_event) char buffer[4096];
    while (true) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return concerns;
        if (got <= 0)
            return true;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof event;
            if (event.wd == fileWatch_ || (event.mask & IN_Q_OVERFLOW) || (event.len > 0 && name_ == name))
                concerns = true;
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
}

bool FileWatch::somethingHappened()
{
    return drain();
}

void FileWatch::forget()
{
    drain();
}
