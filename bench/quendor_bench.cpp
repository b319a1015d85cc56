// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The record overview: creating it with its 280 row controls while it reads its
// 82 keys from a settings file that holds them all, and closing it, which writes
// them back. Prints one line per figure with its share of the target.
#include "app/main_win.h"
#include "app/startup.h"
#include "overviews/win_quendor.h"
#include "tests/support/fakes.h"

#include <QApplication>
#include <QElapsedTimer>

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

void report(const char* name, double value, const char* unit, double target)
{
    std::printf("%s: %.3f %s (%.3f of the %g %s target)\n", name, value, unit, value / target, target, unit);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FakeServices services;
    TempProgramDir dir;
    auto main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                      dir.file("korvanis"));
    AppContext& ctx = main->context();
    // One close puts all 82 keys into the file, so every read below finds its key.
    auto* first = qobject_cast<TWinQuendor*>(main->windows().WinQuendor);
    first->show();
    first->accept();

    constexpr int Repeats = 21;
    std::vector<double> creates, closes;
    for (int round = 0; round < Repeats; ++round) {
        QElapsedTimer timer;
        timer.start();
        auto* w = new TWinQuendor(ctx, main.get());
        creates.push_back(msSince(timer));
        w->show();
        QApplication::processEvents();
        timer.restart();
        w->accept();
        closes.push_back(msSince(timer));
        delete w;
    }
    report("quendor_create_ms", median(creates), "ms", 30);
    std::printf("quendor_close_ms: %.3f ms\n", median(closes));
    return services.dialogs.errors.isEmpty() ? 0 : 1;
}
