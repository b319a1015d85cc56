#include "app/startup.h"

#include "app/main_win.h"
#include "app/win_about.h"
#include "app/win_sprache.h"
#include "app/win_wait.h"

std::unique_ptr<TMainWin> CreateKorvanisWindows(TickSource& tickSource, WavePlayer& wavePlayer, Dialogs& dialogs,
                                                Random& random, const QString& programFile)
{
    auto main = std::make_unique<TMainWin>(tickSource, wavePlayer, dialogs, random, programFile);
    AppContext& ctx = main->context();

    TMainWin::Windows windows;
    windows.WinWait = new TWinWait(main.get());
    windows.WinAbout = new TWinAbout(ctx, main.get());
    windows.WinSprache = new TWinSprache(ctx, main.get());
    main->setWindows(windows);
    return main;
}
