// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

// One line of the picture drill: which items of the material it shows.
struct DrillGroup {
    int first = 0;  // index of its first item
    int size = 0;   // its items; the last line may hold fewer than a full one

    friend bool operator==(const DrillGroup&, const DrillGroup&) = default;
};

// The picture drill flashes its material a line at a time and moves on at each
// click. It counts items only, so the same drill walks a string of digits and a
// dealt list of cards: the window shows material.mid(group.first, group.size).
class PictureDrill {
public:
    // Not started: finished, nothing to show.
    PictureDrill() = default;
    // Started: on the first line.
    PictureDrill(int itemCount, int perLine);

    int itemCount() const { return itemCount_; }
    int perLine() const { return perLine_; }
    int groupCount() const;

    DrillGroup current() const;
    // The next line, or, on the click after the last one, the end of the run.
    void advance();
    bool finished() const { return finished_; }

private:
    int itemCount_ = 0;
    int perLine_ = 1;
    int first_ = 0;
    bool finished_ = true;
};

// The best time shown when none is stored: any finished run beats it.
inline constexpr double NoBestTime = 99999;

// A finished run is a new best only when it is faster; an equal time is none.
inline bool IsNewBestTime(double seconds, double bestTime)
{
    return seconds < bestTime;
}

// The time per line of a best time. Count over items per line is a real division:
// 200 digits in lines of 3 divide by 66.67, although the run shows 67 lines.
inline double TimePerLine(double bestTime, int itemCount, int perLine)
{
    return bestTime / (double(itemCount) / perLine);
}
