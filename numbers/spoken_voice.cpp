// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/spoken_voice.h"

#include "core/app_context.h"

#include <QStringList>

void SpokenVoice::preload()
{
    if (preloaded_)
        return;
    preloaded_ = true;
    QStringList files;
    for (const QString& voice : {QStringLiteral("Deutsch"), QStringLiteral("Englisch")}) {
        for (char digit = '0'; digit <= '9'; ++digit)
            files << digitSound(voice, QLatin1Char(digit));
    }
    files << ctx_.signalSound();
    ctx_.SRWavePlayer.preload(files);
}

void SpokenVoice::play(const QString& voice, QChar digit)
{
    ctx_.SRWavePlayer.play(digitSound(voice, digit));
}

void SpokenVoice::stop()
{
    ctx_.SRWavePlayer.stop();
}

QString SpokenVoice::digitSound(const QString& voice, QChar digit) const
{
    return ctx_.ProgramDir + QStringLiteral("Sounds/") + voice + QLatin1Char('/') + digit + QStringLiteral(".wav");
}
