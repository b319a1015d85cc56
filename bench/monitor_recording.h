#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// Records a sound server's source (a null sink's monitor) with parec as 16-bit
// mono, and ties the recorded frames to the steady clock: frame n was captured
// at frameZeroNs() + n / rate at the latest, the bound every arriving block of
// data gives, taken at its tightest.
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
    qint64 frameZeroNs() const { return frameZeroNs_; }
    double frameAt(qint64 steadyNs) const;
    qint64 nsAt(double frame) const;

private:
    void readLoop(int fd);

    const QString source_;
    const int rate_;
    int pid_ = -1;
    std::thread reader_;
    std::atomic<qint64> framesRead_ = 0;
    std::mutex lock_;
    std::vector<qint16> samples_;
    qint64 frameZeroNs_ = 0;
};
