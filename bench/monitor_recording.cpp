// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "bench/monitor_recording.h"

#include "bench/timing_wave_player.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

#include <csignal>
#include <cstring>
#include <limits>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

MonitorRecording::MonitorRecording(QString source, int sampleRate) : source_(std::move(source)), rate_(sampleRate) {}

MonitorRecording::~MonitorRecording()
{
    stop();
}

bool MonitorRecording::start()
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    const QByteArray device = "--device=" + source_.toLocal8Bit();
    const QByteArray rate = "--rate=" + QByteArray::number(rate_);
    // A short fragment makes blocks arrive soon after they were captured, which
    // is what ties the frames to the clock.
    const char* argv[] = {"parec", device.constData(), "--raw", "--format=s16le", "--channels=1",
                          rate.constData(), "--latency-msec=5", nullptr};
    const int failed = posix_spawnp(&pid_, "parec", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (failed) {
        pid_ = -1;
        close(fds[0]);
        return false;
    }
    reader_ = std::thread([this, fd = fds[0]] { readLoop(fd); });
    return true;
}

void MonitorRecording::readLoop(int fd)
{
    QByteArray carry;
    for (;;) {
        char raw[4096];
        const ssize_t n = read(fd, raw, sizeof raw);
        const qint64 now = SteadyNs();
        if (n <= 0)
            break;
        carry.append(raw, n);
        const qsizetype frames = carry.size() / 2;
        const std::lock_guard<std::mutex> guard(lock_);
        const size_t first = samples_.size();
        samples_.resize(first + size_t(frames));
        std::memcpy(samples_.data() + first, carry.constData(), size_t(frames) * 2);
        carry.remove(0, frames * 2);
        blocks_.push_back({now, qint64(samples_.size())});
        framesRead_ = qint64(samples_.size());
    }
    close(fd);
}

bool MonitorRecording::waitForData(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (framesRead_ < rate_ / 10) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(10);
    }
    return true;
}

void MonitorRecording::stop()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    if (reader_.joinable())
        reader_.join();
}

qint64 MonitorRecording::frameZeroNsAfter(qint64 steadyNs) const
{
    constexpr qint64 Reach = 500000000;
    auto block = std::lower_bound(blocks_.begin(), blocks_.end(), steadyNs,
                                  [](const Block& b, qint64 ns) { return b.arrivedNs < ns; });
    if (block == blocks_.end() && !blocks_.empty())
        --block;
    qint64 best = std::numeric_limits<qint64>::max();
    for (; block != blocks_.end() && block->arrivedNs <= steadyNs + Reach; ++block)
        best = std::min(best, block->arrivedNs - block->endFrame * 1000000000 / rate_);
    return best;
}

double MonitorRecording::frameAt(qint64 steadyNs) const
{
    return double(steadyNs - frameZeroNsAfter(steadyNs)) * rate_ / 1e9;
}

qint64 MonitorRecording::nsAt(double frame) const
{
    // The moment is found from the blocks after a first guess of it.
    const qint64 guess = frameZeroNsAfter(blocks_.empty() ? 0 : blocks_.front().arrivedNs) + qint64(frame * 1e9 / rate_);
    return frameZeroNsAfter(guess) + qint64(frame * 1e9 / rate_);
}
