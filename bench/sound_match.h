// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/wave_sample.h"

#include <QtGlobal>
#include <vector>

// Where a known sound lies in a recording and how much of it was heard.
struct SoundMatch {
    // Recording frame that holds the sound's first frame; -1 when not found.
    qsizetype onset = -1;
    // Normalised cross-correlation at the onset: 1 for an exact copy, near 0 for
    // silence or another sound.
    double correlation = 0;
    // The file's loud part: from its first to the end of its last millisecond
    // above 1 % of its peak.
    qsizetype loudFrames = 0;
    // The part of it heard as it is in the file: from the first loud millisecond
    // that is, to the end of the last one before a loud millisecond missing. A
    // sound cut at its head or its tail is heard shorter by what it lost.
    qsizetype heardFrames = 0;
};

// Searches onsets from `from` to `to` (recording frames) by normalised
// cross-correlation of the whole sound, coarse then frame by frame, and compares
// the recording with the sound up to slotEnd, where the next sound may begin.
SoundMatch FindSound(const std::vector<qint16>& recording, const WaveSample& sound, qsizetype from, qsizetype to,
                     qsizetype slotEnd);
