// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The error analysis on the history of a daily athlete over ten years: 200000
// attempts of 100 items each (numbers, picture runs, binary, cards), 20 million
// items in all. Measured from the window's opening until its first table is
// filled and until the whole analysis is read; and what a single attempt with
// its items costs at the time it is written.
#include "app/korvanis_application.h"
#include "app/main_win.h"
#include "app/qt_services.h"
#include "app/startup.h"
#include "core/disciplines.h"
#include "history/attempt_columns.h"
#include "history/history_store.h"
#include "history/item_tables.h"
#include "history/item_tally.h"
#include "overviews/win_analyse.h"
#include "overviews/win_verlauf.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int Attempts = 200000;
constexpr int Items = 100;

// Every athlete has a few images that keep failing, and slips elsewhere.
QByteArray answersTo(const QByteArray& given, int alphabet, Random& random)
{
    const int base = alphabet == 52 ? 1 : '0';
    QByteArray answers = given;
    for (int i = 0; i + 1 < answers.size(); i += 2) {
        const int roll = random.next(1000);
        if (roll < 15)
            std::swap(answers[i], answers[i + 1]);
        else if (roll < 25)
            answers[i] = char(base + (answers[i] - base + 1) % alphabet);
    }
    // One attempt in five ends before the sheet does.
    if (random.next(5) == 0)
        answers.replace(80, 20, QByteArray(20, '\0'));
    return answers;
}

AttemptRecord attemptNo(int i, Random& random)
{
    AttemptRecord a;
    Attempt& items = a.items;
    switch (i % 10) {
    case 6:
    case 7: {
        a.discipline = NumbersPicture;
        a.setting = {Items, 2, {}, {}, {}};
        items.given = QByteArray(Items, '0');
        items.shownAtMs = QVector<qint32>(Items);
        qint32 at = 0;
        for (int k = 0; k < Items; k += 2) {
            items.given[k] = char('0' + random.next(10));
            items.given[k + 1] = char('0' + random.next(10));
            items.shownAtMs[k] = items.shownAtMs[k + 1] = at;
            at += 400 + random.next(900);
        }
        a.result.runSeconds = at / 1000.0 + 0.5;
        return a;
    }
    case 8:
        a.discipline = BinaryMemo;
        a.itemsPerRow = 30;
        items.given = QByteArray(Items, '0');
        for (char& c : items.given)
            c = char('0' + random.next(2));
        items.answers = answersTo(items.given, 2, random);
        break;
    case 9: {
        a.discipline = CardsMemo;
        a.itemsPerRow = 52;
        items.given = QByteArray(Items, '\1');
        items.shownAtMs = items.lastShownAtMs = QVector<qint32>(Items);
        for (int k = 0; k < Items; ++k) {
            items.given[k] = char(1 + random.next(52));
            items.shownAtMs[k] = k * 2000 + random.next(500);
            items.lastShownAtMs[k] = items.shownAtMs[k] + 800 + random.next(1500);
        }
        items.answers = answersTo(items.given, 52, random);
        break;
    }
    default:
        a.discipline = NumbersMemo;
        a.itemsPerRow = 40;
        items.given = QByteArray(Items, '0');
        for (char& c : items.given)
            c = char('0' + random.next(10));
        items.answers = answersTo(items.given, 10, random);
        break;
    }
    a.setting = {Items, {}, 5, 10, {}};
    a.result = {{}, 80, 90, 5, 300.0, 400.0};
    items.answeredAtMs = QVector<qint32>(Items);
    qint32 at = 0;
    for (qint32& t : items.answeredAtMs)
        t = at += 300 + random.next(1200);
    return a;
}

