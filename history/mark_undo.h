// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/stored_attempt.h"

#include <vector>

// One attempt's mark as a user's command changes it. The start goes with the
// row number: a row of that number in a file begun since (the old one set aside
// as damaged) is another attempt, and is left alone.
struct MarkChange {
    qint64 id = 0;
    QDateTime started;
    AttemptMark from = AttemptMark::Counted;
    AttemptMark to = AttemptMark::Counted;
    bool operator==(const MarkChange&) const = default;
};

// What marking and deleting attempts does, and how it is taken back: each
// command is one step, undone whole and in the reverse order of the commands.
class MarkUndo {
public:
    // The mark a command gives the chosen attempts: `mark` to all of them, or,
    // when every one has it already, back to counted, so that one key both sets
    // and lifts it.
    static AttemptMark Toggled(const std::vector<StoredAttempt>& chosen, AttemptMark mark);
    // The changes that give each chosen attempt `to`; those that have it are left out.
    static std::vector<MarkChange> ChangesTo(const std::vector<StoredAttempt>& chosen, AttemptMark to);
    // The same changes the other way round, in reverse order.
    static std::vector<MarkChange> Reversed(const std::vector<MarkChange>& changes);

    // A command that was carried out; an empty one is no step.
    void done(std::vector<MarkChange> changes);
    bool canUndo() const { return !steps_.empty(); }
    // The last command's changes, reversed, for the caller to carry out.
    std::vector<MarkChange> takeUndo();
    // Puts back a step whose undoing could not be written, so it can be tried again.
    void putBack(const std::vector<MarkChange>& reversedChanges);
    void clear() { steps_.clear(); }

private:
    std::vector<std::vector<MarkChange>> steps_;
};
