#include "training/settings_key.h"

QString SettingsKey(QAnyStringView word, QAnyStringView what)
{
    return QStringLiteral("Training ") + word.toString() + QLatin1Char(' ') + what.toString();
}
