// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The training history: one attempt written and committed (durably, as the
// program writes each one), and the history window opened on 10000 attempts of
// one setting, from the command until its table and plot are on screen.
#include "app/korvanis_application.h"
#include "app/main_win.h"
#include "app/qt_services.h"
#include "app/startup.h"
#include "history/history_store.h"
#include "overviews/win_verlauf.h"

#include <QElapsedTimer>
#include <QLineSeries>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

AttemptRecord memorisation(int points)
{
    AttemptRecord a;
    a.discipline = 10;
    a.setting = {400, {}, 5, 10, {}};
    a.result = {{}, points, points + 3, 2, 300.0, 598.5};
    return a;
}

// The median of many single writes: one slow flush of the disk says little.
double insertMs(const QString& folder)
{
    HistoryStore store;
    store.open(folder);
    store.record(memorisation(1));
    std::vector<double> times;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer clock;
        clock.start();
        store.record(memorisation(i));
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Ten thousand attempts, written in one transaction: how they got there is not
// what is measured.
void fill(const QString& folder, int count)
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
        q.exec(QStringLiteral("BEGIN"));
        q.prepare(QStringLiteral("INSERT INTO attempts (discipline, count, memo_minutes, recall_minutes, points,"
                                 " correct_digits, marked_errors, memo_seconds_used, recall_seconds_used, completed,"
                                 " saved_as_record, started_utc, utc_offset_s) VALUES (10, 400, 5, 10, ?, ?, 2,"
                                 " 300, 598.5, 1, 0, ?, 7200)"));
        const QDateTime start(QDate(2020, 1, 1), QTime(18, 0), Qt::UTC);
        for (int i = 0; i < count; ++i) {
            q.addBindValue(200 + i % 150);
            q.addBindValue(203 + i % 150);
            q.addBindValue(start.addSecs(qint64(i) * 3 * 3600).toString(Qt::ISODateWithMs));
            q.exec();
        }
        q.exec(QStringLiteral("COMMIT"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

} // namespace

int main(int argc, char** argv)
{
    KorvanisApplication app(argc, argv);
    QTemporaryDir insertFolder;
    std::printf("history_insert_ms: %.2f ms (target 5 ms)\n", insertMs(insertFolder.path() + "/"));

    QTemporaryDir folder;
    fill(folder.path() + "/", 10000);
    SteadyTickSource tickSource;
    QtDialogs dialogs;
    app.setErrorDialogs(&dialogs);
    SeededRandom random(clockSeed());
    QtWavePlayer wavePlayer;
    auto mainWin = CreateKorvanisWindows(tickSource, wavePlayer, dialogs, random, folder.path() + "/korvanis");
    auto* verlauf = qobject_cast<TWinVerlauf*>(mainWin->windows().WinVerlauf);

    QElapsedTimer clock;
    clock.start();
    verlauf->show();
    while (!verlauf->windowHandle() || !verlauf->windowHandle()->isExposed())
        app.processEvents(QEventLoop::AllEvents, 5);
    app.processEvents();
    const qint64 openMs = clock.elapsed();
    std::printf("history_open_10k_ms: %lld ms (target 100 ms; %zu rows, %lld points)\n",
                static_cast<long long>(openMs), verlauf->shown().size(),
                static_cast<long long>(verlauf->resultSeries()->count()));
    return 0;
}
