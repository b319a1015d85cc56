// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// Sound as the program renders it, judged frame by frame without an audio device:
// wave files decoded once into PCM, good and damaged ones, the mixer that starts,
// cuts and ends the sounds of the one output stream, and the rules for how long a
// queue that stream asks the sound server for.
#include "core/output_queue.h"
#include "core/wave_mixer.h"
#include "core/wave_sample.h"

#include <QDir>
#include <QtEndian>
#include <QTest>

#include <atomic>
#include <thread>

namespace {

void put16(QByteArray& b, quint16 v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    b.append(raw, 2);
}

void put32(QByteArray& b, quint32 v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}

QByteArray chunk(const char* id, const QByteArray& body, qint64 declared = -1)
{
    QByteArray c(id, 4);
    put32(c, quint32(declared < 0 ? body.size() : declared));
    c += body;
    if (body.size() % 2)
        c += '\0';
    return c;
}

QByteArray fmtBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits, int blockAlign = -1)
{
    QByteArray f;
    const quint16 align = quint16(blockAlign < 0 ? channels * bits / 8 : blockAlign);
    put16(f, tag);
    put16(f, channels);
    put32(f, rate);
    put32(f, rate * align);
    put16(f, align);
    put16(f, bits);
    return f;
}

QByteArray extensibleBody(quint16 subTag, quint16 channels, quint32 rate, quint16 bits)
{
    QByteArray f = fmtBody(0xFFFE, channels, rate, bits);
    put16(f, 22);
    put16(f, bits);
    put32(f, channels == 1 ? 0x4 : 0x3);
    put16(f, subTag);
    f += QByteArray::fromHex("000000001000800000aa00389b71");
    return f;
}

QByteArray riff(const QByteArray& chunks)
{
    QByteArray w("RIFF");
    put32(w, quint32(4 + chunks.size()));
    return w + "WAVE" + chunks;
}

QByteArray pcm16(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        put16(b, quint16(qint16(v)));
    return b;
}

QByteArray float32(std::initializer_list<float> values)
{
    QByteArray b;
    for (float v : values) {
        quint32 bits;
        std::memcpy(&bits, &v, 4);
        put32(b, bits);
    }
    return b;
}

using Pcm = std::vector<qint16>;

std::shared_ptr<const WaveSample> sampleOf(Pcm pcm, int channels = 1)
{
    return std::make_shared<const WaveSample>(22050, channels, std::move(pcm));
}

