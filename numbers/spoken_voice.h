// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QChar>
#include <QString>

class AppContext;

// The recorded digits of spoken numbers, in the two voices "Deutsch" and
// "Englisch": loaded once before the first attempt so the first pulse does not
// wait for a file, played one per pulse, stopped when speaking is cut off.
class SpokenVoice {
public:
    explicit SpokenVoice(AppContext& ctx) : ctx_(ctx) {}

    // Loads every digit of both voices and the signal sound, the first time only.
    void preload();
    void play(const QString& voice, QChar digit);
    void stop();
    // The file spoken for a digit in a voice.
    QString digitSound(const QString& voice, QChar digit) const;

private:
    AppContext& ctx_;
    bool preloaded_ = false;
};
