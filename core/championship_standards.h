// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// How a standard turns a result into championship points.
enum class PointsFormula : quint8 {
    PerStandard,  // score / value x 1000
    SpeedCards,   // value / t^0.75, t the memorisation seconds of a deck recalled right
    Spoken,       // sqrt(score) x value
};

// One row of the table of standards: a body's value for a discipline in one
// format (its memorisation minutes) from one year, and where it is published.
struct ChampionshipStandard {
    QString body;        // who sets it: "WMSC", "IAM", ...
    QString discipline;  // "numbers", "binary", "cards", "speedcards", "spoken", ...
    int minutes = 0;     // memorisation minutes of the format; 0 where the formula needs none
    int year = 0;
    PointsFormula formula = PointsFormula::PerStandard;
    double value = 0;
    QString source;

    bool operator==(const ChampionshipStandard&) const = default;
};

// The table of standards as the file holds it: a tab-separated line per row
// (body, discipline, minutes, year, formula, value, source), '#' lines
// comments. The program ships one; the user keeps an editable copy beside the
// settings.
class ChampionshipStandards {
public:
    static constexpr const char* FileName = "STANDARDS.TSV";

    // The table the program ships with.
    static const ChampionshipStandards& shipped();
    // The rows of a file; nothing when a line is not a row, with that line's
    // number (from 1) in *badLine.
    static std::optional<ChampionshipStandards> parse(const QByteArray& data, int* badLine = nullptr);
    QByteArray toText() const;

    std::vector<ChampionshipStandard> rows;

    // The newest standard of a body's discipline in a format; a row of minutes
    // 0 serves every format. Null when the table has none.
    const ChampionshipStandard* find(const QString& body, const QString& discipline, int minutes) const;

    bool operator==(const ChampionshipStandards&) const = default;
};

// The table of standards the user works with, read from the data folder.
struct StandardsLoad {
    ChampionshipStandards standards;
    // The line of the user's file that could not be read, 0 when it was read
    // (or there was none to read). Then the shipped table stands in, and the
    // file is left as it is for the user to mend.
    int badLine = 0;
    QString file;
};

// Reads the user's table from dataDir; where there is none yet, the shipped
// table is written there to be edited (a failed write leaves it missing, and
// the shipped table still counts).
StandardsLoad LoadChampionshipStandards(const QString& dataDir);
// Writes the user's table in one step; false when it could not be written,
// and then the file on disk is what it was.
bool SaveChampionshipStandards(const QString& dataDir, const ChampionshipStandards& standards);
