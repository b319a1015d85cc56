// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

class AppContext;

// The code under which the records table and the training history file a
// discipline. The numbers are stored in both files, so they never change.
enum DisciplineCode : int {
    NumbersPicture = 0,
    BinaryPicture = 1,
    CardsPicture = 2,
    NumbersMemo = 10,
    BinaryMemo = 11,
    CardsMemo = 12,
    SpokenNumbers = 13,
};

enum class DisciplineKind : quint8 {
    // The material flashed a line at a time and the run timed: the faster the better.
    PictureRun,
    // The material memorised, recalled and scored: the more points the better.
    ScoredAttempt,
};

// How the material of a scored attempt reaches the user, which decides what its
// first key time is and whether the time before recall is the user's own.
enum class Presentation : quint8 {
    Flashed,  // picture runs
    Sheet,    // memorised from a sheet against a limit in minutes
    Spoken,   // heard, one item per pulse
    Dealt,    // cards dealt and looked through at the user's pace against a limit in minutes
};

// The rule a scored attempt's recall is scored by; the rule objects themselves
// live with the other training rules. SpeedCards and CardDecks are the two card
// rules: up to the first wrong card, and deck by deck.
enum class ScoringKind : quint8 { None, Championship, FirstError, SpeedCards, CardDecks };

// The values an attempt's setting holds, as bits of Discipline::settings.
namespace SettingField {
constexpr quint8 Count = 1;
constexpr quint8 PerLine = 2;
constexpr quint8 MemoMinutes = 4;
constexpr quint8 RecallMinutes = 8;
constexpr quint8 Pulse = 16;
} // namespace SettingField

// The two times that follow the discipline code in a points record's key, in
// the unit the key holds them.
struct PointsKeyTimes {
    double first = 0;   // memorisation limit in seconds, or the pulse in milliseconds
    double recall = 0;  // recall limit in seconds
};

// One discipline of the program: everything that is decided by which discipline
// an attempt belongs to.
struct Discipline {
    DisciplineCode code;
    DisciplineKind kind;
    Presentation presentation;
    ScoringKind scoring;
    int nameTextId;
    const char* name;  // the German name, the default of the text
    // The items of its material: 10 decimal digits, 2 binary ones, 52 cards.
    int alphabetSize;
    // The SettingField bits of the values its attempts are set up with.
    quint8 settings;

    bool isPictureRun() const { return kind == DisciplineKind::PictureRun; }
    bool has(quint8 settingField) const { return (settings & settingField) != 0; }
    // Whether the time between START and recall is the user's own, kept in the
    // records table as the memorisation time used; a spoken attempt's is not.
    bool memoTimeIsUsers() const { return presentation == Presentation::Sheet || presentation == Presentation::Dealt; }
    // The rule an attempt of this setting is scored by. Memorised cards are
    // scored as speed cards when they are one deck at most and memorised in
    // SpeedCardsMinutes or less, and deck by deck otherwise.
    ScoringKind scoringOf(const AttemptRecord::Setting& setting) const;

    QString displayName(const AppContext& ctx) const;
    // The times of the points key of a setting; nothing for a picture run, or when
    // the setting lacks one of them.
    std::optional<PointsKeyTimes> pointsKeyTimes(const AttemptRecord::Setting& setting) const;
};

// The longest memorisation of a speed-cards attempt, in minutes.
inline constexpr int SpeedCardsMinutes = 5;

// Every discipline, in the order the program lists them.
const std::vector<Discipline>& AllDisciplines();
// The entry of a code the program knows.
const Discipline& DisciplineOf(DisciplineCode code);
// The entry of a code read from a file; nothing for a code this program does not know.
const Discipline* FindDiscipline(int code);
// The name of any code: a known discipline's, or "Disziplin <code>".
QString DisciplineName(const AppContext& ctx, int code);