// Frames first, first + 1, ...: every frame names its place.
Pcm rampValues(int first, int count)
{
    Pcm pcm(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        pcm[size_t(i)] = qint16(first + i);
    return pcm;
}

std::shared_ptr<const WaveSample> ramp(int first, int frames)
{
    return sampleOf(rampValues(first, frames));
}

Pcm render(WaveMixer& mixer, qsizetype frames)
{
    Pcm out(static_cast<size_t>(frames * mixer.channels()), qint16(0x5555));
    mixer.render(out.data(), frames);
    return out;
}

Pcm silence(int frames)
{
    return Pcm(size_t(frames), 0);
}

Pcm operator+(Pcm a, const Pcm& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

Q_DECLARE_METATYPE(Pcm)

class TestWaveSound : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodesPlayableFormats_data();
    void decodesPlayableFormats();
    void damagedOrUnplayableFilesGiveNothing_data();
    void damagedOrUnplayableFilesGiveNothing();
    void theCommittedSoundsDecode();
    void convertsToTheOutputFormat_data();
    void convertsToTheOutputFormat();

    void silentUntilASoundPlays();
    void aSoundPlaysToItsLastFrameThenSilence();
    void playAndStopActAtTheNextPeriodBoundary_data();
    void playAndStopActAtTheNextPeriodBoundary();
    void theLastCommandBeforeABoundaryWins();
    void theChunksTheOutputAsksForChangeNothing_data();
    void theChunksTheOutputAsksForChangeNothing();
    void aCutSoundFadesOutUnderTheNewOne();
    void aSampleOfTheWrongShapeStopsOnly();
    void commandsFromAnotherThreadArriveWhole();

    void aDryRunAsksForALongerQueue_data();
    void aDryRunAsksForALongerQueue();
    void theStreamIsOpenedAgainOnlyInSilence();
    void tenQuietMinutesGiveAStepBack();
    void aRefillAfterSleepIsNoDryRun();
};

void TestWaveSound::decodesPlayableFormats_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<Pcm>("pcm");

    const QByteArray words = pcm16({0, 1000, -1000, 32767, -32768});
    const Pcm wordsPcm{0, 1000, -1000, 32767, -32768};
    QTest::newRow("16-bit mono") << riff(chunk("fmt ", fmtBody(1, 1, 22050, 16)) + chunk("data", words)) << 22050 << 1
                                 << wordsPcm;
    QByteArray bytes8;
    bytes8 += char(0x80);
    bytes8 += char(0xFF);
    bytes8 += char(0x00);
    bytes8 += char(0x90);
    QTest::newRow("8-bit unsigned stereo")
        << riff(chunk("fmt ", fmtBody(1, 2, 8000, 8)) + chunk("data", bytes8)) << 8000 << 2
        << Pcm{0, 127 * 256, -128 * 256, 16 * 256};
    QTest::newRow("24-bit keeps the top 16 bits")
        << riff(chunk("fmt ", fmtBody(1, 1, 48000, 24)) + chunk("data", QByteArray::fromHex("ff3412" "000080")))
        << 48000 << 1 << Pcm{0x1234, -32768};
    QTest::newRow("32-bit integer")
        << riff(chunk("fmt ", fmtBody(1, 1, 44100, 32)) + chunk("data", QByteArray::fromHex("ffff3412" "0000ff7f")))
        << 44100 << 1 << Pcm{0x1234, 32767};
    QTest::newRow("32-bit float, clipped")
        << riff(chunk("fmt ", fmtBody(3, 1, 22050, 32)) + chunk("data", float32({0.5f, -1.0f, 2.0f})))
        << 22050 << 1 << Pcm{16384, -32767, 32767};
    QTest::newRow("extensible header with PCM")
        << riff(chunk("fmt ", extensibleBody(1, 1, 22050, 16)) + chunk("data", words)) << 22050 << 1 << wordsPcm;
    QTest::newRow("odd-sized chunk before fmt is padded")
        << riff(chunk("LIST", "abc") + chunk("fmt ", fmtBody(1, 1, 22050, 16)) + chunk("data", words)) << 22050 << 1
        << wordsPcm;
    QTest::newRow("fmt after data")
        << riff(chunk("data", words) + chunk("fmt ", fmtBody(1, 1, 22050, 16))) << 22050 << 1 << wordsPcm;
    QTest::newRow("data cut short keeps its whole frames")
        << riff(chunk("fmt ", fmtBody(1, 2, 22050, 16)) + chunk("data", pcm16({1, 2, 3, 4}) + "\x05", 400)) << 22050
        << 2 << Pcm{1, 2, 3, 4};
    QByteArray wrongRiffSize = riff(chunk("fmt ", fmtBody(1, 1, 22050, 16)) + chunk("data", words));
    qToLittleEndian(quint32(0xFFFFFFFF), wrongRiffSize.data() + 4);
    QTest::newRow("RIFF size not trusted") << wrongRiffSize << 22050 << 1 << wordsPcm;
    QTest::newRow("empty data plays nothing")
        << riff(chunk("fmt ", fmtBody(1, 1, 22050, 16)) + chunk("data", {})) << 22050 << 1 << Pcm{};
}

void TestWaveSound::decodesPlayableFormats()
{
    QFETCH(QByteArray, image);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(Pcm, pcm);
    const WaveSample sample = WaveSample::fromWave(image);
    QCOMPARE(sample.pcm(), pcm);
    if (!pcm.empty()) {
        QCOMPARE(sample.sampleRate(), rate);
        QCOMPARE(sample.channels(), channels);
        QCOMPARE(sample.frameCount(), qsizetype(pcm.size()) / channels);
    }
}

