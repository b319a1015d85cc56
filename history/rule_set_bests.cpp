// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/rule_set_bests.h"

#include "core/disciplines.h"
#include "history/item_tables.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

std::atomic<int> connectionSerial{0};

// Equal points are told apart by the championship points: a speed-cards deck
// recalled in less time is the better one.
bool Better(const RuleSetResult& a, const RuleSetResult& b)
{
    if (a.points != b.points)
        return a.points > b.points;
    return a.championshipPoints.value_or(-1) > b.championshipPoints.value_or(-1);
}

} // namespace

RuleSetBests::RuleSetBests(const ChampionshipStandards& standards, qint32 language)
    : standards_(standards), language_(language)
{
}

std::optional<AttemptForRules> RuleSetBests::ForRules(const AttemptRecord& withItems)
{
    const Discipline* discipline = FindDiscipline(withItems.discipline);
    if (!discipline || discipline->isPictureRun() || withItems.items.given.isEmpty())
        return std::nullopt;
    return AttemptForRules{discipline, withItems.setting, &withItems.items, withItems.itemsPerRow,
                           withItems.result.memoSecondsUsed.value_or(0)};
}

void RuleSetBests::add(const StoredAttempt& stored)
{
    if (stored.mark != AttemptMark::Counted)
        return;
    const std::optional<AttemptForRules> forRules = ForRules(stored.attempt);
    if (!forRules) {
        ++withoutItems_;
        return;
    }
    ++scored_;
    const std::vector<RuleSetResult> results = ScoreUnderRuleSets(*forRules, standards_, language_);
    // The attempts of one setting share their rule sets; one of another setting
    // handed in by mistake starts nothing new.
    if (bests_.empty()) {
        for (const RuleSetResult& r : results)
            bests_.push_back({r, stored.id, stored.started});
        return;
    }
    for (std::size_t i = 0; i < results.size() && i < bests_.size(); ++i) {
        if (results[i].name == bests_[i].result.name && Better(results[i], bests_[i].result))
            bests_[i] = {results[i], stored.id, stored.started};
    }
}

bool RuleSetBests::readFrom(const HistoryConnection& file, const std::vector<StoredAttempt>& attempts,
                            const std::atomic<bool>& cancel, const std::function<void(int)>& progress)
{
    const QString connection = QStringLiteral("korvanis-rule-bests-%1").arg(++connectionSerial);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file.databaseName);
        db.setConnectOptions(file.options);
        if (db.open())
            ok = read(connection, attempts, cancel, progress);
        else
            error_ = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

bool RuleSetBests::read(const QString& connection, const std::vector<StoredAttempt>& attempts,
                        const std::atomic<bool>& cancel, const std::function<void(int)>& progress)
{
    QSqlQuery q(QSqlDatabase::database(connection, false));
    q.setForwardOnly(true);
    int read = 0;
    for (const StoredAttempt& listed : attempts) {
        if (cancel)
            return true;
        // A set-aside attempt is not read at all.
        if (listed.mark != AttemptMark::Counted)
            continue;
        StoredAttempt stored = listed;
        // Times this program cannot unpack leave the material and the answers,
        // which are all the rules read.
        if (!ItemTables::read(q, stored.id, stored.attempt) && q.lastError().isValid()) {
            error_ = q.lastError().text();
            return false;
        }
        add(stored);
        if (++read % ProgressEvery == 0 && progress)
            progress(read);
    }
    if (progress)
        progress(read);
    return true;
}
