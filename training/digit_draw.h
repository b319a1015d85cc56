// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QByteArray>

class Random;

// count digits, each drawn on its own from '0' up to '0' + alphabetSize - 1 by
// the program's generator, repeats allowed.
QByteArray DrawDigits(int count, int alphabetSize, Random& random);
