#pragma once

#include "app/interface_text.h"
#include "app/services.h"
#include "records/records_table.h"

#include <QString>

// What all windows share, owned by the main window and handed to every other
// window by reference: program folder, language and texts, version text, the
// records table and the platform services.
class AppContext {
public:
    AppContext(TickSource& tickSource, WavePlayer& wavePlayer, Dialogs& dialogs, Random& random)
        : tickSource(tickSource), SRWavePlayer(wavePlayer), dialogs(dialogs), random(random) {}

    // Folder of the program file, always ending in '/'.
    QString ProgramDir;
    // 1 English, any other value German.
    qint32 Language = 0;
    QString VersionText = QStringLiteral("V0.00");
    // The records dataset; every window reaches the table through it.
    RecordsTable DBDaten;

    QString InterfaceText(int id, const QString& def) const
    {
        return InterfaceTextTable::builtIn().lookup(Language, id, def);
    }
    QString settingsFile() const { return ProgramDir + QStringLiteral("BRAIN.INI"); }

    TickSource& tickSource;
    WavePlayer& SRWavePlayer;
    Dialogs& dialogs;
    Random& random;
};
