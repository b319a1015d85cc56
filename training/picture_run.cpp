// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/picture_run.h"

#include "training/attempt_clock.h"

PictureRun::PictureRun(QByteArray material, int perLine, quint32 tick)
    : drill_(int(material.size()), perLine), startTick_(tick), running_(true)
{
    attempt_.given = std::move(material);
    attempt_.shownAtMs = QVector<qint32>(attempt_.size(), -1);
    showCurrentLine(tick);
}

void PictureRun::showCurrentLine(quint32 tick)
{
    const DrillGroup group = drill_.current();
    const qint32 at = qint32(ElapsedMs(startTick_, tick));
    for (int i = group.first; i < group.first + group.size; ++i)
        attempt_.shownAtMs[i] = at;
}

bool PictureRun::advance(quint32 tick)
{
    if (!running_)
        return false;
    drill_.advance();
    if (drill_.finished()) {
        end(tick, true);
        return false;
    }
    showCurrentLine(tick);
    return true;
}

void PictureRun::breakOff(quint32 tick)
{
    if (running_)
        end(tick, false);
}

void PictureRun::end(quint32 tick, bool complete)
{
    runMs_ = ElapsedMs(startTick_, tick);
    running_ = false;
    completed_ = complete;
}

quint32 PictureRun::elapsedMs(quint32 tick) const
{
    return running_ ? ElapsedMs(startTick_, tick) : runMs_;
}

AttemptRecord PictureRun::record(DisciplineCode code) const
{
    AttemptRecord run;
    run.discipline = code;
    run.setting.count = drill_.itemCount();
    run.setting.perLine = drill_.perLine();
    run.result.runSeconds = seconds();
    run.completed = completed_;
    run.items = attempt_;
    return run;
}
