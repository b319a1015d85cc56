// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// What the user hears of the spoken digits: the real spoken-numbers window with
// the real wave player speaks digits on its pulse into a sound server, while a
// recording of the server's monitor (parec) is tied to the steady clock. Each
// played sound is then found in the recording by cross-correlation with its file.
// Prints how many sounds were heard and how many whole, how much of each was
// missing, how steadily they started after their due pulse, whether that drifted,
// how late the first digit came after START and how long play() took; then the
// same for a few signal sounds. Run by spoken_sound_bench.sh, which starts a
// private sound server with a null sink; without an audio output it skips.
#include "app/qt_services.h"
#include "bench/monitor_recording.h"
#include "bench/sound_match.h"
#include "bench/spoken_run.h"
#include "bench/timing_wave_player.h"

#include <QApplication>
#include <QAudioDevice>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMediaDevices>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int RecordingRate = 22050;
// A sound counts as heard when it correlates this well with its file; a missing
// one correlates near 0, one cut to half of its energy still about 0.7.
constexpr double HeardCorrelation = 0.5;
constexpr double WholeToleranceMs = 5;

struct Heard {
    QString file;
    qsizetype askedFrame = 0;
    SoundMatch match;
    qint64 onsetNs = 0;
    double missingMs = 0;
    bool heard = false;
};

struct Stats {
    double mean = 0;
    double sd = 0;
    double min = 0;
    double max = 0;
};

Stats statsOf(const std::vector<double>& v)
{
    Stats s;
    if (v.empty())
        return s;
    s.min = *std::min_element(v.begin(), v.end());
    s.max = *std::max_element(v.begin(), v.end());
    for (double x : v)
        s.mean += x / double(v.size());
    for (double x : v)
        s.sd += (x - s.mean) * (x - s.mean);
    s.sd = v.size() > 1 ? std::sqrt(s.sd / double(v.size() - 1)) : 0;
    return s;
}

// The change of y over the whole run by the least-squares line through (x, y).
double trendOver(const std::vector<double>& x, const std::vector<double>& y)
{
    if (x.size() < 2)
        return 0;
    const Stats sx = statsOf(x);
    const Stats sy = statsOf(y);
    double cov = 0;
    double var = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        cov += (x[i] - sx.mean) * (y[i] - sy.mean);
        var += (x[i] - sx.mean) * (x[i] - sx.mean);
    }
    return var > 0 ? cov / var * (sx.max - sx.min) : 0;
}

class Analysis {
public:
    Analysis(const MonitorRecording& recording, const TimingWavePlayer& wave) : recording_(recording), wave_(wave) {}

    // Finds played sound i; its search ends before the next one was asked for.
    Heard find(size_t i)
    {
        const qint64 start = wave_.startsNs[i];
        const qint64 next = i + 1 < wave_.startsNs.size() ? wave_.startsNs[i + 1] : start + 1000000000;
        const double rate = recording_.sampleRate();
        const qsizetype asked = qsizetype(recording_.frameAt(start));
        const qsizetype nextAsked = qsizetype(recording_.frameAt(next));
        const qsizetype latest = std::min<qsizetype>(qsizetype(0.4 * rate), nextAsked - asked - qsizetype(0.03 * rate));
        const WaveSample& sound = sample(wave_.files[int(i)]);
        Heard h;
        h.file = QFileInfo(wave_.files[int(i)]).dir().dirName() + QLatin1Char('/') + QFileInfo(wave_.files[int(i)]).fileName();
        h.askedFrame = asked;
        h.match = FindSound(recording_.samples(), sound, asked - qsizetype(0.005 * rate), asked + latest, nextAsked);
        h.heard = h.match.onset >= 0 && h.match.correlation >= HeardCorrelation;
        h.onsetNs = recording_.nsAt(double(h.match.onset));
        h.missingMs = (h.match.heardFrames - h.match.loudFrames) * 1000.0 / rate;
        return h;
    }

private:
    const WaveSample& sample(const QString& file)
    {
        auto it = samples_.find(file);
        if (it == samples_.end())
            it = samples_.insert(file, WaveSample::fromFile(file).convertedTo(RecordingRate, 1));
        return *it;
    }

    const MonitorRecording& recording_;
    const TimingWavePlayer& wave_;
    QHash<QString, WaveSample> samples_;
};

class Report {
public:
    explicit Report(QString prefix) : prefix_(prefix.toUtf8()) {}
    void line(const char* name, double value, const char* unit, const char* note = "")
    {
        std::printf("%s%s: %.3f %s%s\n", prefix_.constData(), name, value, unit, note);
    }
    void count(const char* name, int value, int of)
    {
        std::printf("%s%s: %d of %d\n", prefix_.constData(), name, value, of);
    }

private:
    QByteArray prefix_;
};

