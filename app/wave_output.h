// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/output_queue.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>

#include <atomic>

class QAudioSink;
class QIODevice;
class QMediaDevices;
class QTimer;
class WaveMixer;

// The program's one audio output: a QAudioSink on the default device, opened
// once per device at the sounds' own format and kept running, fed from the mixer
// every couple of milliseconds, with silence between sounds. A stream that stays
// open never has sound queued in the server thrown away, as closing one after
// each sound did.
//
// The server keeps 20 ms queued for it, enough on a machine that keeps up; a
// stream that runs dry all the same is opened again with a longer queue at the
// next silence that has emptied the queue of sound (OutputQueue), the one other
// time a stream is opened anew.
//
// After a long silence it stops feeding and sleeps: the stream stays open and
// plays silence of its own accord, and the program takes no processor time.
// A play() wakes it; it then fills the stream with silence once, so the next
// sound waits behind as much as any sound does while it is awake.
//
// It lives in a thread of its own, so a busy window thread cannot starve the
// stream. Without a device it stays silent and waits for one; when its device
// fails or disappears, or the default device changes, it opens the default
// device again.
class WaveOutput : public QObject {
    Q_OBJECT

public:
    WaveOutput(WaveMixer& mixer, int sampleRate);
    ~WaveOutput() override;

    // Called in the output's thread once it runs.
    void start();
    // Any thread: true while it sleeps and a sound asked for needs wake().
    bool isAsleep() const { return asleep_; }
    // In the output's thread (queue the call): feeds again after a sleep.
    void wake();

private:
    void open();
    void close();
    // A stream that failed, or a device that is gone, is closed and opened again;
    // true when that happened. Qt 6.4 reports a stream the server killed (its
    // sink was removed) neither as an error nor as a state: such a stream just
    // never asks for data again, so a stream starved of requests for a while
    // counts as lost too.
    bool reopenIfLost(bool starved);
    void devicesChanged();
    void feed();
    // Renders what the stream has room for and hands it over.
    void handOver(qint64 room);
    void sleepIfIdle();

    WaveMixer& mixer_;
    QAudioFormat format_;
    QMediaDevices* devices_ = nullptr;
    QTimer* feedTimer_ = nullptr;
    QTimer* retryTimer_ = nullptr;
    QAudioDevice device_;
    QAudioSink* sink_ = nullptr;
    QIODevice* io_ = nullptr;
    // Rendered frames the stream did not take yet; they go first next time.
    QByteArray pending_;
    // Since the stream last took frames.
    QElapsedTimer sinceTaken_;
    // The clock of the queue's rules.
    QElapsedTimer clock_;
    OutputQueue queue_;
    std::atomic<bool> asleep_ = false;
};
