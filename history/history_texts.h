// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/history_store.h"

#include <QList>
#include <QString>

class AppContext;

// What the history shows of its attempts: the texts of settings, the columns of
// a discipline and the texts of their cells, judged without a screen.

QString SettingText(const AppContext& ctx, const AttemptRecord::Setting& setting);

enum class HistoryColumn {
    Discipline,
    Setting,
    Started,
    RunSeconds,
    Points,
    CorrectDigits,
    MarkedErrors,
    MemoSeconds,
    RecallSeconds,
    Completed,
    Saved,
};

// The columns a discipline's table shows.
QList<HistoryColumn> ColumnsOf(int discipline);
// A column's title; the time before recall is named after what the user did then.
QString ColumnTitle(const AppContext& ctx, HistoryColumn column, int discipline = -1);

// On screen numbers carry the user's decimal separator and dates the program's
// format; in a file they carry '.' and ISO 8601, so other programs read them.
enum class CellStyle { Screen, File };
QString CellText(const AppContext& ctx, const StoredAttempt& stored, HistoryColumn column, CellStyle style);
