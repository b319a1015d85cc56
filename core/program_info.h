// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>

// "V" and the four numbers of the program's version, or "V0.00" when the build
// carries no version.
QString ReadVersionText();

// The folder part of the program file's full path, ending in '/' (never doubled,
// also for a program in the root folder).
QString ProgramDirFromPath(const QString& programFile);
