// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/interface_text.h"

#include <QFile>

InterfaceTextTable InterfaceTextTable::parse(const QByteArray& data)
{
    InterfaceTextTable table;
    for (QByteArray line : data.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const int tab = line.indexOf('\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = line.left(tab).trimmed().toInt(&ok);
        if (!ok)
            continue;
        table.texts_.insert(id, QString::fromUtf8(line.mid(tab + 1)).left(MaxInterfaceTextLength));
    }
    return table;
}

const InterfaceTextTable& InterfaceTextTable::builtIn()
{
    static const InterfaceTextTable table = [] {
        QFile file(QStringLiteral(":/interface_texts.tsv"));
        if (!file.open(QIODevice::ReadOnly))
            return InterfaceTextTable();
        return parse(file.readAll());
    }();
    return table;
}

QString InterfaceTextTable::lookup(int language, int id, const QString& def) const
{
    if (language == 1)
        id += 10000;
    const QString text = texts_.value(id);
    return text.isEmpty() ? def : text;
}
