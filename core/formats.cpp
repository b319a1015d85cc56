// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/formats.h"

#include <QLocale>
#include <cmath>

QChar DecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

static QString withSeparator(QString text)
{
    const QChar separator = DecimalSeparator();
    if (separator != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), separator);
    return text;
}

QString FormatFixed(double value, int decimals)
{
    // A tiny negative value would otherwise show as "-0,00".
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0.0;
    return withSeparator(QString::number(value, 'f', decimals));
}

QString FormatShortest(double value)
{
    QString text = QString::number(value, 'g', 15);
    if (text.contains(QLatin1Char('e')))
        text = text.toUpper();
    return withSeparator(text);
}

bool ParseDecimal(const QString& text, double& value)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    // Settings written under another regional setting still read back: both the
    // user's separator and the two common ones are taken as the decimal point.
    t.replace(DecimalSeparator(), QLatin1Char('.'));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.count(QLatin1Char('.')) > 1)
        return false;
    for (const QChar ch : std::as_const(t)) {
        if (!(ch.isDigit() || ch == QLatin1Char('.') || ch == QLatin1Char('-') || ch == QLatin1Char('+')
              || ch == QLatin1Char('e') || ch == QLatin1Char('E')))
            return false;
    }
    bool ok = false;
    const double parsed = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}
