// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/services.h"

#include <QHash>
#include <QString>
#include <memory>

class QThread;
class WaveMixer;
class WaveOutput;
class WaveSample;

// Plays wave files through one long-lived audio output. Each file is decoded
// once into PCM in the output's format; play() hands the decoded sample to the
// mixer, which starts it at its next period and cuts the sound before it exactly
// then, so play() takes microseconds and never waits for a device. The output,
// in a thread of its own, is opened with the first sound loaded, at that sound's
// format (the program's sounds share one); other sounds are converted to it.
// Relative names are resolved against the working folder at the moment of
// playing. A missing or unreadable file plays nothing (and still cuts the sound
// before it); without an audio device nothing is heard.
class QtWavePlayer final : public WavePlayer {
public:
    QtWavePlayer();
    ~QtWavePlayer() override;
    void play(const QString& fileName) override;
    void stop() override;
    void preload(const QStringList& fileNames) override;

    // The wave files in a folder and its subfolders, to preload at start-up.
    static QStringList filesIn(const QString& folder);

private:
    // The sample of an existing, playable file, decoding it on first use.
    std::shared_ptr<const WaveSample> loaded(const QString& fileName);
    void startOutput(int sampleRate, int channels);
    void wakeOutput();

    QHash<QString, std::shared_ptr<const WaveSample>> samples_;
    std::unique_ptr<WaveMixer> mixer_;
    int sampleRate_ = 0;
    QThread* thread_ = nullptr;
    WaveOutput* output_ = nullptr;
};
