// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/qt_wave_player.h"

#include "app/wave_output.h"
#include "core/wave_mixer.h"
#include "core/wave_sample.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QThread>

namespace {

// A new sound starts on the next millisecond boundary of the stream, and a cut
// one fades out over 2.5 ms, long enough to take the click out of the cut.
constexpr int PeriodsPerSecond = 1000;
constexpr int FadesPerSecond = 400;

} // namespace

QtWavePlayer::QtWavePlayer() = default;

QtWavePlayer::~QtWavePlayer()
{
    if (!thread_)
        return;
    // The output is deleted in its own thread as that ends (see startOutput), so
    // its sink is closed where it lives and no stream is left open at exit.
    thread_->quit();
    thread_->wait();
    delete thread_;
}

void QtWavePlayer::startOutput(int sampleRate, int channels)
{
    sampleRate_ = sampleRate;
    mixer_ = std::make_unique<WaveMixer>(channels, sampleRate / PeriodsPerSecond, sampleRate / FadesPerSecond);
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("wave output"));
    output_ = new WaveOutput(*mixer_, sampleRate);
    output_->moveToThread(thread_);
    QObject::connect(thread_, &QThread::started, output_, &WaveOutput::start);
    QObject::connect(thread_, &QThread::finished, output_, &QObject::deleteLater);
    thread_->start();
}

std::shared_ptr<const WaveSample> QtWavePlayer::loaded(const QString& fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    const auto known = samples_.constFind(path);
    if (known != samples_.constEnd())
        return known.value();
    // A missing file is not remembered: it may be there at the next play.
    const WaveSample decoded = WaveSample::fromFile(path);
    if (decoded.isEmpty())
        return nullptr;
    if (!mixer_)
        startOutput(decoded.sampleRate(), decoded.channels());
    auto sample = std::make_shared<const WaveSample>(decoded.convertedTo(sampleRate_, mixer_->channels()));
    samples_.insert(path, sample);
    return sample;
}

void QtWavePlayer::play(const QString& fileName)
{
    std::shared_ptr<const WaveSample> sample = loaded(fileName);
    if (!mixer_)
        return;
    mixer_->play(std::move(sample));
    wakeOutput();
}

void QtWavePlayer::wakeOutput()
{
    if (output_->isAsleep())
        QMetaObject::invokeMethod(output_, &WaveOutput::wake, Qt::QueuedConnection);
}

void QtWavePlayer::stop()
{
    if (mixer_)
        mixer_->stop();
}

void QtWavePlayer::preload(const QStringList& fileNames)
{
    for (const QString& fileName : fileNames)
        loaded(fileName);
    // Sounds are on their way: the output is awake when they come.
    if (mixer_)
        wakeOutput();
}

QStringList QtWavePlayer::filesIn(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, {QStringLiteral("*.wav")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}
