// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The spoken-numbers pulse on the real event loop with the real timer, the
// system's tick source and the real wave player: 120 digits at the shortest
// pulse, 500 ms, from the committed recordings. Prints how far any pulse lay
// from its due time, how far the last one lay, and how long a pulse takes to
// start its sound. Run with an audio device (or a sound server) to time real
// playback; without one the player starts nothing and the last figure is small.
// What the sound output then makes of the pulses is measured by
// spoken_sound_bench.sh.
#include "app/qt_services.h"
#include "bench/spoken_run.h"
#include "bench/timing_wave_player.h"
#include "numbers/win_spoken.h"

#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Digits = 120;
constexpr int PulseMs = 500;

void report(const char* name, double value, const char* unit, double target)
{
    std::printf("%s: %.3f %s (%.3f of the %g %s target)\n", name, value, unit, value / target, target, unit);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtWavePlayer player;
    TimingWavePlayer wave(player);
    SpokenRun run(wave);
    if (!run.isValid())
        return 1;
    run.speak(Digits, PulseMs);

    if (wave.startsNs.size() != size_t(Digits)) {
        std::fprintf(stderr, "%zu digits spoken, %d expected\n", wave.startsNs.size(), Digits);
        return 1;
    }
    double maxDeviation = 0;
    std::vector<double> deviations;
    for (int k = 1; k <= Digits; ++k) {
        deviations.push_back((wave.startsNs[size_t(k - 1)] - run.dueNs(k)) / 1e6);
        maxDeviation = std::max(maxDeviation, std::abs(deviations.back()));
    }
    const double drift = deviations.back();
    // The last pulse's distance is one pulse's lateness; a drift would show as
    // the last pulses lying later than the first ones.
    constexpr int Window = 20;
    double trend = 0;
    for (int i = 0; i < Window; ++i)
        trend += (deviations[Digits - 1 - i] - deviations[i]) / Window;
    const TWinSpoken& w = run.window();
    const double recallLate = double(qint32(w.startTick() - w.pulses.recallTick()));
    std::vector<double> plays = wave.durationsUs;
    std::sort(plays.begin(), plays.end());

    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    std::printf("# audio output: %s\n", output.isNull() ? "none" : qPrintable(output.description()));
    report("pulse_max_dev_ms", maxDeviation, "ms", 5);
    report("pulse_drift_ms", std::abs(drift), "ms", 2);
    std::printf("pulse_trend_ms: %.3f ms\n", trend);
    // The median; the slowest start follows it.
    report("voice_play_us", plays[plays.size() / 2], "us", 100);
    std::printf("voice_play_max_us: %.3f us\n", plays.back());
    std::printf("recall_late_ms: %.0f ms\n", recallLate);
    return 0;
}
