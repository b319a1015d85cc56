// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/attempt_mark.h"

QString MarkWord(AttemptMark mark)
{
    switch (mark) {
    case AttemptMark::Counted:
        return QString();
    case AttemptMark::Marked:
        return QStringLiteral("marked");
    case AttemptMark::Deleted:
        return QStringLiteral("deleted");
    }
    return QString();
}

QVariant MarkValue(AttemptMark mark)
{
    if (mark == AttemptMark::Counted)
        return QVariant(QMetaType::fromType<QString>());
    return MarkWord(mark);
}

AttemptMark MarkOf(const QVariant& value)
{
    if (value.isNull())
        return AttemptMark::Counted;
    const QString word = value.toString();
    if (word == MarkWord(AttemptMark::Deleted))
        return AttemptMark::Deleted;
    return AttemptMark::Marked;
}
