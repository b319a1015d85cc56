// The spoken-numbers pulse on the real event loop with the real timer, the
// system's tick source and the real wave player: 120 digits at the shortest
// pulse, 500 ms, from the committed recordings. Prints how far any pulse lay
// from its due time, how far the last one lay, and how long a pulse takes to
// start its sound. Run with an audio device (or a sound server) to time real
// playback; without one the player starts nothing and the last figure is small.
#include "app/main_win.h"
#include "app/qt_services.h"
#include "app/startup.h"
#include "numbers/win_spoken.h"
#include "tests/support/fakes.h"
#include "widgets/up_down_edit.h"

#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QDir>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Digits = 120;
constexpr int PulseMs = 500;

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Notes when each play() began and how long the real player took over it.
class TimingWavePlayer final : public WavePlayer {
public:
    void play(const QString& fileName) override
    {
        const qint64 begin = steadyNs();
        real.play(fileName);
        starts.push_back(begin);
        durationsUs.push_back((steadyNs() - begin) / 1000.0);
    }
    void stop() override { real.stop(); }
    void preload(const QStringList& fileNames) override { real.preload(fileNames); }

    QtWavePlayer real;
    std::vector<qint64> starts;
    std::vector<double> durationsUs;
};

// Where a play() began relative to a due tick, in ms. The tick source truncates
// the same steady clock to whole milliseconds and 32 bits.
double msAfter(qint64 ns, quint32 dueTick)
{
    const qint64 wholeMs = ns / 1000000;
    return double(qint32(quint32(wholeMs) - dueTick)) + double(ns % 1000000) / 1e6;
}

bool copyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !copyFolder(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

void report(const char* name, double value, const char* unit, double target)
{
    std::printf("%s: %.3f %s (%.3f of the %g %s target)\n", name, value, unit, value / target, target, unit);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TempProgramDir dir;
    if (!copyFolder(QStringLiteral(KORVANIS_SOURCE_DIR "/resources/Sounds"), dir.file("Sounds"))) {
        std::fprintf(stderr, "cannot copy the sounds\n");
        return 1;
    }
    SteadyTickSource ticks;
    TimingWavePlayer wave;
    ScriptedDialogs dialogs;
    FixedRandom random;
    auto main = CreateKorvanisWindows(ticks, wave, dialogs, random, dir.file("korvanis"));
    auto* w = qobject_cast<TWinSpoken*>(main->windows().WinSpoken);
    w->show();
    w->udAnzahlM->setValue(Digits);
    w->udMemoZeit->setValue(PulseMs);
    // The user reads the window before pressing START; the preloaded sounds are
    // ready by then.
    QEventLoop settle;
    QTimer::singleShot(1000, &settle, &QEventLoop::quit);
    settle.exec();

    w->bStartStop->click();
    QEventLoop speaking;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (w->phase() != TWinSpoken::Memorising)
            speaking.quit();
    });
    poll.start();
    speaking.exec();

    if (wave.starts.size() != size_t(Digits)) {
        std::fprintf(stderr, "%zu digits spoken, %d expected\n", wave.starts.size(), Digits);
        return 1;
    }
    double maxDeviation = 0;
    std::vector<double> deviations;
    for (int k = 1; k <= Digits; ++k) {
        deviations.push_back(msAfter(wave.starts[k - 1], w->pulses.dueTick(k)));
        maxDeviation = std::max(maxDeviation, std::abs(deviations.back()));
    }
    const double drift = deviations.back();
    // The last pulse's distance is one pulse's lateness; a drift would show as
    // the last pulses lying later than the first ones.
    constexpr int Window = 20;
    double trend = 0;
    for (int i = 0; i < Window; ++i)
        trend += (deviations[Digits - 1 - i] - deviations[i]) / Window;
    const double recallLate = double(qint32(w->startTick() - w->pulses.recallTick()));
    std::vector<double> plays = wave.durationsUs;
    std::sort(plays.begin(), plays.end());

    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    std::printf("# audio output: %s\n", output.isNull() ? "none" : qPrintable(output.description()));
    report("pulse_max_dev_ms", maxDeviation, "ms", 5);
    report("pulse_drift_ms", std::abs(drift), "ms", 2);
    std::printf("pulse_trend_ms: %.3f ms\n", trend);
    // The median; the slowest start follows it.
    report("voice_play_us", plays[plays.size() / 2], "us", 500);
    std::printf("voice_play_max_us: %.3f us\n", plays.back());
    std::printf("recall_late_ms: %.0f ms\n", recallLate);
    return 0;
}
