// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>

// How a connection to the history file is opened: the database name (a path,
// or an SQLite URI) and the Qt SQLite connect options.
struct HistoryConnection {
    QString databaseName;
    QString options;
};
