// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/wave_output.h"

#include "core/wave_mixer.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

namespace {

// How often the stream is topped up. Each feed renders what the server has asked
// for since the last one, so a sound asked for enters the stream with the first
// feed that finds room, a few milliseconds later at most.
constexpr int FeedMs = 2;
// The pause before a failed or missing output is tried again.
constexpr int RetryMs = 1000;
// A running stream asks for data every few milliseconds; one that asked for
// none for this long is dead.
constexpr int StarvedMs = 500;
// Silence after which the output sleeps: longer than the longest pause between
// two spoken digits (a 10 s pulse), so it never sleeps in an attempt.
constexpr int SleepAfterMs = 15000;

} // namespace

WaveOutput::WaveOutput(WaveMixer& mixer, int sampleRate) : mixer_(mixer)
{
    clock_.start();
    format_.setSampleRate(sampleRate);
    format_.setChannelCount(mixer.channels());
    format_.setSampleFormat(QAudioFormat::Int16);
}

WaveOutput::~WaveOutput()
{
    close();
}

void WaveOutput::start()
{
    devices_ = new QMediaDevices(this);
    connect(devices_, &QMediaDevices::audioOutputsChanged, this, &WaveOutput::devicesChanged);
    feedTimer_ = new QTimer(this);
    feedTimer_->setTimerType(Qt::PreciseTimer);
    feedTimer_->setInterval(FeedMs);
    connect(feedTimer_, &QTimer::timeout, this, &WaveOutput::feed);
    retryTimer_ = new QTimer(this);
    retryTimer_->setSingleShot(true);
    retryTimer_->setInterval(RetryMs);
    connect(retryTimer_, &QTimer::timeout, this, &WaveOutput::open);
    open();
}

void WaveOutput::open()
{
    retryTimer_->stop();
    close();
    device_ = QMediaDevices::defaultAudioOutput();
    if (device_.isNull()) {
        retryTimer_->start();
        return;
    }
    // What the server keeps queued for us: about half of it is the delay from
    // play() to the sound.
    sink_ = new QAudioSink(device_, format_, this);
    sink_->setBufferSize(format_.bytesForDuration(queue_.wantedMs() * 1000));
    io_ = sink_->start();
    if (!io_ || sink_->error() != QAudio::NoError) {
        close();
        retryTimer_->start();
        return;
    }
    queue_.opened(clock_.elapsed());
    sinceTaken_.start();
    asleep_ = false;
    feedTimer_->start();
    feed();
}

void WaveOutput::close()
{
    if (feedTimer_)
        feedTimer_->stop();
    pending_.clear();
    io_ = nullptr;
    if (sink_) {
        sink_->stop();
        delete sink_;
        sink_ = nullptr;
    }
}

bool WaveOutput::reopenIfLost(bool starved)
{
    // A starved stream is opened again at once: the server is there, this stream
    // is not. An underrun only means the stream ran dry for a moment; the next
    // feed fills it again. Anything else has lost the stream, or the server, and
    // the output waits a moment before it tries again.
    if (starved) {
        open();
        return true;
    }
    const QAudio::Error error = sink_->error();
    if (sink_->state() != QAudio::StoppedState && (error == QAudio::NoError || error == QAudio::UnderrunError))
        return false;
    close();
    retryTimer_->start();
    return true;
}

void WaveOutput::devicesChanged()
{
    if (sink_ && QMediaDevices::defaultAudioOutput() == device_)
        return;
    open();
}

void WaveOutput::feed()
{
    if (!io_)
        return;
    const qint64 room = sink_->bytesFree();
    if (reopenIfLost(room < format_.bytesPerFrame() && sinceTaken_.elapsed() > StarvedMs))
        return;
    const qint64 now = clock_.elapsed();
    queue_.fed(now, room, sink_->bufferSize(), !mixer_.isIdle());
    handOver(room);
    // Idle once more after the hand-over: a sound asked for meanwhile may just
    // have gone into the stream.
    if (queue_.reopenNow(now) && mixer_.isIdle())
        open();
    else
        sleepIfIdle();
}

void WaveOutput::handOver(qint64 room)
{
    const int frameBytes = format_.bytesPerFrame();
    for (;;) {
        if (pending_.isEmpty()) {
            const qint64 frames = room / frameBytes;
            if (frames <= 0)
                return;
            pending_.resize(frames * frameBytes);
            mixer_.render(reinterpret_cast<qint16*>(pending_.data()), frames);
        }
        const qint64 written = io_->write(pending_);
        if (written <= 0)
            return;
        sinceTaken_.start();
        pending_.remove(0, written);
        room -= written;
        if (!pending_.isEmpty())
            return;
    }
}

void WaveOutput::sleepIfIdle()
{
    if (queue_.silentMs(clock_.elapsed()) < SleepAfterMs || !mixer_.isIdle())
        return;
    // Asleep first, idle checked after: a play() that found it awake has then
    // been seen here, and one that comes later finds it asleep and wakes it.
    asleep_ = true;
    if (!mixer_.isIdle()) {
        asleep_ = false;
        return;
    }
    feedTimer_->stop();
}

void WaveOutput::wake()
{
    if (!asleep_.exchange(false) || !io_)
        return;
    // The stream has run dry: a full queue of silence puts the next sound as far
    // behind as it would be in a running stream.
    const qint64 room = sink_->bytesFree() / format_.bytesPerFrame() * format_.bytesPerFrame();
    if (room > 0)
        io_->write(QByteArray(room, '\0'));
    queue_.refilled(clock_.elapsed());
    sinceTaken_.start();
    feedTimer_->start();
}
