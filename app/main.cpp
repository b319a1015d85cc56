// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/korvanis_application.h"
#include "app/main_win.h"
#include "app/qt_services.h"
#include "app/quit_signals.h"
#include "app/startup.h"
#include "core/program_folders.h"

#include <QIcon>

int main(int argc, char** argv)
{
    KorvanisApplication app(argc, argv);
    // Before any window exists, so that a logout during the start ends in order too.
    QuitSignals quitSignals;
    app.setWindowIcon(QIcon(QStringLiteral(":/korvanis_icon.png")));
    // Lets the desktop match the windows to the menu entry and its icon.
    app.setDesktopFileName(QStringLiteral("korvanis"));

    SteadyTickSource tickSource;
    QtDialogs dialogs;
    app.setErrorDialogs(&dialogs);
    SeededRandom random(clockSeed());
    QtWavePlayer wavePlayer;
    // Every sound is decoded, and the audio output opened, before a window can
    // ask for one; they are a few hundred kilobytes.
    wavePlayer.preload(QtWavePlayer::filesIn(QCoreApplication::applicationDirPath() + QStringLiteral("/Sounds")));

#ifdef KORVANIS_USER_DATA_FOLDER
    const DataFolderRule dataFolderRule = DataFolderRule::UserFolder;
#else
    const DataFolderRule dataFolderRule = DataFolderRule::ProgramFolderFirst;
#endif
    const auto mainWin = CreateKorvanisWindows(tickSource, wavePlayer, dialogs, random,
                                               QCoreApplication::applicationFilePath(), dataFolderRule);
    if (quitSignals.quitRequested())
        return 0;
    dialogs.setHeldKeys(&mainWin->heldKeys());
    mainWin->show();
    return app.exec();
}
