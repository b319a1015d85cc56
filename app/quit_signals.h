// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QObject>
#include <csignal>

class QSocketNotifier;

// A logout, a shutdown or Ctrl+C in a terminal (SIGTERM, SIGHUP, SIGINT) ends the
// program as "Beenden" does: every window closes through its own close handler,
// the topmost first, and the main window last, so that the records table and the
// training history are closed in order rather than cut off. The signal handler
// only writes the signal into a pipe; the event loop reads it on the GUI thread,
// where closing windows is safe. One object, for the life of the application.
class QuitSignals final : public QObject {
public:
    QuitSignals();
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    static constexpr int Handled[] = {SIGTERM, SIGINT, SIGHUP};

    // A signal came while the start still ran (in the loop of a message box it
    // showed): the start ends without entering the main loop.
    bool quitRequested() const { return quitRequested_; }

private:
    void quit();

    QSocketNotifier* notifier_ = nullptr;
    bool quitRequested_ = false;
    struct sigaction previous_[std::size(Handled)] {};
};
