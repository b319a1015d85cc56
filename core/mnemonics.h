// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <QStringList>

// Mnemonics for the captions of one window, so that every control can be reached
// with Alt and a letter. A caption that brings its own ('&' before a letter)
// keeps it; every other one gets the first letter not yet taken, a word's first
// letter before the others; a caption whose letters are all taken stays as it
// is. taken holds the letters (lower case) already used in the window and
// receives the new ones.
QStringList WithMnemonics(const QStringList& captions, QString& taken);

// The letter a caption's mnemonic stands for, lower case; null when it has none.
QChar MnemonicOf(const QString& caption);

// The caption as read aloud or compared: without its mnemonic marker.
QString WithoutMnemonic(QString caption);