// The attempts written in one transaction, the counts of each month added once
// that month is over: how they got there is not what is measured.
qint64 fill(const QString& folder)
{
    {
        HistoryStore store;
        store.open(folder);
    }
    qint64 items = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(folder + QLatin1String(HistoryStore::FileName));
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        q.exec(QStringLiteral("BEGIN"));
        SeededRandom random(20240515);
        const QDateTime start(QDate(2016, 1, 1), QTime(7, 0), Qt::OffsetFromUTC, 3600);
        std::map<int, ItemTally> month;
        int monthNow = 0;
        const auto addMonth = [&] {
            for (const auto& [discipline, tally] : month)
                ItemTables::addTallies(q, discipline, monthNow, tally);
            month.clear();
        };
        for (int i = 0; i < Attempts; ++i) {
            StoredAttempt stored{attemptNo(i, random), start.addSecs(qint64(i) * 1578)};
            const int m = ItemTables::MonthOf(stored.started);
            if (m != monthNow) {
                addMonth();
                monthNow = m;
            }
            q.prepare(QStringLiteral("INSERT INTO attempts (") + AttemptColumns::List()
                      + QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
            AttemptColumns::bind(q, stored);
            q.exec();
            ItemTables::writeItems(q, q.lastInsertId().toLongLong(), stored.attempt);
            const int alphabet = DisciplineOf(DisciplineCode(stored.attempt.discipline)).alphabetSize;
            month.try_emplace(stored.attempt.discipline, alphabet).first->second.add(stored.attempt);
            items += stored.attempt.items.size();
        }
        addMonth();
        q.exec(QStringLiteral("COMMIT"));
        q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return items;
}

// The median of many single writes of a 400-digit memorisation with its items.
double insertMs(const QString& folder)
{
    HistoryStore store;
    store.open(folder);
    SeededRandom random(5);
    std::vector<double> times;
    for (int i = 0; i < 101; ++i) {
        AttemptRecord a = attemptNo(0, random);
        a.items.given = a.items.given.repeated(4);
        a.items.answers = a.items.answers.repeated(4);
        a.items.answeredAtMs = a.items.answeredAtMs + a.items.answeredAtMs + a.items.answeredAtMs
            + a.items.answeredAtMs;
        QElapsedTimer clock;
        clock.start();
        store.record(a);
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Opening {
    qint64 firstMs = 0;
    qint64 allMs = 0;
    int rows = 0;
};

Opening open(QApplication& app, TMainWin& main, int discipline, int imageSize)
{
    TWinAnalyse w(main.context(), main.history());
    w.setDiscipline(discipline);
    QElapsedTimer clock;
    clock.start();
    w.show();
    Opening o;
    while (w.result().stepsDone < 1 || !w.windowHandle() || !w.windowHandle()->isExposed())
        app.processEvents(QEventLoop::AllEvents, 1);
    app.processEvents();
    o.firstMs = clock.elapsed();
    o.rows = w.sgSpalten->model()->rowCount();
    if (imageSize != w.request().imageSize)
        w.cbBilder->setCurrentIndex(w.cbBilder->findData(imageSize));
    while (!w.readingDone())
        app.processEvents(QEventLoop::AllEvents, 1);
    app.processEvents();
    o.allMs = clock.elapsed();
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    KorvanisApplication app(argc, argv);
    QTemporaryDir insertFolder;
    std::printf("history_insert_items_ms: %.2f ms (a 400-digit attempt with its items; target 5 ms)\n",
                insertMs(insertFolder.path() + "/"));

    // A folder given on the command line keeps the generated history to look at.
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QElapsedTimer filling;
    filling.start();
    const qint64 items = fill(folder + "/");
    std::printf("history_analysis_fill_s: %.1f s (%d attempts, %lld items, %.0f MB)\n", filling.elapsed() / 1000.0,
                Attempts, static_cast<long long>(items),
                QFileInfo(folder + "/" + HistoryStore::FileName).size() / 1e6);

    SteadyTickSource tickSource;
    QtDialogs dialogs;
    app.setErrorDialogs(&dialogs);
    SeededRandom random(1);
    QtWavePlayer wavePlayer;
    QElapsedTimer starting;
    starting.start();
    auto mainWin = CreateKorvanisWindows(tickSource, wavePlayer, dialogs, random, folder + "/korvanis");
    std::printf("history_analysis_startup_ms: %lld ms (the program's start on this history)\n",
                static_cast<long long>(starting.elapsed()));

    const Opening numbers = open(app, *mainWin, NumbersMemo, 2);
    std::printf("history_analysis_200k_first_table_ms: %lld ms (target 200 ms; ratio %.2f; %d columns)\n",
                static_cast<long long>(numbers.firstMs), numbers.firstMs / 200.0, numbers.rows);
    std::printf("history_analysis_200k_ms: %lld ms (target 2000 ms; ratio %.2f; numbers memorisation, pairs)\n",
                static_cast<long long>(numbers.allMs), numbers.allMs / 2000.0);
    const Opening triples = open(app, *mainWin, NumbersMemo, 3);
    std::printf("history_analysis_200k_triples_ms: %lld ms (target 2000 ms; ratio %.2f)\n",
                static_cast<long long>(triples.allMs), triples.allMs / 2000.0);
    const Opening cards = open(app, *mainWin, CardsMemo, 2);
    std::printf("history_analysis_200k_card_pairs_ms: %lld ms (target 2000 ms; ratio %.2f)\n",
                static_cast<long long>(cards.allMs), cards.allMs / 2000.0);

    // The history window the analysis opens from, on its largest setting.
    auto* verlauf = qobject_cast<TWinVerlauf*>(mainWin->windows().WinVerlauf);
    QElapsedTimer clock;
    clock.start();
    verlauf->show();
    while (!verlauf->windowHandle() || !verlauf->windowHandle()->isExposed())
        app.processEvents(QEventLoop::AllEvents, 5);
    app.processEvents();
    std::printf("history_open_200k_ms: %lld ms (%zu attempts of the setting shown)\n",
                static_cast<long long>(clock.elapsed()), verlauf->shown().size());
    return 0;
}
