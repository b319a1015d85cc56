// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/program_info.h"

#include <QFileInfo>
#include <QStringList>

QString ReadVersionText()
{
#ifdef KORVANIS_VERSION
    const QStringList parts = QStringLiteral(KORVANIS_VERSION).split(QLatin1Char('.'));
    if (parts.size() == 4) {
        QStringList numbers;
        for (const QString& part : parts) {
            bool ok = false;
            const uint n = part.toUInt(&ok);
            if (!ok || n > 0xFFFF)
                return QStringLiteral("V0.00");
            numbers << QString::number(n);
        }
        return QLatin1Char('V') + numbers.join(QLatin1Char('.'));
    }
#endif
    return QStringLiteral("V0.00");
}

QString ProgramDirFromPath(const QString& programFile)
{
    if (programFile.isEmpty())
        return QString();
    QString dir = QFileInfo(programFile).absolutePath();
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}
