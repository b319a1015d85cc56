// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// Start-up of the program, from main() until the main window is on screen with
// every window created, in a fresh program folder.
#include "app/korvanis_application.h"
#include "app/main_win.h"
#include "app/qt_services.h"
#include "app/startup.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();

    KorvanisApplication app(argc, argv);
    QTemporaryDir folder;
    SteadyTickSource tickSource;
    QtDialogs dialogs;
    app.setErrorDialogs(&dialogs);
    SeededRandom random(clockSeed());
    QtWavePlayer wavePlayer;

    auto mainWin = CreateKorvanisWindows(tickSource, wavePlayer, dialogs, random, folder.path() + "/korvanis");
    mainWin->show();
    while (!mainWin->windowHandle() || !mainWin->windowHandle()->isExposed())
        app.processEvents(QEventLoop::AllEvents, 5);
    app.processEvents();

    std::printf("startup_ms: %lld ms (target 200 ms)\n", static_cast<long long>(clock.elapsed()));
    return 0;
}