void TestWaveSound::damagedOrUnplayableFilesGiveNothing_data()
{
    QTest::addColumn<QByteArray>("image");
    const QByteArray data = chunk("data", pcm16({1, 2, 3, 4}));
    const QByteArray fmt = chunk("fmt ", fmtBody(1, 1, 22050, 16));
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("not RIFF") << QByteArray("RIFX\x10\0\0\0WAVE", 12) + fmt + data;
    QTest::newRow("RIFF but not WAVE") << QByteArray("RIFF\x10\0\0\0AVI ", 12) + fmt + data;
    QTest::newRow("no fmt") << riff(data);
    QTest::newRow("no data") << riff(fmt);
    QTest::newRow("fmt cut short") << riff(chunk("fmt ", fmtBody(1, 1, 22050, 16).left(12)) + data);
    QTest::newRow("ADPCM") << riff(chunk("fmt ", fmtBody(2, 1, 22050, 4, 256)) + data);
    QTest::newRow("mu-law") << riff(chunk("fmt ", fmtBody(7, 1, 8000, 8)) + data);
    QTest::newRow("extensible mu-law") << riff(chunk("fmt ", extensibleBody(7, 1, 8000, 8)) + data);
    QTest::newRow("extensible header cut short") << riff(chunk("fmt ", extensibleBody(1, 1, 22050, 16).left(30)) + data);
    QTest::newRow("no channels") << riff(chunk("fmt ", fmtBody(1, 0, 22050, 16, 2)) + data);
    QTest::newRow("nine channels") << riff(chunk("fmt ", fmtBody(1, 9, 22050, 16)) + data);
    QTest::newRow("rate 0") << riff(chunk("fmt ", fmtBody(1, 1, 0, 16)) + data);
    QTest::newRow("12 bits") << riff(chunk("fmt ", fmtBody(1, 1, 22050, 12, 2)) + data);
    QTest::newRow("block align wrong") << riff(chunk("fmt ", fmtBody(1, 1, 22050, 16, 3)) + data);
    QTest::newRow("data chunk header only") << riff(fmt + QByteArray("data", 4));
}

void TestWaveSound::damagedOrUnplayableFilesGiveNothing()
{
    QFETCH(QByteArray, image);
    const WaveSample sample = WaveSample::fromWave(image);
    QVERIFY(sample.isEmpty());
    QCOMPARE(sample.frameCount(), 0);
    QCOMPARE(sample.durationUs(), 0);
}

void TestWaveSound::theCommittedSoundsDecode()
{
    const QDir sounds(QStringLiteral(KORVANIS_SOURCE_DIR "/resources/Sounds"));
    QStringList files{QStringLiteral("Beep.wav")};
    for (const QString& voice : {QStringLiteral("Deutsch"), QStringLiteral("Englisch")}) {
        for (int digit = 0; digit <= 9; ++digit)
            files << voice + QLatin1Char('/') + QString::number(digit) + QStringLiteral(".wav");
    }
    for (const QString& file : std::as_const(files)) {
        const WaveSample sample = WaveSample::fromFile(sounds.filePath(file));
        QVERIFY2(!sample.isEmpty(), qPrintable(file));
        QCOMPARE(sample.sampleRate(), 22050);
        QCOMPARE(sample.channels(), 1);
        // Every digit fits the shortest pulse, 500 ms.
        QVERIFY2(sample.durationUs() > 100000 && sample.durationUs() <= 500000, qPrintable(file));
    }
    QVERIFY(WaveSample::fromFile(sounds.filePath(QStringLiteral("missing.wav"))).isEmpty());
}

void TestWaveSound::convertsToTheOutputFormat_data()
{
    QTest::addColumn<int>("fromChannels");
    QTest::addColumn<Pcm>("from");
    QTest::addColumn<int>("toRate");
    QTest::addColumn<int>("toChannels");
    QTest::addColumn<Pcm>("expected");
    QTest::newRow("same format") << 1 << Pcm{1, 2, 3} << 22050 << 1 << Pcm{1, 2, 3};
    QTest::newRow("mono to stereo") << 1 << Pcm{1, -2} << 22050 << 2 << Pcm{1, 1, -2, -2};
    QTest::newRow("stereo to mono by mean") << 2 << Pcm{100, 200, -50, 50} << 22050 << 1 << Pcm{150, 0};
    QTest::newRow("double rate interpolates") << 1 << Pcm{0, 100, 200} << 44100 << 1 << Pcm{0, 50, 100, 150, 200, 200};
    QTest::newRow("half rate") << 1 << Pcm{0, 10, 20, 30} << 11025 << 1 << Pcm{0, 20};
}

