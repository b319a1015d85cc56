// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/format_presets.h"

namespace {

AttemptRecord::Setting times(std::optional<int> count, int memoMinutes, int recallMinutes)
{
    AttemptRecord::Setting s;
    s.count = count;
    s.memoMinutes = memoMinutes;
    s.recallMinutes = recallMinutes;
    return s;
}

AttemptRecord::Setting spoken(int count, int pulseMs, int recallMinutes)
{
    AttemptRecord::Setting s;
    s.count = count;
    s.pulseMs = pulseMs;
    s.recallMinutes = recallMinutes;
    return s;
}

} // namespace

const std::vector<FormatPreset>& FormatPresetsOf(DisciplineCode code)
{
    static const std::vector<FormatPreset> numbers{
        {476, "Speed Numbers 5/15 (national, international, Welt)", times(std::nullopt, 5, 15)},
        {477, "15-Minuten-Zahlen 15/30 (national)", times(std::nullopt, 15, 30)},
        {478, "30-Minuten-Zahlen 30/60 (international)", times(std::nullopt, 30, 60)},
        {479, "Stundenzahlen 60/120 (Welt)", times(std::nullopt, 60, 120)},
        {480, "Memory League 80 Ziffern 1/4", times(80, 1, 4)},
    };
    static const std::vector<FormatPreset> binary{
        {481, "5-Minuten-Binärzahlen 5/15 (national)", times(std::nullopt, 5, 15)},
        {482, "30-Minuten-Binärzahlen 30/60 (international)", times(std::nullopt, 30, 60)},
        {483, "30-Minuten-Binärzahlen 30/90 (Welt)", times(std::nullopt, 30, 90)},
    };
    static const std::vector<FormatPreset> spokenNumbers{
        {484, "Spoken Numbers 100 Ziffern, 1 s, 5 min", spoken(100, 1000, 5)},
        {485, "Spoken Numbers 200 Ziffern, 1 s, 10 min", spoken(200, 1000, 10)},
        {486, "Spoken Numbers 300 Ziffern, 1 s, 15 min", spoken(300, 1000, 15)},
    };
    static const std::vector<FormatPreset> cards{
        {487, "Speed Cards 5/5, 52 Karten", times(52, 5, 5)},
        {488, "10-Minuten-Karten 10/20, 10 Stapel (national)", times(520, 10, 20)},
        {489, "30-Minuten-Karten 30/60, 20 Stapel (international)", times(1040, 30, 60)},
        {490, "Stundenkarten 60/120, 40 Stapel (Welt)", times(2080, 60, 120)},
        {491, "Memory League 52 Karten 1/4", times(52, 1, 4)},
    };
    static const std::vector<FormatPreset> none;
    switch (code) {
    case NumbersMemo:
        return numbers;
    case BinaryMemo:
        return binary;
    case SpokenNumbers:
        return spokenNumbers;
    case CardsMemo:
        return cards;
    default:
        break;
    }
    return none;
}

int PresetIndexOf(DisciplineCode code, const AttemptRecord::Setting& setting)
{
    const std::vector<FormatPreset>& presets = FormatPresetsOf(code);
    for (int i = 0; i < int(presets.size()); ++i) {
        const AttemptRecord::Setting& p = presets[i].setting;
        if (p.count == setting.count && p.memoMinutes == setting.memoMinutes && p.recallMinutes == setting.recallMinutes
            && p.pulseMs == setting.pulseMs)
            return i;
    }
    return -1;
}
