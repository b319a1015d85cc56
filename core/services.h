// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <random>

// The platform services every window reaches through the application context.
// Each has a real implementation and a test one, so windows can be driven with a
// hand-moved clock, a silent sound player and scripted answers.

// Milliseconds as an unsigned 32-bit count that wraps like the system tick count;
// every time in the program is the unsigned difference of two readings.
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual quint32 now() = 0;
};

// Plays a wave file asynchronously: play() returns at once and cuts off the sound
// still playing. A missing file or a missing audio device is silent.
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    virtual void play(const QString& fileName) = 0;
    virtual void stop() = 0;
    // Loads files ahead of their first play(). A sound played on a clock pulse must
    // start at once, not when its file has been read; missing files are skipped.
    virtual void preload(const QStringList& fileNames) = 0;
};

// The few modal interactions the program has with the user and the shell.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A yes/no question; true for yes.
    virtual bool askYesNo(const QString& text) = 0;
    // The general error box.
    virtual void showError(const QString& text) = 0;
    // Hands a web address to the user's browser; failure is ignored.
    virtual void openUrl(const QString& url) = 0;
    // The save-file dialog: the file the user chose, or an empty name when the
    // user cancelled.
    virtual QString askSaveFileName(const QString& caption, const QString& suggestedFile, const QString& filter) = 0;
};

// Uniform integers 0..n-1 from one generator.
class Random {
public:
    virtual ~Random() = default;
    virtual int next(int n) = 0;
    // Seeds the generator from the clock; done once when the main window is created.
    virtual void Randomize() = 0;
};

// Monotonic clock truncated to 32 bits.
class SteadyTickSource final : public TickSource {
public:
    quint32 now() override;
};

// A Mersenne twister; the program seeds it from the clock at start-up.
class SeededRandom final : public Random {
public:
    explicit SeededRandom(quint64 seed) : engine_(seed) {}
    int next(int n) override;
    void Randomize() override;

private:
    std::mt19937_64 engine_;
};

quint64 clockSeed();
