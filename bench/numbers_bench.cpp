// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The numbers window at its largest: an attempt of 20000 digits and a picture run
// of 10000, driven through the real window with a hand-moved clock. Prints one
// line per figure with its share of the target.
#include "app/main_win.h"
#include "app/startup.h"
#include "numbers/memo_sheets.h"
#include "numbers/numbers_base.h"
#include "tests/support/fakes.h"
#include "widgets/panel.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msSince(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

size_t heapBytes()
{
    return mallinfo2().uordblks;
}

void report(const char* name, double value, const char* unit, double target)
{
    std::printf("%s: %.3f %s (%.3f of the %g %s target)\n", name, value, unit, value / target, target, unit);
}

// START of an attempt "ohne Limit" on an already painted window, filled and shown.
std::vector<double> timedStarts(TNumbersBase* w, int repeats)
{
    w->show();
    w->pcTraining->setCurrentWidget(w->tsMemo);
    std::vector<double> starts;
    for (int round = 0; round < repeats; ++round) {
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        w->bStartStopClick(w->bStartStop);
        starts.push_back(msSince(timer));
        w->bStartStopClick(w->bStartStop);
        w->bStartStopClick(w->bStartStop);
    }
    w->hide();
    return starts;
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
    const std::vector<double> binaryStarts = timedStarts(main->findChild<TNumbersBase*>("WinBinaer"), 15);
    auto* w = main->findChild<TNumbersBase*>("WinZahlen");
    w->show();
    w->pcTraining->setCurrentWidget(w->tsMemo);
    QApplication::processEvents();

    constexpr int Repeats = 15;
    std::vector<double> starts, scores, keys;
    const size_t heapIdle = heapBytes();
    size_t heapAttempt = 0;
    for (int round = 0; round < Repeats; ++round) {
        // The user clicks START on a window that is already painted.
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        w->bStartStopClick(w->bStartStop); // 20000 digits: fill both sheets
        starts.push_back(msSince(timer));
        if (round == 0)
            heapAttempt = heapBytes();

        w->bStartStopClick(w->bStartStop); // recall
        for (int i = 0; i < 200; ++i) {
            w->sgReplay->setCurrentCell(40, 499);
            timer.restart();
            QTest::keyClick(w->sgReplay, char('0' + i % 10));
            keys.push_back(msSince(timer) * 1000.0);
        }
        // The whole sheet typed back, every seventh digit a 0, as the attempt
        // hears of each typed cell.
        for (int r = 0; r < 500; ++r) {
            for (int c = 1; c <= 40; ++c) {
                const char digit = (r * 40 + c) % 7 ? w->sgMemo->cellChar(c, r) : '0';
                w->sgReplay->setCellChar(c, r, digit);
                w->sheets->edited(r * 40 + c - 1, digit);
            }
        }
        timer.restart();
        w->bStartStopClick(w->bStartStop); // score and mark
        scores.push_back(msSince(timer));
    }

    QImage canvas(w->sgReplay->size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> paints;
    for (int i = 0; i < Repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        w->sgReplay->render(&canvas);
        paints.push_back(msSince(timer));
    }

    // The picture page: clicks that show the next group.
    w->pcTraining->setCurrentWidget(w->tsBilder);
    w->udAnzahl->setValue(10000);
    w->udZeile->setValue(1);
    w->bStartStopClick(w->bStartStop);
    std::vector<double> advances;
    for (int i = 0; i < 2000; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(w->pZahlen, Qt::LeftButton);
        advances.push_back(msSince(timer) * 1000.0);
    }
    w->bStartStopClick(w->bStartStop);

    report("fill_20000_ms", median(starts), "ms", 5);
    report("fill_20000_binary_ms", median(binaryStarts), "ms", 5);
    report("keypress_us", median(keys), "us", 1000);
    report("attempt_20000_kb", (heapAttempt - heapIdle) / 1024.0, "kB", 2048);
    report("score_20000_ms", median(scores), "ms", 5);
    report("advance_us", median(advances), "us", 1000);
    std::printf("paint_sheet_ms: %.3f ms\n", median(paints));
    return 0;
}
