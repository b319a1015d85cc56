// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>

class AppContext;
struct HistoryProblem;

// The message the user reads about a history problem, in the interface language.
QString HistoryProblemText(const AppContext& ctx, const HistoryProblem& problem);
