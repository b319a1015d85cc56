// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/quit_signals.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

int quitPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int signal)
{
    const int saved = errno;
    const char number = char(signal);
    // A full pipe already holds a quit that is yet to be read.
    [[maybe_unused]] const ssize_t written = ::write(quitPipe[1], &number, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals()
{
    if (::pipe2(quitPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("Korvanis: no pipe for the quit signals; a logout ends the program without closing its files");
        return;
    }
    notifier_ = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, this);
    QObject::connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::quit);
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(Handled); ++i)
        ::sigaction(Handled[i], &action, &previous_[i]);
}

QuitSignals::~QuitSignals()
{
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < std::size(Handled); ++i)
        ::sigaction(Handled[i], &previous_[i], nullptr);
    delete notifier_;
    ::close(quitPipe[0]);
    ::close(quitPipe[1]);
    quitPipe[0] = quitPipe[1] = -1;
}

void QuitSignals::quit()
{
    char drained[16];
    while (::read(quitPipe[0], drained, sizeof drained) > 0) {
    }
    quitRequested_ = true;
    // The modal windows first, the topmost first: each one's own close handler
    // keeps its settings, and its exec() returns once this slot has.
    for (QWidget* modal = QApplication::activeModalWidget(); modal; modal = QApplication::activeModalWidget()) {
        if (!modal->close())
            break;
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible())
            window->close();
    }
    // Every event loop ends, nested ones too, without asking the windows again:
    // one that refused must not keep the files open until the session kills
    // the program. Before the main loop runs this does nothing; main() asks.
    QCoreApplication::exit(0);
}
