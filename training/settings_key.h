// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QAnyStringView>
#include <QString>

// The key under which a training window remembers a setting in the settings
// file: "Training " + the window's settings word + " " + what, as in
// "Training Zahlen Anzahl" or "Training Binaer Zeile".
QString SettingsKey(QAnyStringView word, QAnyStringView what);