void TestWaveSound::convertsToTheOutputFormat()
{
    QFETCH(int, fromChannels);
    QFETCH(Pcm, from);
    QFETCH(int, toRate);
    QFETCH(int, toChannels);
    QFETCH(Pcm, expected);
    const WaveSample converted = WaveSample(22050, fromChannels, from).convertedTo(toRate, toChannels);
    QCOMPARE(converted.sampleRate(), toRate);
    QCOMPARE(converted.channels(), toChannels);
    QCOMPARE(converted.pcm(), expected);
}

void TestWaveSound::silentUntilASoundPlays()
{
    WaveMixer mixer(2, 64, 0);
    QVERIFY(mixer.isIdle());
    QCOMPARE(render(mixer, 100), Pcm(200, 0));
    QCOMPARE(mixer.position(), 100u);
    QVERIFY(!mixer.isSounding());
    // A sound asked for but not yet started is not idle: the output must go on.
    mixer.play(ramp(1, 10));
    QVERIFY(!mixer.isIdle());
    mixer.stop();
    QVERIFY(!mixer.isIdle());
    // The stop is taken with the first frame of the next period, at 128.
    render(mixer, 28);
    QVERIFY(!mixer.isIdle());
    render(mixer, 1);
    QVERIFY(mixer.isIdle());
}

void TestWaveSound::aSoundPlaysToItsLastFrameThenSilence()
{
    WaveMixer mixer(1, 10, 5);
    mixer.play(ramp(1, 25));
    QCOMPARE(render(mixer, 20), rampValues(1, 20));
    QVERIFY(mixer.isSounding());
    QVERIFY(!mixer.isIdle());
    QCOMPARE(render(mixer, 20), rampValues(21, 5) + silence(15));
    QVERIFY(!mixer.isSounding());
    QVERIFY(mixer.isIdle());
    // The next sound starts from its first frame again.
    mixer.play(ramp(1, 25));
    QCOMPARE(render(mixer, 30), rampValues(1, 25) + silence(5));
}

void TestWaveSound::playAndStopActAtTheNextPeriodBoundary_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<bool>("stopOnly");
    QTest::addColumn<Pcm>("expected");
    // Period 10; the first sound started at frame 0, the command comes after
    // `before` frames; what frames 0..29 hold.
    QTest::newRow("play mid-period") << 13 << false << rampValues(100, 20) + rampValues(500, 10);
    QTest::newRow("play on a boundary") << 10 << false << rampValues(100, 10) + rampValues(500, 20);
    QTest::newRow("stop mid-period") << 3 << true << rampValues(100, 10) + silence(20);
    QTest::newRow("stop on a boundary") << 20 << true << rampValues(100, 20) + silence(10);
}

void TestWaveSound::playAndStopActAtTheNextPeriodBoundary()
{
    QFETCH(int, before);
    QFETCH(bool, stopOnly);
    QFETCH(Pcm, expected);
    WaveMixer mixer(1, 10, 0);
    mixer.play(ramp(100, 300));
    Pcm out = render(mixer, before);
    if (stopOnly)
        mixer.stop();
    else
        mixer.play(ramp(500, 300));
    out = out + render(mixer, 30 - before);
    QCOMPARE(out, expected);
}

void TestWaveSound::theLastCommandBeforeABoundaryWins()
{
    WaveMixer mixer(1, 10, 0);
    mixer.play(ramp(100, 50));
    mixer.play(ramp(200, 50));
    QCOMPARE(render(mixer, 10), rampValues(200, 10));
    mixer.play(ramp(300, 50));
    mixer.stop();
    QCOMPARE(render(mixer, 10), silence(10));
    mixer.stop();
    mixer.play(ramp(400, 50));
    QCOMPARE(render(mixer, 10), rampValues(400, 10));
}

