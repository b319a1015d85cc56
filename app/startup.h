// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/program_folders.h"

#include <QString>
#include <memory>

class TMainWin;
class TickSource;
class WavePlayer;
class Dialogs;
class Random;

// Creates every window of the program once, in the program's fixed order, the
// main window first; the others are its children and stay hidden until a menu
// command shows them.
std::unique_ptr<TMainWin> CreateKorvanisWindows(TickSource& tickSource, WavePlayer& wavePlayer, Dialogs& dialogs,
                                                Random& random, const QString& programFile,
                                                DataFolderRule dataFolderRule = DataFolderRule::ProgramFolderFirst);
