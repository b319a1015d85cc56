// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/quendor_settings.h"

#include "core/formats.h"
#include "core/ini_file.h"
#include "overviews/quendor_pace.h"

#include <QList>
#include <utility>

namespace {

constexpr int NoBestTimeStored = 999;
constexpr double HiddenValueDefault = 4;

} // namespace

QuendorValues ReadQuendorValues(const IniFile& ini)
{
    QuendorValues values;
    for (int d = 1; d <= QuendorDisciplineCount; ++d) {
        for (int level = 1; level <= QuendorLevelCount; ++level) {
            const int stored = ini.ReadInteger(QuendorSection, LevelTimeKey(d, level), NoBestTimeStored);
            values.bestTime(d, level) = stored >= 1 ? QString::number(stored) : QString();
        }
        if (!HasHiddenValues(d))
            continue;
        values.convert.at(d - 1) = ini.ReadFloat(QuendorSection, ConvertKey(d), HiddenValueDefault);
        values.lastSeconds.at(d - 1) = ini.ReadFloat(QuendorSection, LastSecondsKey(d), HiddenValueDefault);
    }
    return values;
}

void WriteQuendorValues(IniFile& ini, const QuendorValues& values)
{
    QList<std::pair<QString, QString>> lines;
    for (int d = 1; d <= QuendorDisciplineCount; ++d) {
        for (int level = 1; level <= QuendorLevelCount; ++level) {
            const QString& text = values.bestTime(d, level);
            const std::optional<qint64> time = text.isEmpty() ? 0 : BestTimeValue(text);
            if (time)
                lines.append({LevelTimeKey(d, level), FormatShortest(double(*time))});
        }
        if (!HasHiddenValues(d))
            continue;
        lines.append({ConvertKey(d), FormatShortest(values.convert.at(d - 1))});
        lines.append({LastSecondsKey(d), FormatShortest(values.lastSeconds.at(d - 1))});
    }
    ini.WriteStrings(QuendorSection, lines);
}

QString HiddenValueText(double value)
{
    return FormatFixed(value, 2);
}

double HiddenValueToStore(const QString& editText, double stored)
{
    if (editText == HiddenValueText(stored))
        return stored;
    if (editText.isEmpty())
        return 0;
    // A text that is no number keeps what the file had.
    double value = stored;
    ParseDecimal(editText, value);
    return value;
}
