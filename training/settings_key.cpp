// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/settings_key.h"

QString SettingsKey(QAnyStringView word, QAnyStringView what)
{
    return QStringLiteral("Training ") + word.toString() + QLatin1Char(' ') + what.toString();
}