void reportSounds(Report& out, const char* what, const std::vector<Heard>& sounds, bool listEach)
{
    int heard = 0;
    int whole = 0;
    std::vector<double> missing;
    for (const Heard& h : sounds) {
        if (listEach)
            std::printf("# %s: asked at frame %lld, onset at %lld, correlation %.3f, heard %lld of %lld frames\n",
                        qPrintable(h.file), static_cast<long long>(h.askedFrame), static_cast<long long>(h.match.onset),
                        h.match.correlation, static_cast<long long>(h.match.heardFrames),
                        static_cast<long long>(h.match.loudFrames));
        if (!h.heard)
            continue;
        ++heard;
        whole += std::abs(h.missingMs) <= WholeToleranceMs;
        missing.push_back(h.missingMs);
    }
    const Stats m = statsOf(missing);
    const QByteArray name = what;
    out.count(name + "_heard", heard, int(sounds.size()));
    out.count(name + "_whole", whole, int(sounds.size()));
    out.line(name + "_heard_error_min_ms", m.min, "ms", " (heard length less file length, +-5 ms target)");
    out.line(name + "_heard_error_max_ms", m.max, "ms");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addOptions({{"monitor", "Source to record (a null sink's monitor).", "source"},
                        {"digits", "Digits to speak.", "count", "120"},
                        {"pulse", "Pulse in ms.", "ms", "500"},
                        {"switch-at", "Digit from which the voice is English (0: never).", "digit", "0"},
                        {"beeps", "Signal sounds played after the digits.", "count", "5"},
                        {"settle", "Time from showing the window to START.", "ms", "1000"},
                        {"prefix", "Prefix of every figure's name.", "text", ""},
                        {"keep", "Keeps the recording as raw 16-bit mono PCM.", "file"},
                        {"each", "Lists every sound found."}});
    options.process(app);
    const int digits = options.value("digits").toInt();
    const int pulseMs = options.value("pulse").toInt();
    Report out(options.value("prefix"));

    QtWavePlayer player;
    TimingWavePlayer wave(player);
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        std::printf("# spoken sound: skipped, no audio output\n");
        return 0;
    }
    MonitorRecording recording(options.value("monitor"), RecordingRate);
    if (!recording.start() || !recording.waitForData(3000)) {
        std::printf("# spoken sound: skipped, cannot record %s\n", qPrintable(options.value("monitor")));
        return 0;
    }
    std::printf("# audio output: %s\n", qPrintable(output.description()));

    SpokenRun run(wave);
    if (!run.isValid())
        return 1;
    run.speak(digits, pulseMs, options.value("switch-at").toInt(), options.value("settle").toInt());
    const size_t spoken = wave.files.size();
    RunEventLoop(700);
    const QString beep = run.programDir() + QStringLiteral("Sounds/Beep.wav");
    for (int i = 0; i < options.value("beeps").toInt(); ++i) {
        wave.play(beep);
        RunEventLoop(600);
    }
    RunEventLoop(300);
    recording.stop();
    if (options.isSet("keep")) {
        QFile kept(options.value("keep"));
        if (kept.open(QIODevice::WriteOnly))
            kept.write(reinterpret_cast<const char*>(recording.samples().data()),
                       qint64(recording.samples().size() * sizeof(qint16)));
    }

    Analysis analysis(recording, wave);
    std::vector<Heard> digitSounds;
    std::vector<Heard> beepSounds;
    for (size_t i = 0; i < wave.files.size(); ++i)
        (i < spoken ? digitSounds : beepSounds).push_back(analysis.find(i));

    std::vector<double> pulse;
    std::vector<double> latency;
    std::vector<double> afterPlay;
    for (size_t i = 0; i < digitSounds.size(); ++i) {
        const Heard& h = digitSounds[i];
        if (!h.heard)
            continue;
        pulse.push_back(double(i));
        latency.push_back((h.onsetNs - run.dueNs(int(i) + 1)) / 1e6);
        afterPlay.push_back((h.onsetNs - wave.startsNs[i]) / 1e6);
    }
    const Stats due = statsOf(latency);
    const Stats played = statsOf(afterPlay);
    std::vector<double> plays = wave.durationsUs;
    plays.resize(spoken);
    std::sort(plays.begin(), plays.end());

    reportSounds(out, "digits", digitSounds, options.isSet("each"));
    out.line("onset_jitter_sd_ms", due.sd, "ms", " (after the due pulse, 3 ms target)");
    out.line("onset_after_due_mean_ms", due.mean, "ms");
    out.line("onset_after_due_max_ms", due.max, "ms");
    out.line("onset_after_play_sd_ms", played.sd, "ms");
    out.line("onset_drift_ms", trendOver(pulse, latency), "ms", " (over the run)");
    if (!digitSounds.empty() && digitSounds.front().heard)
        out.line("first_digit_ms", (digitSounds.front().onsetNs - run.startNs()) / 1e6, "ms",
                 " (after START, 20 ms target)");
    else
        std::printf("# first digit not heard\n");
    if (!plays.empty()) {
        out.line("voice_play_us", plays[plays.size() / 2], "us", " (median, 100 us target)");
        out.line("voice_play_max_us", plays.back(), "us");
    }
    if (!beepSounds.empty())
        reportSounds(out, "beeps", beepSounds, options.isSet("each"));
    return 0;
}
