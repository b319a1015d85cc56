// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/program_folders.h"

#include "core/program_info.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString WithSlash(const QString& dir)
{
    return dir.isEmpty() || dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

bool HoldsDataFiles(const QString& dir)
{
    for (const QString& name : DataFileNames()) {
        if (QFileInfo::exists(dir + name))
            return true;
    }
    return false;
}

// Asking for permissions is not enough: a read-only mount, an ACL or a folder
// of another user all answer only to a real attempt.
bool TakesNewFiles(const QString& dir)
{
    QTemporaryFile probe(dir + QStringLiteral(".korvanis-probe-XXXXXX"));
    return probe.open();
}

} // namespace

const QStringList& DataFileNames()
{
    static const QStringList names{QStringLiteral("BRAIN.INI"), QStringLiteral("KORVANIS.DBF"),
                                   QStringLiteral("KORVANIS.NTX"), QStringLiteral("KORVANI2.NTX"),
                                   QStringLiteral("KORVANIS.SQLITE"), QStringLiteral("STANDARDS.TSV")};
    return names;
}

QString ChooseDataDir(const QString& programDir, const QString& userDir, DataFolderRule rule)
{
    if (rule == DataFolderRule::ProgramFolderFirst && (HoldsDataFiles(programDir) || TakesNewFiles(programDir)))
        return programDir;
    if (!userDir.isEmpty())
        QDir().mkpath(userDir);
    return WithSlash(userDir);
}

QString UserDataDir()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return dir.isEmpty() ? dir : WithSlash(QDir::cleanPath(dir));
}

QString ShippedFilesDir(const QString& programFile)
{
    const QString dir = ProgramDirFromPath(programFile);
#ifdef KORVANIS_INSTALLED_FILES
    // The way from the installed bin/ folder to share/korvanis/, fixed when the
    // program is configured, so a program installed under any prefix finds it.
    if (!dir.isEmpty() && !QFileInfo::exists(dir + QStringLiteral("Sounds"))) {
        const QString installed = WithSlash(QDir::cleanPath(dir + QStringLiteral(KORVANIS_INSTALLED_FILES)));
        if (QFileInfo::exists(installed + QStringLiteral("Sounds")))
            return installed;
    }
#endif
    return dir;
}

QString FindSound(const QString& relativeName, const QString& shippedDir)
{
    if (QFileInfo::exists(relativeName) || shippedDir.isEmpty())
        return relativeName;
    const QString shipped = shippedDir + relativeName;
    return QFileInfo::exists(shipped) ? shipped : relativeName;
}
