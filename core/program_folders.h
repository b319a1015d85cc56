// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <QStringList>

// Where the program finds what it ships with and where it keeps the user's own
// files. Every folder here ends in '/'.

// How the data folder is chosen.
enum class DataFolderRule {
    // The program's folder when it already holds the data files or takes a new
    // file, so an unpacked copy keeps everything together; otherwise the user's
    // folder, so a copy in a folder the user cannot write still keeps records.
    ProgramFolderFirst,
    // Always the user's folder: an installed program's folder is nobody's to
    // write, and a build folder is thrown away with the records in it.
    UserFolder,
};

// The files the program keeps in its data folder: the settings, the records
// table with its two indexes, the training history, the table of championship
// standards.
const QStringList& DataFileNames();

// The data folder for a program in programDir. The user's folder is created
// when it is chosen; when it cannot be, it is still the answer, and the parts
// that write there report their own failure.
QString ChooseDataDir(const QString& programDir, const QString& userDir, DataFolderRule rule);

// The user's folder for the program's data (~/.local/share/Korvanis).
QString UserDataDir();

// The folder of what ships with the program (its Sounds): the program file's
// own folder for a built or unpacked copy; for an installed program, whose
// folder is bin/, the share/korvanis folder installed beside it.
QString ShippedFilesDir(const QString& programFile);

// A sound named relative to the working folder, as the signal sound is: found
// there when the program was started in its folder, else in shippedDir (a
// program started from a menu runs in the user's home). When neither holds it,
// the name stays as given and plays as silence.
QString FindSound(const QString& relativeName, const QString& shippedDir);
