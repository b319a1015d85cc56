// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>

// Something the user has to know about the history file. The store says what
// happened; the main window words it in the user's language.
struct HistoryProblem {
    enum Kind {
        CannotOpen,    // no history this session until the cause goes (detail says why)
        SetAside,      // the file was damaged: kept under setAsideAs, a new one begun
        ReadOnly,      // the file is marked read-only: shown, never written
        NewerVersion,  // a later Korvanis made the file: shown, never changed
        WriteFailed,   // an attempt could not be written; it is kept and tried again
        // A log or journal lay beside a missing or empty file: the files named in
        // detail are kept, unchanged, as those named in setAsideAs; a new one begun.
        LeftoversSetAside,
        ReadFailed,    // the file could not be read (detail says why); nothing is shown
        // At the close, `attempts` could not be written: they wait in keptIn.
        KeptForLater,
        // `attempts` that waited in keptIn from an earlier run are in the file now.
        Merged,
        // At the close, `attempts` could be written neither to the file nor to
        // keptIn (detail says why).
        Lost,
        // keptIn, a file of waiting attempts, cannot be read (detail says why); it
        // stays as it is.
        WaitingUnreadable,
    };
    Kind kind = CannotOpen;
    QString fileName;
    QString setAsideAs;
    QString detail;
    int attempts = 0;
    QString keptIn;
};
