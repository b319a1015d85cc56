// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The card championship: a recall key press handled and painted in the real
// window, and the result view of ten decks built and painted at the end of
// recall. Prints one line per figure with its share of the target, in the time
// the program's thread spent (on a machine shared with builds the time on the
// wall mostly measures the others) and, for comparison, on the wall; run as
//   QT_QPA_PLATFORM=offscreen build/bench/bench_card_recall
#include "app/main_win.h"
#include "app/startup.h"
#include "cards/card_places.h"
#include "cards/win_karten_memo.h"
#include "cards/win_learn_cards.h"
#include "cards/win_meisterschaft.h"
#include "tests/support/fakes.h"
#include "widgets/up_down_edit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const char* name, double value, const char* unit, double target)
{
    std::printf("%s: %.3f %s (%.3f of the %g %s target)\n", name, value, unit, value / target, target, unit);
}

// The thread's CPU time and the wall time of one step, in microseconds.
struct Stopwatch {
    QElapsedTimer wall;
    double cpuStart = cpuNow();
    Stopwatch() { wall.start(); }
    static double cpuNow()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
    }
    double cpuUs() const { return cpuNow() - cpuStart; }
    double wallUs() const { return wall.nsecsElapsed() / 1e3; }
};

struct Figure {
    std::vector<double> cpu;
    std::vector<double> wall;
    void add(const Stopwatch& w)
    {
        cpu.push_back(w.cpuUs());
        wall.push_back(w.wallUs());
    }
    void report(const char* name, double scale, const char* unit, double target) const
    {
        ::report(name, median(cpu) / scale, unit, target);
        const std::string wallName = std::string(name) + "_wall";
        ::report(wallName.c_str(), median(wall) / scale, unit, target);
    }
};

QString keysOf(int face)
{
    return QString(QLatin1Char("A23456789TJQK"[(face - 1) % 13])) + QLatin1Char("CDHS"[(face - 1) / 13]);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FakeServices services;
    services.dialogs.defaultAnswer = false;
    TempProgramDir dir;
    auto main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                      dir.file("korvanis"));
    auto* field = qobject_cast<TWinLearnCards*>(main->windows().WinLearnCards);
    TWinKartenMemo* m = field->WinKartenMemo;
    field->WinMeisterschaft->udAnzahl->setValue(520);
    field->WinMeisterschaft->udMemoZeit->setValue(60);
    field->WinMeisterschaft->udReplay->setValue(120);
    field->show();

    Figure handled;
    Figure inDeck;
    Figure toNextDeck;
    Figure results;
    for (int round = 0; round < 11; ++round) {
        field->bStart->click();
        m->bStartStopClick(nullptr);
        QApplication::processEvents();
        const QByteArray given = m->attempt().attempt().given;
        for (int i = 0; i < given.size(); ++i) {
            // Every tenth card wrong, so the result view marks and draws the right card small.
            const int face = i % 10 == 3 ? quint8(given.at(i)) % 52 + 1 : quint8(given.at(i));
            const QString keys = keysOf(face);
            for (int k = 0; k < keys.size(); ++k) {
                const Stopwatch watch;
                QTest::keyClick(m->cpWiedergabe, keys.at(k).toLatin1());
                if (round < 3)
                    handled.add(watch);
                QApplication::processEvents();
                // The suit key of a deck's last card scrolls the next deck into
                // view and paints it and the picker whole: the slowest key, once
                // a deck, reported on its own.
                if (round < 3)
                    (k == 1 && i % 52 == 51 ? toNextDeck : inDeck).add(watch);
            }
        }
        const Stopwatch watch;
        m->bStartStopClick(nullptr);
        QApplication::processEvents();
        results.add(watch);
        m->close();
    }
    // The key handled: the entry, the places and the picker told what changed.
    handled.report("card_recall_key_handled_us", 1, "us", 1000);
    // The key handled and what it changed painted.
    inDeck.report("card_recall_key_painted_us", 1, "us", 1000);
    toNextDeck.report("card_recall_key_to_the_next_deck_painted_us", 1, "us", 1000);
    results.report("card_result_view_10_decks_ms", 1000, "ms", 20);
    return 0;
}
