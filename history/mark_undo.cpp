// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/mark_undo.h"

#include <algorithm>

AttemptMark MarkUndo::Toggled(const std::vector<StoredAttempt>& chosen, AttemptMark mark)
{
    const bool all = !chosen.empty()
        && std::all_of(chosen.begin(), chosen.end(), [mark](const StoredAttempt& s) { return s.mark == mark; });
    return all ? AttemptMark::Counted : mark;
}

std::vector<MarkChange> MarkUndo::ChangesTo(const std::vector<StoredAttempt>& chosen, AttemptMark to)
{
    std::vector<MarkChange> changes;
    for (const StoredAttempt& s : chosen) {
        if (s.id != 0 && s.mark != to)
            changes.push_back({s.id, s.started, s.mark, to});
    }
    return changes;
}

std::vector<MarkChange> MarkUndo::Reversed(const std::vector<MarkChange>& changes)
{
    std::vector<MarkChange> back;
    back.reserve(changes.size());
    for (auto it = changes.rbegin(); it != changes.rend(); ++it)
        back.push_back({it->id, it->started, it->to, it->from});
    return back;
}

void MarkUndo::done(std::vector<MarkChange> changes)
{
    if (!changes.empty())
        steps_.push_back(std::move(changes));
}

std::vector<MarkChange> MarkUndo::takeUndo()
{
    if (steps_.empty())
        return {};
    std::vector<MarkChange> last = std::move(steps_.back());
    steps_.pop_back();
    return Reversed(last);
}

void MarkUndo::putBack(const std::vector<MarkChange>& reversedChanges)
{
    done(Reversed(reversedChanges));
}
