// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QHash>
#include <QString>

// The table of interface texts: German texts under their id, English texts under
// the id plus 10000. Loaded once from the program's resources.
class InterfaceTextTable {
public:
    static const InterfaceTextTable& builtIn();
    // Parses "id<TAB>text" lines; blank lines and lines starting with '#' are skipped.
    static InterfaceTextTable parse(const QByteArray& data);

    // The text stored under id, or an empty string.
    QString raw(int id) const { return texts_.value(id); }
    int size() const { return texts_.size(); }
    // Every id the table holds, in no particular order.
    QList<int> ids() const { return texts_.keys(); }

    // The text of id in the given language (1 English, anything else German), or
    // def when the table has no such text or it is empty.
    QString lookup(int language, int id, const QString& def) const;

private:
    QHash<int, QString> texts_;
};

// The longest text a lookup yields: a text that would outgrow every caption is
// a fault in the table, cut here rather than shown whole.
constexpr int MaxInterfaceTextLength = 254;