void TestWaveSound::theChunksTheOutputAsksForChangeNothing_data()
{
    QTest::addColumn<int>("chunk");
    for (int chunk : {1, 7, 10, 33, 64, 1000})
        QTest::addRow("chunks of %d", chunk) << chunk;
}

void TestWaveSound::theChunksTheOutputAsksForChangeNothing()
{
    QFETCH(int, chunk);
    // Sounds asked for at fixed frames of the stream; wherever the output's
    // requests end, each sound begins at the same boundary and plays whole.
    const auto run = [](int chunkFrames) {
        WaveMixer mixer(1, 16, 4);
        Pcm out;
        int done = 0;
        const auto renderTo = [&](int frame) {
            while (done < frame) {
                const int n = std::min(chunkFrames, frame - done);
                out = out + render(mixer, n);
                done += n;
            }
        };
        int level = 0;
        for (int commandAt : {0, 37, 200, 207, 480}) {
            renderTo(commandAt);
            level += 1000;
            mixer.play(ramp(level, 90));
        }
        renderTo(700);
        return out;
    };
    const Pcm whole = run(700);
    QCOMPARE(run(chunk), whole);
    const auto frames = [&](int from, int to) { return Pcm(whole.begin() + from, whole.begin() + to); };
    // Asked for at 37, the second sound starts at 48 over the fading first one
    // and plays to its end at 138.
    QCOMPARE(frames(52, 138), rampValues(2004, 86));
    QCOMPARE(frames(138, 208), silence(70));
    // Asked for at 207, the fourth replaces the third before it began.
    QCOMPARE(frames(208, 298), rampValues(4000, 90));
    QCOMPARE(frames(480, 570), rampValues(5000, 90));
    QCOMPARE(frames(570, 700), silence(130));
}

void TestWaveSound::aCutSoundFadesOutUnderTheNewOne()
{
    WaveMixer mixer(1, 4, 3);
    mixer.play(sampleOf(Pcm(100, 4000)));
    QCOMPARE(render(mixer, 4), Pcm(4, 4000));
    mixer.play(sampleOf(Pcm(100, 30000)));
    const Pcm out = render(mixer, 8);
    // 4000 fades by quarters under the new sound; the sum is clipped at full
    // scale.
    QCOMPARE(out, (Pcm{32767, 32000, 31000, 30000, 30000, 30000, 30000, 30000}));

    mixer.stop();
    const Pcm stopped = render(mixer, 8);
    QCOMPARE(stopped, (Pcm{22500, 15000, 7500, 0, 0, 0, 0, 0}));
    QVERIFY(!mixer.isSounding());
}

void TestWaveSound::aSampleOfTheWrongShapeStopsOnly()
{
    WaveMixer mixer(1, 4, 0);
    mixer.play(ramp(10, 100));
    QCOMPARE(render(mixer, 4), rampValues(10, 4));
    mixer.play(sampleOf(Pcm(8, 1000), 2));
    QCOMPARE(render(mixer, 4), silence(4));
    mixer.play(std::make_shared<const WaveSample>());
    QCOMPARE(render(mixer, 4), silence(4));
}

void TestWaveSound::commandsFromAnotherThreadArriveWhole()
{
    // Two sounds of constant but different levels, swapped from another thread
    // while the output renders: every period holds one of them from its start, or
    // silence, never a torn or stale mix.
    WaveMixer mixer(1, 32, 0);
    const auto a = sampleOf(Pcm(64, 111));
    const auto b = sampleOf(Pcm(64, 222));
    std::atomic<bool> done = false;
    std::thread player([&] {
        for (int i = 0; i < 20000; ++i) {
            if (i % 7 == 0)
                mixer.stop();
            else
                mixer.play(i % 2 ? a : b);
        }
        done = true;
    });
    int periods = 0;
    while (!done || periods < 100) {
        const Pcm out = render(mixer, 32);
        ++periods;
        const qint16 level = out.front();
        QVERIFY(level == 0 || level == 111 || level == 222);
        for (qint16 v : out)
            QCOMPARE(v, level);
    }
    player.join();
}

