// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"
#include "core/championship_standards.h"
#include "core/interface_text.h"
#include "core/program_folders.h"
#include "core/services.h"

#include <QString>

class RecordsTable;

// What all windows share, owned by the main window and handed to every other
// window by reference: program and data folders, language and texts, version
// text, the records table and the platform services.
class AppContext {
public:
    AppContext(RecordsTable& records, TickSource& tickSource, WavePlayer& wavePlayer, Dialogs& dialogs,
               Random& random)
        : DBDaten(records), tickSource(tickSource), SRWavePlayer(wavePlayer), dialogs(dialogs), random(random)
    {
    }

    // Folder of what ships with the program (its Sounds), always ending in '/':
    // the program file's folder, or share/korvanis/ for an installed program.
    QString ProgramDir;
    // Folder of the user's files (settings, records table, training history),
    // ending in '/'; ChooseDataDir decides it.
    QString DataDir;
    // 1 English, any other value German.
    qint32 Language = 0;
    QString VersionText = QStringLiteral("V0.00");
    // The records dataset, owned by the main window; every window reaches the table
    // through it. Only a reference here, so the ground layer needs nothing of the
    // records layer that stands on it.
    RecordsTable& DBDaten;

    QString InterfaceText(int id, const QString& def) const
    {
        return InterfaceTextTable::builtIn().lookup(Language, id, def);
    }
    // The standards championship points are counted by: the user's table
    // beside the settings once the main window has read it.
    ChampionshipStandards standards = ChampionshipStandards::shipped();

    QString settingsFile() const { return DataDir + QStringLiteral("BRAIN.INI"); }
    // The training windows' beep, wherever the program was started from.
    QString signalSound() const { return FindSound(QStringLiteral("Sounds/Beep.wav"), ProgramDir); }

    TickSource& tickSource;
    WavePlayer& SRWavePlayer;
    Dialogs& dialogs;
    Random& random;

    // The training history. The main window points it at its store once that is
    // open; a test points it at a recording fake. Left empty, attempts go nowhere,
    // so a context made without a history still drives every window.
    AttemptLog* attemptLog = nullptr;
    void recordAttempt(const AttemptRecord& attempt) const
    {
        if (attemptLog)
            attemptLog->record(attempt);
    }
};
