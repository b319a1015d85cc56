// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/replace_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString privatePrefix(const QFileInfo& target)
{
    return QLatin1Char('.') + target.fileName() + QLatin1Char('.');
}

// Another copy's private file stays while that copy runs: its pid is alive, or
// it still holds the lock it took when it made the file (a reused pid).
void removeStaleTemporaries(const QFileInfo& target)
{
    const QString prefix = privatePrefix(target);
    const QDir folder = target.absoluteDir();
    const QStringList names = folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        bool isPid = false;
        const qint64 pid = name.mid(prefix.size()).toLongLong(&isPid);
        if (!isPid || pid <= 0 || pid == ::getpid())
            continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void syncFolder(const QFileInfo& target)
{
    const int fd = ::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // best effort: some file systems refuse to sync a folder
    ::close(fd);
}

} // namespace

bool ReplaceFileContents(const QString& fileName, const QByteArray& bytes)
{
    const QFileInfo target(fileName);
    removeStaleTemporaries(target);

    const QByteArray finalPath = QFile::encodeName(target.absoluteFilePath());
    const QByteArray tempPath
        = QFile::encodeName(target.absoluteDir().filePath(privatePrefix(target) + QString::number(::getpid())));
    struct stat old {};
    const bool exists = ::stat(finalPath.constData(), &old) == 0;
    const mode_t mode = exists ? (old.st_mode & 07777) : 0666; // the umask trims a new file's mode

    ::unlink(tempPath.constData()); // our own, from a write that was cut short
    const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    bool ok = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (ok && exists)
        ok = ::fchmod(fd, mode) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(tempPath.constData(), finalPath.constData()) == 0;
    if (!ok) {
        ::unlink(tempPath.constData());
        return false;
    }
    syncFolder(target);
    return true;
}
