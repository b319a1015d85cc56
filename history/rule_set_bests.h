// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/history_connection.h"
#include "history/stored_attempt.h"
#include "training/rule_sets.h"

#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

// The best points under one rule set, and the attempt that reached them.
struct RuleSetBest {
    RuleSetResult result;
    qint64 attemptId = 0;
    QDateTime started;
};

// The best under each rule set of a setting, over the attempts that count and
// whose items the history holds: those written before the items were kept, and
// those the user set aside, are passed over. The items are taken one attempt at
// a time and let go again, since a setting trained for years holds millions.
class RuleSetBests {
public:
    RuleSetBests(const ChampionshipStandards& standards, qint32 language);

    // What the rule sets read of an attempt with its items; nothing for a
    // picture run, a discipline this program does not know, or an attempt
    // without items. It points into `withItems`.
    static std::optional<AttemptForRules> ForRules(const AttemptRecord& withItems);

    // An attempt read with its items.
    void add(const StoredAttempt& stored);

    // Reads the items of the attempts through a connection of its own, so that
    // it runs in a thread of its own, and adds them; `progress` hears how many
    // were read every so often. Stops once `cancel` is set; false when a read
    // failed, error() telling why, the bests so far standing.
    bool readFrom(const HistoryConnection& file, const std::vector<StoredAttempt>& attempts,
                  const std::atomic<bool>& cancel, const std::function<void(int read)>& progress = {});

    // One per rule set of the setting, in its order; empty until an attempt
    // with items was added.
    const std::vector<RuleSetBest>& bests() const { return bests_; }
    // The attempts that counted and had items, and those that counted without.
    int scored() const { return scored_; }
    int withoutItems() const { return withoutItems_; }
    const QString& error() const { return error_; }

    // Every how many attempts readFrom() tells its progress.
    static constexpr int ProgressEvery = 200;

private:
    bool read(const QString& connection, const std::vector<StoredAttempt>& attempts, const std::atomic<bool>& cancel,
              const std::function<void(int)>& progress);

    const ChampionshipStandards& standards_;
    qint32 language_;
    std::vector<RuleSetBest> bests_;
    int scored_ = 0;
    int withoutItems_ = 0;
    QString error_;
};
