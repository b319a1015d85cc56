// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/history_file_set.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cstdio>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <utility>

namespace {

// The kernel's name of a file in /proc/locks: device (hex major:minor) and inode.
QByteArray lockKey(const QString& fileName)
{
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0)
        return {};
    char key[64];
    std::snprintf(key, sizeof key, "%02x:%02x:%llu", major(st.st_dev), minor(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    return key;
}

// Every file the kernel knows a lock on. The list is read rather than asked with
// F_GETLK: asking needs a descriptor of the file, and closing that one would drop
// the locks SQLite holds on it in this process.
QSet<QByteArray> lockedFiles()
{
    QSet<QByteArray> keys;
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return keys;
    // "1: POSIX  ADVISORY  READ 20135 fe:00:10953721 1073741826 1073742335"; a
    // waiting request is listed as "1: -> POSIX ...".
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const int at = fields.value(1) == "->" ? 6 : 5;
        if (fields.size() > at)
            keys.insert(fields[at]);
    }
    return keys;
}

QString nameOnly(const QString& fileName)
{
    return QFileInfo(fileName).fileName();
}

} // namespace

HistoryFileSet::HistoryFileSet(QString fileName) : fileName_(std::move(fileName)) {}

const QStringList& HistoryFileSet::CompanionSuffixes()
{
    static const QStringList suffixes{QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")};
    return suffixes;
}

QStringList HistoryFileSet::existing() const
{
    QStringList names;
    if (QFileInfo::exists(fileName_))
        names << nameOnly(fileName_);
    for (const QString& suffix : CompanionSuffixes()) {
        if (QFileInfo::exists(fileName_ + suffix))
            names << nameOnly(fileName_ + suffix);
    }
    return names;
}

bool HistoryFileSet::inUse() const
{
    const QSet<QByteArray> locked = lockedFiles();
    for (const QString& name : {fileName_, fileName_ + QStringLiteral("-shm")}) {
        const QByteArray key = lockKey(name);
        if (!key.isEmpty() && locked.contains(key))
            return true;
    }
    return false;
}

bool HistoryFileSet::hasLeftovers() const
{
    const QFileInfo file(fileName_);
    if (file.exists() && (!file.isFile() || file.size() > 0))
        return false;
    const bool logOrJournal = QFileInfo::exists(fileName_ + QStringLiteral("-wal"))
        || QFileInfo::exists(fileName_ + QStringLiteral("-journal"));
    // A copy that is creating the file this moment holds it while it is empty.
    return logOrJournal && !inUse();
}

bool HistoryFileSet::hasLog() const
{
    return QFileInfo(fileName_ + QStringLiteral("-wal")).size() > 0;
}

void HistoryFileSet::tidyReadOnlyCompanions() const
{
    const QFileInfo file(fileName_);
    const QFileInfo index(fileName_ + QStringLiteral("-shm"));
    const QFileInfo log(fileName_ + QStringLiteral("-wal"));
    const auto readOnly = [](const QFileInfo& info) {
        return info.isFile() && !(info.permissions() & QFileDevice::WriteOwner);
    };
    if ((!readOnly(index) && !readOnly(log)) || inUse())
        return;
    if (readOnly(index))
        QFile::remove(index.filePath());
    if (readOnly(log)) {
        if (log.size() == 0)
            QFile::remove(log.filePath());
        else if (file.exists() && !readOnly(file))
            QFile::setPermissions(log.filePath(), log.permissions() | QFileDevice::WriteOwner);
    }
}

bool HistoryFileSet::moveTo(const QString& target, QString& error) const
{
    QStringList suffixes{QString()};
    suffixes << CompanionSuffixes();
    QStringList moved;
    for (const QString& suffix : std::as_const(suffixes)) {
        QFile from(fileName_ + suffix);
        if (!from.exists())
            continue;
        if (!from.rename(target + suffix)) {
            error = from.errorString();
            // Back where they were: a set half here and half there is two sets.
            for (const QString& back : std::as_const(moved))
                QFile::rename(target + back, fileName_ + back);
            return false;
        }
        moved << suffix;
    }
    return true;
}

QString HistoryFileSet::datedName(const QDateTime& now) const
{
    const QFileInfo file(fileName_);
    const QString stem = file.absolutePath() + QLatin1Char('/') + file.completeBaseName() + QLatin1Char('-')
        + now.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    const QString extension = QLatin1Char('.') + file.suffix();
    const auto taken = [](const QString& name) {
        if (QFileInfo::exists(name))
            return true;
        for (const QString& suffix : CompanionSuffixes()) {
            if (QFileInfo::exists(name + suffix))
                return true;
        }
        return false;
    };
    QString name = stem + extension;
    for (int n = 2; taken(name); ++n)
        name = stem + QStringLiteral("-%1").arg(n) + extension;
    return name;
}
