// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/quendor_pace.h"

#include "core/formats.h"

#include <cmath>

namespace {

// Half a hundredth rounds up, as a shown value does; all operands are positive.
qint64 roundedQuotient(qint64 numerator, qint64 denominator)
{
    return (2 * numerator + denominator) / (2 * denominator);
}

} // namespace

bool BestTimeCharAccepted(QChar ch)
{
    return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char('\b');
}

std::optional<qint64> BestTimeValue(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<QString> PaceText(const QString& bestTime, int amount, int unitsPerPace)
{
    if (amount <= 0 || bestTime.isEmpty() || bestTime == QLatin1String("-"))
        return QStringLiteral("-");
    const std::optional<qint64> time = BestTimeValue(bestTime);
    if (!time || *time < 0)
        return std::nullopt;
    return CentsText(roundedQuotient(*time * unitsPerPace * 100, amount));
}

std::optional<QString> CaptionSummary(const QStringList& bestTimes, int disciplines)
{
    qint64 filled = 0;
    qint64 sum = 0;
    for (const QString& text : bestTimes) {
        if (text.isEmpty())
            continue;
        ++filled;
        sum += BestTimeValue(text).value_or(0);
    }
    if (filled == 0)
        return std::nullopt;
    return FormatFixed(double(sum) / double(filled), 2) + QLatin1Char(' ')
        + FormatFixed(double(filled) / double(disciplines), 2);
}

std::optional<qint64> PaceCents(const QString& paceText)
{
    double pace = 0;
    if (!ParseDecimal(paceText, pace) || pace < 0 || pace > 1e12)
        return std::nullopt;
    return std::llround(pace * 100);
}

Projection ProjectLevel(qint64 paceCents, int amount, int unitsPerPace, const QString& bestTime)
{
    if (amount <= 0)
        return {QString(), ProjectionMark::Keep};
    const qint64 cents = roundedQuotient(paceCents * amount, unitsPerPace);
    const std::optional<qint64> best = bestTime.isEmpty() ? std::nullopt : BestTimeValue(bestTime);
    ProjectionMark mark = ProjectionMark::Keep;
    if (best)
        mark = cents < *best * 100 ? ProjectionMark::Faster
            : cents == *best * 100 ? ProjectionMark::Equal
                                   : ProjectionMark::Slower;
    return {CentsText(cents), mark};
}

QString CentsText(qint64 cents)
{
    return QString::number(cents / 100) + DecimalSeparator()
        + QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
}
