// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/history_analysis.h"
#include "history/history_texts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class AppContext;

// The tables of the error analysis as the window shows them and a CSV file
// holds them, judged without a screen.
enum class AnalysisTableKind { Columns, Rows, Images, Confusions, ShowTimes };

struct AnalysisCell {
    QString text;
    // What the column sorts by: the number itself, so "10" follows "9".
    double sortValue = 0;
};

struct AnalysisTable {
    QStringList header;
    // Per column whether it holds numbers, which line up on the right.
    QList<bool> numeric;
    std::vector<std::vector<AnalysisCell>> rows;
    // The header and the texts of every row.
    QList<QStringList> textRows() const;
};

// The name of an image: digits as written ("07", "010"), a card by its name, a
// pair of cards as both names.
QString ImageText(int alphabetSize, int size, qint64 image);

// One table of a result for a discipline read in images of `imageSize`.
AnalysisTable MakeAnalysisTable(const AppContext& ctx, AnalysisTableKind kind, const AnalysisResult& result,
                                int discipline, int imageSize, CellStyle style);
