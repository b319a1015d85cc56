// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/services.h"

#include <QStringList>
#include <vector>

// Passes every call on to a real player and notes, for each play(), the file,
// when the call began on the steady clock and how long it took.
class TimingWavePlayer final : public WavePlayer {
public:
    explicit TimingWavePlayer(WavePlayer& real) : real_(real) {}
    void play(const QString& fileName) override;
    void stop() override { real_.stop(); }
    void preload(const QStringList& fileNames) override { real_.preload(fileNames); }

    QStringList files;
    std::vector<qint64> startsNs;
    std::vector<double> durationsUs;

private:
    WavePlayer& real_;
};

// The steady clock the tick source truncates, in nanoseconds.
qint64 SteadyNs();