// Room figures of a stream whose empty queue offers 1000 bytes.
constexpr qint64 Empty = 1000;
constexpr qint64 Topped = 250;

void TestWaveSound::aDryRunAsksForALongerQueue_data()
{
    QTest::addColumn<int>("dryRuns");
    QTest::addColumn<int>("wantedMs");
    QTest::newRow("none") << 0 << 20;
    QTest::newRow("one") << 1 << 40;
    QTest::newRow("two") << 2 << 60;
    QTest::newRow("four reach the longest") << 4 << 100;
    QTest::newRow("more stay there") << 6 << 100;
}

void TestWaveSound::aDryRunAsksForALongerQueue()
{
    QFETCH(int, dryRuns);
    QFETCH(int, wantedMs);
    OutputQueue queue;
    qint64 now = 1000;
    queue.opened(now);
    // A new stream is empty at its first feed: no dry run.
    queue.fed(now += 2, Empty, Empty, false);
    QCOMPARE(queue.wantedMs(), 20);
    for (int i = 0; i < dryRuns; ++i) {
        queue.fed(now += 2, Topped, Empty, false);
        queue.fed(now += 2, Empty, Empty, false);
        // Several dry runs before the stream is opened again ask for one step;
        // from the fifth on the longest queue is open already.
        queue.fed(now += 2, Empty, Empty, false);
        QCOMPARE(queue.reopenNow(now += 200), i < 4);
        queue.opened(now);
        queue.fed(now += 2, Empty, Empty, false);
    }
    QCOMPARE(queue.wantedMs(), wantedMs);
    QCOMPARE(queue.reopenNow(now += 1000), false);
}

void TestWaveSound::theStreamIsOpenedAgainOnlyInSilence()
{
    OutputQueue queue;
    qint64 now = 0;
    queue.opened(now);
    queue.fed(now += 2, Empty, Empty, true);
    queue.fed(now += 2, Empty, Empty, true);
    QCOMPARE(queue.wantedMs(), 40);
    // Sound is handed over: the queue in the server may still hold it.
    queue.fed(now += 2, Topped, Empty, true);
    QVERIFY(!queue.reopenNow(now));
    queue.fed(now += 2, Topped, Empty, false);
    QCOMPARE(queue.silentMs(now), 2);
    // The open queue is 20 ms long: after 30 ms of silence it holds only silence.
    QVERIFY(!queue.reopenNow(now + 28));
    QVERIFY(queue.reopenNow(now + 29));
}

void TestWaveSound::tenQuietMinutesGiveAStepBack()
{
    OutputQueue queue;
    qint64 now = 0;
    queue.opened(now);
    queue.fed(now += 2, Empty, Empty, false);
    queue.fed(now += 2, Empty, Empty, false);
    queue.opened(now += 100);
    QCOMPARE(queue.wantedMs(), 40);
    queue.fed(now += 2, Empty, Empty, false);
    queue.fed(now += OutputQueue::StepBackAfterMs - 2, Topped, Empty, false);
    QCOMPARE(queue.wantedMs(), 40);
    queue.fed(now += 3, Topped, Empty, false);
    QCOMPARE(queue.wantedMs(), 20);
    QVERIFY(queue.reopenNow(now));
    queue.opened(now);
    // At the shortest queue there is nothing to give back.
    queue.fed(now += 2, Empty, Empty, false);
    queue.fed(now += 2 * OutputQueue::StepBackAfterMs, Topped, Empty, false);
    QCOMPARE(queue.wantedMs(), 20);
}

void TestWaveSound::aRefillAfterSleepIsNoDryRun()
{
    OutputQueue queue;
    qint64 now = 0;
    queue.opened(now);
    queue.fed(now += 2, Empty, Empty, false);
    queue.fed(now += 20000, Topped, Empty, false);
    QCOMPARE(queue.silentMs(now), 20002);
    queue.refilled(now);
    QCOMPARE(queue.silentMs(now), 0);
    queue.fed(now += 2, Empty, Empty, false);
    QCOMPARE(queue.wantedMs(), 20);
}

QTEST_APPLESS_MAIN(TestWaveSound)
#include "test_wave_sound.moc"
