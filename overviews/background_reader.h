// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QThread;

// A window's reads of the history in threads of their own, so the window stays
// usable while years of attempts are read. One read is current at a time:
// starting another or stopping cancels the one before, and what that one still
// hands over is dropped. What a read hands over runs in the window's thread.
// Destroying the reader cancels every read and waits for its thread, which only
// reads and ends after its current step.
class BackgroundReader : public QObject {
public:
    // Hands a piece of work to the window's thread, where it runs while the read
    // that handed it over is current.
    using Deliver = std::function<void(std::function<void()>)>;
    using Job = std::function<void(const std::atomic<bool>& cancel, const Deliver& deliver)>;

    BackgroundReader() = default;
    ~BackgroundReader() override;

    void start(Job job);
    void stop();
    // Whether the current read has not ended yet.
    bool reading() const { return cancel_ != nullptr; }

private:
    std::shared_ptr<std::atomic<bool>> cancel_;
    int generation_ = 0;
    std::vector<QThread*> threads_;
};
