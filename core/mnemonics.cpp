// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/mnemonics.h"

QChar MnemonicOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

QString WithoutMnemonic(QString caption)
{
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

namespace {

// Where the mnemonic goes: the first free word start, else the first free letter.
qsizetype mnemonicPosition(const QString& caption, const QString& taken)
{
    const auto free = [&](qsizetype i) { return caption[i].isLetter() && !taken.contains(caption[i].toLower()); };
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const bool wordStart = i == 0 || !caption[i - 1].isLetterOrNumber();
        if (wordStart && free(i))
            return i;
    }
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (free(i))
            return i;
    }
    return -1;
}

} // namespace

QStringList WithMnemonics(const QStringList& captions, QString& taken)
{
    for (const QString& caption : captions) {
        const QChar own = MnemonicOf(caption);
        if (!own.isNull() && !taken.contains(own))
            taken += own;
    }
    QStringList result;
    result.reserve(captions.size());
    for (const QString& caption : captions) {
        if (!MnemonicOf(caption).isNull() || caption.contains(QLatin1Char('&'))) {
            result << caption;
            continue;
        }
        const qsizetype at = mnemonicPosition(caption, taken);
        if (at < 0) {
            result << caption;
            continue;
        }
        taken += caption[at].toLower();
        result << QString(caption).insert(at, QLatin1Char('&'));
    }
    return result;
}
