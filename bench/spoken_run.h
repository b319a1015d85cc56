// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/services.h"
#include "tests/support/fakes.h"

#include <memory>

class TMainWin;
class TWinSpoken;

// The real spoken-numbers window on the real event loop, the system's tick
// source and a given wave player, in a fresh program folder holding the committed
// sounds: what a user gets, less the screen.
class SpokenRun {
public:
    explicit SpokenRun(WavePlayer& player);
    ~SpokenRun();

    bool isValid() const { return window_ != nullptr; }
    TWinSpoken& window() const { return *window_; }
    QString programDir() const { return dir_.path(); }

    // Sets count and pulse, lets the window settle for settleMs as a user reading
    // it would, presses START and returns when recall begins. With
    // switchToEnglishAt > 0 the voice changes to English half a pulse before that
    // digit.
    void speak(int digits, int pulseMs, int switchToEnglishAt = 0, int settleMs = 1000);
    // When START was pressed, on the steady clock.
    qint64 startNs() const { return startNs_; }
    // The due time of a pulse on the steady clock, from the window's own schedule.
    qint64 dueNs(int pulse) const;

private:
    TempProgramDir dir_;
    SteadyTickSource ticks_;
    ScriptedDialogs dialogs_;
    FixedRandom random_;
    std::unique_ptr<TMainWin> main_;
    TWinSpoken* window_ = nullptr;
    qint64 startNs_ = 0;
};

// Runs the event loop for a while.
void RunEventLoop(int ms);
