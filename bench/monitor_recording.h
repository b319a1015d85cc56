// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// Records a sound server's source (a null sink's monitor) with parec as 16-bit
// mono, and ties the recorded frames to the steady clock: a block of data that
// arrives at time t ending with frame n says that frame n was captured at t at
// the latest, so frame 0 at t - n / rate. The tightest of these bounds among the
// blocks of the half second after a moment places the frames around it. Taken
// only nearby, because the server rewinding its sink (after a stream ran dry)
// hands the monitor a few milliseconds twice, which shifts all later frames.
class MonitorRecording {
public:
    MonitorRecording(QString source, int sampleRate);
    ~MonitorRecording();

    // Starts parec; false when it cannot be started.
    bool start();
    // Waits until data flows, at most timeoutMs; false if none came.
    bool waitForData(int timeoutMs);
    void stop();

    int sampleRate() const { return rate_; }
    const std::vector<qint16>& samples() const { return samples_; }
    // The recording frame captured at a moment, and the moment of a frame.
    double frameAt(qint64 steadyNs) const;
    qint64 nsAt(double frame) const;

private:
    struct Block {
        qint64 arrivedNs;
        qint64 endFrame;
    };
    // When frame 0 was captured, by the blocks that arrived from a moment on.
    qint64 frameZeroNsAfter(qint64 steadyNs) const;
    void readLoop(int fd);

    const QString source_;
    const int rate_;
    int pid_ = -1;
    std::thread reader_;
    std::atomic<qint64> framesRead_ = 0;
    std::mutex lock_;
    std::vector<qint16> samples_;
    std::vector<Block> blocks_;
};
