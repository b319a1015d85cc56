// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The best under each rule set on a long history of one setting: 20000
// attempts of 400 digits (8 million items), some spoiled. Measured: the read of
// every attempt's items and their scoring under the four rule sets, and in the
// history window how long the window waits for it (not at all: it is read
// beside the window) and when the best is on show.
#include "app/korvanis_application.h"
#include "app/main_win.h"
#include "app/qt_services.h"
#include "app/startup.h"
#include "core/disciplines.h"
#include "history/attempt_columns.h"
#include "history/history_store.h"
#include "history/item_tables.h"
#include "history/rule_set_bests.h"
#include "overviews/verlauf_regelwerke.h"
#include "overviews/win_verlauf.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>

namespace {

constexpr int Attempts = 20000;
constexpr int Digits = 400;
const AttemptRecord::Setting Setting{Digits, {}, 5, 10, {}};

AttemptRecord attemptNo(Random& random)
{
    AttemptRecord a;
    a.discipline = NumbersMemo;
    a.setting = Setting;
    a.result = {{}, 300, 380, 5, 300.0, 540.0};
    a.itemsPerRow = 40;
    a.items.given = QByteArray(Digits, '0');
    for (char& c : a.items.given)
        c = char('0' + random.next(10));
    a.items.answers = a.items.given;
    for (int k = random.next(6); k > 0; --k) {
        const int at = random.next(Digits);
        a.items.answers[at] = char('0' + (a.items.answers[at] - '0' + 1) % 10);
    }
    a.items.answeredAtMs = QVector<qint32>(Digits, 1000);
    return a;
}

// The attempts written in one transaction: how they got there is not measured.
void fill(const QString& folder)
{
    {
        HistoryStore store;
        store.open(folder);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(folder + QLatin1String(HistoryStore::FileName));
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        q.exec(QStringLiteral("BEGIN"));
        SeededRandom random(20260312);
        const QDateTime start(QDate(2016, 1, 1), QTime(7, 0), Qt::OffsetFromUTC, 3600);
        for (int i = 0; i < Attempts; ++i) {
            StoredAttempt stored{attemptNo(random), start.addSecs(qint64(i) * 15000)};
            q.prepare(QStringLiteral("INSERT INTO attempts (") + AttemptColumns::List()
                      + QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
            AttemptColumns::bind(q, stored);
            q.exec();
            ItemTables::writeItems(q, q.lastInsertId().toLongLong(), stored.attempt);
        }
        q.exec(QStringLiteral("COMMIT"));
        q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

} // namespace

int main(int argc, char** argv)
{
    KorvanisApplication app(argc, argv);
    QTemporaryDir folder;
    fill(folder.path() + "/");

    {
        HistoryStore store;
        store.open(folder.path() + "/");
        const std::vector<StoredAttempt> attempts = store.attempts(NumbersMemo, Setting);
        RuleSetBests bests(ChampionshipStandards::shipped(), 0);
        const std::atomic<bool> cancel(false);
        QElapsedTimer clock;
        clock.start();
        bests.readFrom(store.readerConnection(), attempts, cancel);
        const qint64 ms = clock.elapsed();
        std::printf("history_rule_bests_20k_ms: %lld ms (%d attempts of %d digits, %.1f us each)\n",
                    static_cast<long long>(ms), bests.scored(), Digits, ms * 1000.0 / std::max(1, bests.scored()));
    }

    SteadyTickSource tickSource;
    QtDialogs dialogs;
    app.setErrorDialogs(&dialogs);
    SeededRandom random(1);
    QtWavePlayer wavePlayer;
    auto mainWin = CreateKorvanisWindows(tickSource, wavePlayer, dialogs, random, folder.path() + "/korvanis");
    auto* verlauf = qobject_cast<TWinVerlauf*>(mainWin->windows().WinVerlauf);
    QElapsedTimer clock;
    clock.start();
    verlauf->show();
    const qint64 shownMs = clock.elapsed();
    while (!verlauf->windowHandle() || !verlauf->windowHandle()->isExposed())
        app.processEvents(QEventLoop::AllEvents, 5);
    app.processEvents();
    const qint64 exposedMs = clock.elapsed();
    // The reader tells its progress in between: the window stays answering.
    qint64 longestGapMs = 0;
    qint64 last = clock.elapsed();
    while (verlauf->pRegelwerke->reading()) {
        app.processEvents(QEventLoop::AllEvents, 5);
        const qint64 now = clock.elapsed();
        longestGapMs = std::max(longestGapMs, now - last);
        last = now;
    }
    app.processEvents();
    std::printf("history_rules_window_open_ms: %lld ms (on show after %lld ms; %zu attempts)\n",
                static_cast<long long>(exposedMs), static_cast<long long>(shownMs), verlauf->shown().size());
    std::printf("history_rules_best_shown_ms: %lld ms (from the opening)\n", static_cast<long long>(clock.elapsed()));
    std::printf("history_rules_longest_event_gap_ms: %lld ms (while the best is read)\n",
                static_cast<long long>(longestGapMs));
    return 0;
}
