// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"
#include "core/disciplines.h"

#include <QString>
#include <vector>

// A competition format a discipline is trained in: what it fills into the
// memorisation page's count and times. A preset without a count leaves the
// digits unlimited, as a championship sheet holds more than anyone recalls.
struct FormatPreset {
    int textId;
    const char* name;  // the German default of the text
    AttemptRecord::Setting setting;
};

// The national, international and world formats of a discipline and the
// Memory League ones, in the order the drop-down lists them; none for a
// discipline without memorisation page.
const std::vector<FormatPreset>& FormatPresetsOf(DisciplineCode code);

// The preset whose values a setting holds, or -1: the drop-down shows the
// format that the spin buttons stand at, and none once they are set by hand.
int PresetIndexOf(DisciplineCode code, const AttemptRecord::Setting& setting);
