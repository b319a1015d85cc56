// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/picture_drill.h"

#include <QtGlobal>

// A line holds at least one item, so every click moves the run on.
PictureDrill::PictureDrill(int itemCount, int perLine)
    : itemCount_(qMax(itemCount, 0)), perLine_(qMax(perLine, 1)), finished_(false)
{
}

int PictureDrill::groupCount() const
{
    return (itemCount_ + perLine_ - 1) / perLine_;
}

DrillGroup PictureDrill::current() const
{
    if (finished_)
        return DrillGroup{itemCount_, 0};
    return DrillGroup{first_, qMin(perLine_, itemCount_ - first_)};
}

void PictureDrill::advance()
{
    if (finished_)
        return;
    if (first_ + perLine_ < itemCount_)
        first_ += perLine_;
    else
        finished_ = true;
}
